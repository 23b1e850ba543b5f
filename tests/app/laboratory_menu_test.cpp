// The laboratory window's pictures and their right-click menu, driven as a
// user would: a length built in the main window, the laboratory opened from
// its menu, a right click on each of its pictures, the dialogs answered.
#include "PictureRightClick.h"
#include "QtPrinters.h"
#include "RecordingNotifier.h"
#include "ShownMainWindow.h"
#include "app/FittedImage.h"
#include "app/ImpedanceWindow.h"
#include "app/PictureMenu.h"
#include "app/UnitMain.h"
#include "numbers/LocaleNumberSettings.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
    return page.isNull() ? QSizeF() : QSizeF(double(inked.width()) / page.width(), double(inked.height()) / page.height());
}

// The soft file size limit lowered while this lives: a write beyond it
// falls short as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        struct rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &m_previous); }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    struct rlimit m_previous = {};
};

struct LabPicture
{
    const char *name;
    TFittedImage *(TFormImpedance::*image)() const;
    QString baseName; // as dipole-render names the picture's file
    bool wide;        // printed across the page
};

const LabPicture kPictures[] = {
    {"polar pattern", &TFormImpedance::PolarImage, "dn1", false},
    {"rectangular pattern", &TFormImpedance::RectangularImage, "dn2", true},
    {"current", &TFormImpedance::Image1, "current", true},
    {"impedance", &TFormImpedance::Image2, "impedance", true},
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

    TFittedImage *picture(const LabPicture &row) const { return (lab->*row.image)(); }

    // The picture as its tab shows it, the tab brought forward as a user's
    // click on it does.
    QImage shown(const LabPicture &row) const
    {
        for (int i = 0; i < lab->Tabs()->count(); ++i)
            if (lab->Tabs()->widget(i)->isAncestorOf(picture(row)) || lab->Tabs()->widget(i) == picture(row))
                lab->Tabs()->setCurrentIndex(i);
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
        ASSERT_FALSE(shown.isNull()) << row.name;
        for (const PictureFormat format : {PictureFormat::Bmp, PictureFormat::Png, PictureFormat::Svg,
                                           PictureFormat::Pdf}) {
            const QString file = dir.filePath(row.baseName + "." + PictureFormatName(format));
            const std::string what = file.toStdString();
            notifier.boxes.clear();
            answer = PictureSaveChoice{file, format, false};
            RightClickPicture(picture(row), QStringLiteral("Сохранить как…"));
            ASSERT_EQ(notifier.boxes.size(), 1u) << what;
            EXPECT_EQ(notifier.boxes[0].text, "Рисунок сохранён в файл\n" + file) << what;
            const QByteArray data = readAll(file);
            switch (format) {
            case PictureFormat::Bmp:
            case PictureFormat::Png:
                EXPECT_EQ(QImage::fromData(data, format == PictureFormat::Bmp ? "bmp" : "png")
                              .convertToFormat(QImage::Format_RGB32),
                          shown)
                    << what;
                break;
            case PictureFormat::Svg:
                EXPECT_TRUE(data.contains(QStringLiteral("<svg width=\"%1\" height=\"%2\"")
                                              .arg(shown.width())
                                              .arg(shown.height())
                                              .toUtf8()))
                    << what;
                EXPECT_TRUE(data.contains("<text")) << what;
                EXPECT_FALSE(data.contains("<image")) << what << ": drawn, not a bitmap";
                break;
            case PictureFormat::Pdf:
                EXPECT_EQ(PageSize(file), QSizeF(shown.size())) << what;
                EXPECT_FALSE(Output("pdftotext", {file, "-"}).trimmed().isEmpty()) << what;
                break;
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
        {
            const FileSizeLimit limit(c.sizeLimit);
            RightClickPicture(lab->RectangularImage(), QStringLiteral("Сохранить как…"));
        }
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
        EXPECT_FALSE(Output("pdftotext", {pdf, "-"}).trimmed().isEmpty()) << row.name;
    }
    EXPECT_TRUE(Output("pdftotext", {dir.filePath("dn1.pdf"), "-"}).contains("M = 1,5 λ"));
    EXPECT_TRUE(notifier.boxes.empty());
}
