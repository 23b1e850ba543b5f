// The laboratory window's pictures, driven as a user would: a length built
// in the main window, the laboratory opened from its menu, a right click on
// each of its pictures with the dialogs answered, and the pointer moved over
// the pattern's pictures.
#include "PictureRightClick.h"
#include "QtPrinters.h"
#include "RecordingNotifier.h"
#include "ShownMainWindow.h"
#include "app/FittedImage.h"
#include "app/FrequencyPage.h"
#include "app/ImpedanceWindow.h"
#include "app/PatternPointer.h"
#include "app/PictureMenu.h"
#include "app/UnitMain.h"
#include "numbers/LocaleNumberSettings.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include <sys/resource.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// Runs a program and gives what it wrote.
QString Output(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(10000) ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

// A PDF file's page size in points, as a reader gives it.
QSizeF PageSize(const QString &pdf)
{
    const QRegularExpressionMatch page =
        QRegularExpression(QStringLiteral("Page size: +([0-9.]+) x ([0-9.]+) pts")).match(Output("pdfinfo", {pdf}));
    return page.hasMatch() ? QSizeF(page.captured(1).toDouble(), page.captured(2).toDouble()) : QSizeF();
}

// The share of the page's width and height that its drawing's bounding box
// takes, the page rendered by a reader.
QSizeF InkedShare(const QString &pdf)
{
    const QString png = pdf.chopped(4);
    if (QProcess::execute("pdftoppm", {"-r", "20", "-png", "-singlefile", pdf, png}) != 0)
        return {};
    const QImage page = QImage(png + ".png").convertToFormat(QImage::Format_RGB32);
    QRect inked;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 200)
                inked |= QRect(x, y, 1, 1);
    return page.isNull() ? QSizeF()
                         : QSizeF(double(inked.width()) / page.width(), double(inked.height()) / page.height());
}

struct LabPicture
{
    const char *name;
    std::function<TFittedImage *(const TFormImpedance *)> image;
    QString baseName; // as dipole-render names the picture's file
    bool wide;        // printed across the page
};

const LabPicture kPictures[] = {
    {"polar pattern", &TFormImpedance::PolarImage, "dn1", false},
    {"rectangular pattern", &TFormImpedance::RectangularImage, "dn2", true},
    {"current", &TFormImpedance::Image1, "current", true},
    {"impedance", &TFormImpedance::Image2, "impedance", true},
    {"impedance against frequency", [](const TFormImpedance *w) { return w->FrequencyPage()->ImpedanceImage(); },
     "impedance", true},
    {"SWR against frequency", [](const TFormImpedance *w) { return w->FrequencyPage()->SwrImage(); }, "swr", true},
    {"Smith chart", [](const TFormImpedance *w) { return w->FrequencyPage()->SmithImage(); }, "smith", true},
};

class LaboratoryMenuTest : public ShownMainWindowTest
{
protected:
    void SetUp() override
    {
        ShownMainWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        build(QStringLiteral("1,5"));
        RightClickPicture(form->Image1(), QStringLiteral("Лаборатория…"));
        lab = form->ImpedanceWindow();
        ASSERT_NE(lab, nullptr);
        QApplication::setActiveWindow(lab);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(lab));
        lab->PicturesMenu().setSaveDialog([this](QWidget *, const QString &suggested, std::optional<bool> style) {
            suggestions << suggested;
            offeredStyles.push_back(style);
            return answer;
        });
    }

    TFittedImage *picture(const LabPicture &row) const { return row.image(lab); }

    // The picture as its tab shows it, the tab brought forward as a user's
    // click on it does.
    QImage shown(const LabPicture &row) const
    {
        BringPictureForward(picture(row));
        return picture(row)->ShownImage();
    }

    ScopedLocaleNumberSettings locale{LocaleNumberSettings::russian()};
    RecordingNotifier notifier;
    TFormImpedance *lab = nullptr;
    std::optional<PictureSaveChoice> answer;
    QStringList suggestions;
    std::vector<std::optional<bool>> offeredStyles;
};

} // namespace

TEST_F(LaboratoryMenuTest, EveryPictureOffersCopySaveAndPrintAndCopiesItAsShown)
{
    const QStringList items{"Копировать", "Сохранить как…", "Печать…"};
    for (const LabPicture &row : kPictures) {
        QGuiApplication::clipboard()->clear();
        EXPECT_EQ(RightClickPicture(picture(row), QStringLiteral("Копировать")), items) << row.name;
        const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(copied.size(), picture(row)->size()) << row.name;
        EXPECT_EQ(copied, shown(row)) << row.name;
    }
}

// Every format of every picture: the raster files hold the pixels shown,
// the vector files are the picture drawn again at its shown size, with its
// words as text.
TEST_F(LaboratoryMenuTest, SaveAsWritesEachFormatOfThePictureShown)
{
    QTemporaryDir dir;
    for (const LabPicture &row : kPictures) {
        const QImage shown = this->shown(row);
        for (const PictureFormat format :
             {PictureFormat::Bmp, PictureFormat::Png, PictureFormat::Svg, PictureFormat::Pdf}) {
            const QString file = dir.filePath(row.baseName + "." + PictureFormatName(format));
            const std::string what = file.toStdString();
            notifier.boxes.clear();
            answer = PictureSaveChoice{file, format, false};
            RightClickPicture(picture(row), QStringLiteral("Сохранить как…"));
            ASSERT_EQ(notifier.boxes.size(), 1u) << what;
            EXPECT_EQ(notifier.boxes[0].text, "Рисунок сохранён в файл\n" + file) << what;
            const QByteArray data = readAll(file);
            if (!IsVectorFormat(format)) {
                EXPECT_EQ(QImage::fromData(data).convertToFormat(QImage::Format_RGB32), shown) << what;
            } else if (format == PictureFormat::Svg) {
                const QString size =
                    QStringLiteral("<svg width=\"%1\" height=\"%2\"").arg(shown.width()).arg(shown.height());
                EXPECT_TRUE(data.contains(size.toUtf8()) && data.contains("<text") && !data.contains("<image")) << what;
            } else {
                EXPECT_EQ(PageSize(file), QSizeF(shown.size())) << what;
            }
        }
        // The dialog starts from the picture's own name and offers no style:
        // the laboratory's pictures are labelled already.
        EXPECT_EQ(QFileInfo(suggestions.last()).fileName(), row.baseName + ".png") << row.name;
        EXPECT_EQ(offeredStyles.back(), std::nullopt) << row.name;
    }
    // The pattern's title as text in the vector files.
    EXPECT_TRUE(readAll(dir.filePath("dn2.svg")).contains(">M = 1,5 "));
    EXPECT_TRUE(Output("pdftotext", {dir.filePath("dn1.pdf"), "-"}).contains("M = 1,5 λ"));
}

// A save that fails says so in the window's words and leaves the folder as
// it was: the old file whole, nothing beside it.
TEST_F(LaboratoryMenuTest, AFailedSaveKeepsTheOldFileAndSaysWhy)
{
    QTemporaryDir dir;
    const QString old = dir.filePath("dn2.png");
    QFile file(old);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("old picture") == 11);
    file.close();
    struct Case
    {
        const char *name;
        QString file;
        rlim_t sizeLimit; // RLIM_INFINITY: none
        const char *reason;
    };
    const Case cases[] = {
        {"no such folder", dir.filePath("missing/dn2.png"), RLIM_INFINITY, "такой папки нет"},
        {"a disk that fills up", old, 1000, "файл больше допустимого размера"},
        {"a folder by that name", dir.path(), RLIM_INFINITY, "под этим именем папка"},
    };
    for (const Case &c : cases) {
        notifier.boxes.clear();
        answer = PictureSaveChoice{c.file, PictureFormat::Png, false};
        // A write beyond the soft file size limit falls short as on a full disk.
        struct rlimit previous = {};
        ::getrlimit(RLIMIT_FSIZE, &previous);
        struct rlimit limit = previous;
        limit.rlim_cur = c.sizeLimit;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        RightClickPicture(lab->RectangularImage(), QStringLiteral("Сохранить как…"));
        ::setrlimit(RLIMIT_FSIZE, &previous);
        ASSERT_EQ(notifier.boxes.size(), 1u) << c.name;
        EXPECT_TRUE(notifier.boxes[0].error) << c.name;
        EXPECT_EQ(notifier.boxes[0].text,
                  "Не удалось сохранить рисунок в файл\n" + c.file + "\nПричина: " + QString::fromUtf8(c.reason) + ".")
            << c.name;
        EXPECT_EQ(readAll(old), "old picture") << c.name;
        EXPECT_EQ(entries(dir.path()), QStringList{"dn2.png"}) << c.name;
    }
}

TEST_F(LaboratoryMenuTest, PrintsThePictureAsShownAcrossOrUpTheSheet)
{
    QTemporaryDir dir;
    QString pdf;
    lab->PicturesMenu().setPrintDialog([&](QWidget *, QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    for (const LabPicture &row : kPictures) {
        pdf = dir.filePath(row.baseName + ".pdf");
        RightClickPicture(picture(row), QStringLiteral("Печать…"));
        const QSizeF page = PageSize(pdf);
        ASSERT_FALSE(page.isEmpty()) << row.name;
        EXPECT_EQ(page.width() > page.height(), row.wide) << row.name;
        // Fitted to the page: as wide or as high as the printable area.
        const QSizeF inked = InkedShare(pdf);
        EXPECT_GT(std::max(inked.width(), inked.height()), 0.8) << row.name;
    }
    EXPECT_TRUE(Output("pdftotext", {dir.filePath("dn1.pdf"), "-"}).contains("M = 1,5 λ"));
    EXPECT_TRUE(notifier.boxes.empty());
}

namespace {

constexpr double kPi = 3.14159265358979323846;

// The half-wave dipole's pattern, F / Fmax = cos(π/2 · cos θ) / sin θ.
double HalfWaveLevel(double thetaDeg)
{
    const double theta = thetaDeg * kPi / 180.0;
    return std::cos(kPi / 2 * std::cos(theta)) / std::sin(theta);
}

bool IsNavy(QRgb pixel)
{
    return qBlue(pixel) > 100 && qRed(pixel) < 60 && qGreen(pixel) < 60;
}

// The box of the navy curve's pixels: for the half-wave dipole the polar
// curve's top and bottom are the outer circle's, its middle the centre; the
// rectangular curve spans the plot from corner to corner through its top.
QRectF CurveBox(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (IsNavy(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return QRectF(box).adjusted(0, 0, -1, -1);
}

// The pointer moved to pos of widget: through the X server on X, else as
// the window system hands a move to the window.
void MovePointer(QWidget *widget, QPoint pos)
{
    if (realinput::onX11()) {
        const QPoint global = widget->mapToGlobal(pos);
        EXPECT_TRUE(realinput::xdotool({"mousemove", QString::number(global.x()), QString::number(global.y())},
                                       QEvent::MouseMove));
    } else {
        QTest::mouseMove(widget->window()->windowHandle(), widget->mapTo(widget->window(), pos));
    }
}

struct PointerCase
{
    const char *name;
    bool polar;
    // Polar: the screen angle (clockwise from the axis to the right) and the
    // distance from the centre against the circle's radius. Rectangular: the
    // place in the plot as fractions of its width and height from the
    // bottom-left corner, beyond 0 to 1 outside it.
    double a;
    double b;
    std::optional<double> theta; // none: no readout
};

} // namespace

// The readout line beneath the pattern pictures, for pointer places found
// from the pictures' own pixels, on both scales. The level is compared with
// the pattern at the angle the line reports.
TEST_F(LaboratoryMenuTest, ThePointerReadsTheAngleAndTheLevelOnThePlotsOnly)
{
    build(QStringLiteral("0,5"));
    const PointerCase cases[] = {
        {"polar, lower half", true, 60, 0.5, 60.0},
        {"polar, upper half mirrors it", true, -30, 0.7, 30.0},
        {"polar, near the axis's far end", true, 135, 0.9, 135.0},
        {"polar, just outside the circle", true, 0, 1.08, std::nullopt},
        {"polar, above the circle", true, -90, 1.1, std::nullopt},
        {"rectangular, the maximum", false, 0.5, 0.5, 90.0},
        {"rectangular, 60°", false, 1.0 / 3, 0.9, 60.0},
        {"rectangular, 150° low down", false, 5.0 / 6, 0.05, 150.0},
        {"rectangular, left of the plot", false, -0.05, 0.5, std::nullopt},
        {"rectangular, above the plot", false, 0.5, 1.08, std::nullopt},
        {"rectangular, below the plot", false, 0.5, -0.1, std::nullopt},
    };
    const QRegularExpression readout(
        QStringLiteral("^θ = ([0-9]+,[0-9])°   F / Fмакс = ([0-9],[0-9]{3})   (−?[0-9]+,[0-9]{2}) дБ$"));
    for (const bool decibels : {false, true}) {
        lab->DecibelBox()->setChecked(decibels);
        const QSize pictureSize = lab->PolarImage()->size();
        const QRectF polar = CurveBox(shown(kPictures[0]));
        const QRectF rect = CurveBox(shown(kPictures[1]));
        ASSERT_GT(polar.height(), 100) << decibels;
        ASSERT_GT(rect.width(), 100) << decibels;
        for (const PointerCase &c : cases) {
            const std::string what = std::string(c.name) + (decibels ? ", dB" : ", linear");
            QPointF at;
            if (c.polar) {
                const double radius = polar.height() / 2;
                at = polar.center() + QPointF(std::cos(c.a * kPi / 180), std::sin(c.a * kPi / 180)) * (c.b * radius);
            } else {
                at = QPointF(rect.left() + c.a * rect.width(), rect.bottom() - c.b * rect.height());
            }
            TFittedImage *image = c.polar ? lab->PolarImage() : lab->RectangularImage();
            MovePointer(image, at.toPoint());
            ASSERT_TRUE(QTest::qWaitFor([&] { return lab->PointerFigure().isEmpty() == !c.theta; }, 2000)) << what;
            if (!c.theta)
                continue;
            const QRegularExpressionMatch match = readout.match(lab->PointerFigure());
            ASSERT_TRUE(match.hasMatch()) << what << ": " << lab->PointerFigure().toStdString();
            const auto number = [&](int i) {
                return match.captured(i).replace(QChar(0x2212), '-').replace(',', '.').toDouble();
            };
            EXPECT_NEAR(number(1), *c.theta, 1.5) << what;
            EXPECT_NEAR(number(2), HalfWaveLevel(number(1)), 0.003) << what;
            EXPECT_NEAR(number(3), 20 * std::log10(number(2)), 0.03) << what;
        }
        EXPECT_EQ(lab->PolarImage()->size(), pictureSize) << "the pictures stay put as the line fills";
        // Leaving the picture leaves the line empty.
        MovePointer(lab->RectangularImage(), rect.center().toPoint());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !lab->PointerFigure().isEmpty(); }, 2000));
        MovePointer(lab->DecibelBox(), lab->DecibelBox()->rect().center());
        EXPECT_TRUE(QTest::qWaitFor([&] { return lab->PointerFigure().isEmpty(); }, 2000)) << decibels;
    }
}

namespace {

// The height of the half-wave's curve at θ = 20° (F = −11,15 dB) as a share
// of the plot's height, found from the pictures' pixels: on the rectangular
// chart the curve's box is the plot's, from 0 dB at its top to the range's
// foot, where the curve runs along the bottom.
double RectangularShareAt20(const QImage &image)
{
    const QRectF box = CurveBox(image);
    const int x = qRound(box.left() + box.width() * 20.0 / 180.0);
    for (int y = 0; y < image.height(); ++y)
        if (IsNavy(image.pixel(x, y)))
            return (box.bottom() - y) / box.height();
    return -1.0;
}

} // namespace

// Each depth of the dB scale, chosen in its box as a user does, redraws
// both pictures to it; the box is off on the linear scale.
TEST_F(LaboratoryMenuTest, TheDecibelRangeSetsBothPicturesDepth)
{
    build(QStringLiteral("0,5"));
    QComboBox *range = lab->DecibelRangeBox();
    EXPECT_FALSE(range->isEnabled()) << "linear";
    EXPECT_EQ(range->currentText(), "до −40 дБ") << "the labelled pictures' own depth first";
    QTest::mouseClick(lab->DecibelBox(), Qt::LeftButton, {}, QPoint(4, lab->DecibelBox()->height() / 2));
    ASSERT_TRUE(range->isEnabled());
    const double level = 20 * std::log10(HalfWaveLevel(20.0));
    range->setFocus();
    QTest::keyClick(range, Qt::Key_Home);
    QImage polar;
    for (const int depth : {20, 30, 40, 50, 60}) {
        EXPECT_EQ(range->currentText(), QStringLiteral("до −%1 дБ").arg(depth));
        EXPECT_NEAR(RectangularShareAt20(shown(kPictures[1])), (depth + level) / depth, 0.015) << depth;
        EXPECT_NE(shown(kPictures[0]), polar) << depth;
        polar = shown(kPictures[0]);
        QTest::keyClick(range, Qt::Key_Down);
    }
    // A new build keeps the depth chosen.
    build(QStringLiteral("0,5"));
    EXPECT_NEAR(RectangularShareAt20(shown(kPictures[1])), (60 + level) / 60, 0.015);
}

TEST(PatternPointText, WritesTheLevelInDecibelsWithTheMinusSign)
{
    const ScopedLocaleNumberSettings russian(LocaleNumberSettings::russian());
    const std::pair<PatternPoint, QString> cases[] = {
        {{42.56, 0.5}, "θ = 42,6°   F / Fмакс = 0,500   −6,02 дБ"},
        {{90.0, 0.9999}, "θ = 90,0°   F / Fмакс = 1,000   0,00 дБ"}, // no sign on a zero
        {{180.0, 0.0}, "θ = 180,0°   F / Fмакс = 0,000   −∞ дБ"},
    };
    for (const auto &[point, text] : cases)
        EXPECT_EQ(PatternPointText(point), text);
}
