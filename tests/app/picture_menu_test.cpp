// The pictures' right-click menu, driven as a user would: a right click on a
// picture, the items chosen with the keyboard, the dialogs answered. The
// copied and saved pictures are compared with the files that "Сохранить в
// файл" writes. Runs on the offscreen platform and again on Xvfb, where the
// right click goes through the X server and the clipboard is read back by
// another program.
#include "PictureRightClick.h"
#include "RealInput.h"
#include "RecordingNotifier.h"
#include "ShownMainWindow.h"
#include "app/Application.h"
#include "app/ImageControl.h"
#include "app/PictureMenu.h"
#include "app/UnitMain.h"
#include "numbers/LocaleNumberSettings.h"
#include "plot/PlotCommands.h"
#include "widgets/CalcEdit.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QByteArray ReadFile(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The text of a PDF file, as a reader copies it.
QString PdfText(const QString &pdf)
{
    QProcess text;
    text.start("pdftotext", {"-enc", "UTF-8", pdf, "-"});
    return text.waitForFinished(10000) ? QString::fromUtf8(text.readAllStandardOutput()) : QString();
}

// Calls `handle` with the first widget of type T that becomes the active
// modal or popup widget while the test waits in a nested event loop.
template <class T> class WhenShown
{
public:
    explicit WhenShown(std::function<void(T *)> handle) : m_handle(std::move(handle))
    {
        m_poll.setInterval(10);
        QObject::connect(&m_poll, &QTimer::timeout, [this] {
            QWidget *active = QApplication::activePopupWidget();
            if (!active)
                active = QApplication::activeModalWidget();
            T *widget = qobject_cast<T *>(active);
            if (!widget || !widget->isVisible())
                return;
            m_poll.stop();
            shown = true;
            m_handle(widget);
        });
        m_poll.start();
    }
    bool shown = false;

private:
    std::function<void(T *)> m_handle;
    QTimer m_poll;
};

class PictureMenuTest : public ShownMainWindowTest
{
protected:
    void SetUp() override
    {
        ShownMainWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        form->PicturesMenu().setSaveDialog([this](QWidget *, const QString &suggested, std::optional<bool> labelled) {
            suggestions << suggested;
            offeredLabelled = labelled;
            return answer;
        });
    }

    // The two files that "Сохранить в файл" writes, in the current directory.
    std::pair<QByteArray, QByteArray> savedBitmaps()
    {
        QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("Button2")), Qt::LeftButton);
        return {ReadFile("dn1.bmp"), ReadFile("dn2.bmp")};
    }

    ScopedLocaleNumberSettings locale{LocaleNumberSettings::russian()};
    RecordingNotifier notifier;
    std::optional<PictureSaveChoice> answer;
    QStringList suggestions;
    std::optional<bool> offeredLabelled = true; // the style box as offered, none without one
};

const QStringList kItems{"Копировать", "Сохранить как…", "Печать…", "Лаборатория…"};

} // namespace

TEST(PictureSaveChoice, TheNamesExtensionOrElseTheFilterChoosesTheType)
{
    struct Case
    {
        const char *name;
        QString fileName;
        PictureFormat filter;
        QString expectedName;
        PictureFormat expectedFormat;
    };
    const Case cases[] = {
        {"extension and filter agree", "/p/dn1.png", PictureFormat::Png, "/p/dn1.png", PictureFormat::Png},
        {"the extension wins", "/p/dn1.pdf", PictureFormat::Png, "/p/dn1.pdf", PictureFormat::Pdf},
        {"in capitals", "/p/DN1.SVG", PictureFormat::Bmp, "/p/DN1.SVG", PictureFormat::Svg},
        {"no extension: the filter's", "/p/lab3", PictureFormat::Bmp, "/p/lab3.bmp", PictureFormat::Bmp},
        {"a foreign extension is kept", "/p/dipole-1.5", PictureFormat::Svg, "/p/dipole-1.5.svg", PictureFormat::Svg},
        {"a dot at the end", "/p/dn2.", PictureFormat::Pdf, "/p/dn2.pdf", PictureFormat::Pdf},
        {"a dotted folder", "/p.png/dn2", PictureFormat::Bmp, "/p.png/dn2.bmp", PictureFormat::Bmp},
    };
    for (const Case &c : cases) {
        const PictureSaveChoice choice = ResolvePictureSaveChoice(c.fileName, c.filter, true);
        EXPECT_EQ(choice.fileName, c.expectedName) << c.name;
        EXPECT_EQ(choice.format, c.expectedFormat) << c.name;
        EXPECT_TRUE(choice.labelled) << c.name;
    }
    ASSERT_EQ(PictureSaveFilters().size(), 4);
    for (const QString &filter : PictureSaveFilters())
        EXPECT_TRUE(filter.endsWith("(*." + PictureFormatName(PictureFormatOfFilter(filter)) + ")"))
            << filter.toStdString();
}

TEST_F(PictureMenuTest, OffersNothingBeforeTheFirstBuildThenCopySaveAndPrint)
{
    EXPECT_EQ(RightClickPicture(form->Image1()), QStringList()) << "the start-up title";
    EXPECT_EQ(RightClickPicture(form->Image2()), QStringList());
    build("1,5");
    EXPECT_EQ(RightClickPicture(form->Image1()), kItems);
    EXPECT_EQ(RightClickPicture(form->Image2()), kItems);

    // A family is a picture too.
    form->findChild<QCheckBox *>(QStringLiteral("CheckBox2"))->setChecked(true);
    QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("Button4")), Qt::LeftButton);
    EXPECT_EQ(RightClickPicture(form->Image1()), kItems);
}

TEST_F(PictureMenuTest, CopyPutsThePixelsOfTheSavedBitmapOnTheClipboard)
{
    CurrentDirectory dir;
    build("1,5");
    const auto bitmaps = savedBitmaps();
    const QImage polar = QImage::fromData(bitmaps.first, "bmp").convertToFormat(QImage::Format_RGB32);
    const QImage rect = QImage::fromData(bitmaps.second, "bmp").convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(polar.isNull());
    ASSERT_NE(polar, rect);

    RightClickPicture(form->Image1(), "Копировать");
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), polar);
    RightClickPicture(form->Image2(), "Копировать");
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), rect);

    if (realinput::onX11()) {
        // Pasted into another program: the clipboard read by xclip while
        // this one serves it.
        QProcess paste;
        paste.start("xclip", {"-selection", "clipboard", "-t", "image/png", "-o"});
        ASSERT_TRUE(QTest::qWaitFor([&] { return paste.state() == QProcess::NotRunning; }, 5000));
        EXPECT_EQ(QImage::fromData(paste.readAllStandardOutput(), "png").convertToFormat(QImage::Format_RGB32), rect);
    }
}

TEST_F(PictureMenuTest, SaveAsWritesTheChosenTypeAndNamesTheFile)
{
    CurrentDirectory dir;
    build("2,5");
    const auto bitmaps = savedBitmaps();
    struct Case
    {
        const char *name;
        TImage *image;
        QString file;
        PictureFormat format;
        std::function<bool(const QByteArray &)> check;
        bool labelled = false;
    };
    const QImage polar = form->Image1()->ShownImage();
    const auto svg = EncodePicturePair(
        PictureFormat::Svg, [](PlotCanvas &polar, PlotCanvas &rect) { BuildPictures(polar, rect, clNavy, 2.5, true); });
    const Case cases[] = {
        {"BMP as shown", form->Image1(), "a.bmp", PictureFormat::Bmp,
         [&](const QByteArray &data) { return data == bitmaps.first; }},
        {"BMP of the other picture", form->Image2(), "b.bmp", PictureFormat::Bmp,
         [&](const QByteArray &data) { return data == bitmaps.second; }},
        {"PNG of the same pixels", form->Image1(), "c.png", PictureFormat::Png,
         [&](const QByteArray &data) {
             return data.startsWith("\x89PNG")
                    && QImage::fromData(data, "png").convertToFormat(QImage::Format_RGB32) == polar;
         }},
        {"SVG of the rectangular picture", form->Image2(), "d.svg", PictureFormat::Svg,
         [&](const QByteArray &data) { return data == svg.second; }},
        {"labelled PNG, polar: square, with scales", form->Image1(), "f.png", PictureFormat::Png,
         [&](const QByteArray &data) {
             const QImage image = QImage::fromData(data, "png");
             return image.size() == QSize(800, 800) && image.pixel(400, 400) != image.pixel(5, 5);
         },
         true},
        {"labelled PDF, rectangular: its title as text", form->Image2(), "g.pdf", PictureFormat::Pdf,
         [&](const QByteArray &) { return PdfText(dir.path() + "/g.pdf").contains("M = 2,5 λ"); }, true},
        {"labelled PDF, polar: the readouts beneath the title", form->Image1(), "h.pdf", PictureFormat::Pdf,
         [&](const QByteArray &) {
             const QString text = PdfText(dir.path() + "/h.pdf");
             return text.contains("КНД = ") && text.contains("ширина по половинной мощности");
         },
         true},
        {"PDF", form->Image1(), "e.pdf", PictureFormat::Pdf,
         [](const QByteArray &data) { return data.startsWith("%PDF"); }},
    };
    for (const Case &c : cases) {
        notifier.boxes.clear();
        answer = PictureSaveChoice{dir.path() + "/" + c.file, c.format, c.labelled};
        RightClickPicture(c.image, "Сохранить как…");
        EXPECT_TRUE(c.check(ReadFile(c.file))) << c.name;
        ASSERT_EQ(notifier.boxes.size(), 1u) << c.name;
        EXPECT_FALSE(notifier.boxes[0].error) << c.name;
        EXPECT_TRUE(notifier.boxes[0].text.contains(QDir::toNativeSeparators(dir.path() + "/" + c.file))) << c.name;
    }
    // The next save starts where the last one went, with the picture's own name.
    EXPECT_EQ(suggestions.back(), dir.path() + "/dn1.png");
    EXPECT_EQ(suggestions.at(suggestions.size() - 5), dir.path() + "/dn2.png");

    // Cancelled: nothing written, nothing said.
    notifier.boxes.clear();
    answer.reset();
    RightClickPicture(form->Image1(), "Сохранить как…");
    EXPECT_TRUE(notifier.boxes.empty());
}

TEST_F(PictureMenuTest, ALabelledFamilyNamesTheLengthsItDraws)
{
    QTemporaryDir dir;
    const std::pair<int, long double> rows[] = {{2, 0.5L}, {3, 1.5L}, {4, -1.0L}};
    for (const auto &[row, length] : rows) {
        form->findChild<TCalcEdit *>(QStringLiteral("CalcEdit%1").arg(row))->SetValue(length);
        form->findChild<QCheckBox *>(QStringLiteral("CheckBox%1").arg(row))->setChecked(true);
    }
    QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("Button4")), Qt::LeftButton);
    answer = PictureSaveChoice{dir.filePath("family.pdf"), PictureFormat::Pdf, true};
    RightClickPicture(form->Image1(), "Сохранить как…");
    const QString text = PdfText(dir.filePath("family.pdf"));
    EXPECT_TRUE(text.contains("M = 0,5 λ")) << text.toStdString();
    EXPECT_TRUE(text.contains("M = 1,5 λ")) << text.toStdString();
    EXPECT_FALSE(text.contains("M = 1 λ")) << "a negative length is not drawn in a family";
    EXPECT_FALSE(text.contains("M = −1 λ"));

    // A family of no usable row still has pictures, empty ones.
    for (const auto &[row, length] : rows)
        form->findChild<QCheckBox *>(QStringLiteral("CheckBox%1").arg(row))->setChecked(row == 4);
    QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("Button4")), Qt::LeftButton);
    answer = PictureSaveChoice{dir.filePath("empty.png"), PictureFormat::Png, true};
    RightClickPicture(form->Image2(), "Сохранить как…");
    EXPECT_EQ(QImage(dir.filePath("empty.png")).size(), QSize(960, 600));
}

TEST_F(PictureMenuTest, TheFirstSaveStartsInThePicturesFolderOrHome)
{
    build("0,5");
    RightClickPicture(form->Image2(), "Сохранить как…");
    ASSERT_EQ(suggestions.size(), 1);
    const QString folder = QFileInfo(suggestions[0]).absolutePath();
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    EXPECT_TRUE(folder == pictures || folder == QDir::homePath()) << suggestions[0].toStdString();
    EXPECT_EQ(QFileInfo(suggestions[0]).fileName(), "dn2.png");
    EXPECT_EQ(offeredLabelled, false) << "plain until the user ticks the box";
}

TEST_F(PictureMenuTest, AFailedSaveShowsTheErrorBox)
{
    QTemporaryDir dir;
    build("0,5");
    answer = PictureSaveChoice{dir.path() + "/no such folder/dn1.png", PictureFormat::Png, false};
    RightClickPicture(form->Image1(), "Сохранить как…");
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_TRUE(notifier.boxes[0].error);
    EXPECT_TRUE(notifier.boxes[0].text.contains("dn1.png"));
}

TEST_F(PictureMenuTest, TheRealDialogSavesTheTypeOfTheChosenFilter)
{
    QTemporaryDir dir;
    build("1,5");
    form->PicturesMenu().setSaveDialog(RunPictureSaveDialog);
    bool labelledShown = false;
    WhenShown<QFileDialog> dialog([&](QFileDialog *shown) {
        auto *labelled = shown->findChild<QCheckBox *>();
        labelledShown = labelled && labelled->text() == "С подписями" && labelled->isVisible();
        if (labelled) // on its box, at the left
            QTest::mouseClick(labelled, Qt::LeftButton, {}, QPoint(8, labelled->height() / 2));
        auto *name = shown->findChild<QLineEdit *>("fileNameEdit");
        auto *types = shown->findChild<QComboBox *>("fileTypeCombo");
        ASSERT_TRUE(name && types);
        EXPECT_EQ(name->text(), "dn2.png");
        name->setText(dir.filePath("dn2.png"));
        // The name follows the filter: dn2.png becomes dn2.svg.
        ASSERT_EQ(types->currentIndex(), 0) << "PNG first";
        QTest::keyClick(types, Qt::Key_Down);
        QTest::keyClick(types, Qt::Key_Down);
        ASSERT_EQ(types->currentText(), PictureSaveFilters().at(2));
        EXPECT_EQ(name->text(), dir.filePath("dn2.svg")) << name->text().toStdString();
        QTest::keyClick(name, Qt::Key_Return);
    });
    RightClickPicture(form->Image2(), "Сохранить как…");
    EXPECT_TRUE(dialog.shown);
    EXPECT_TRUE(labelledShown);
    const QString svg = QString::fromUtf8(ReadFile(dir.filePath("dn2.svg")));
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains(">M = 1,5 ")) << "labelled, with its title as text";
    // The box keeps its tick for the next save.
    form->PicturesMenu().setSaveDialog([this](QWidget *, const QString &, std::optional<bool> labelled) {
        offeredLabelled = labelled;
        return std::optional<PictureSaveChoice>();
    });
    RightClickPicture(form->Image2(), "Сохранить как…");
    EXPECT_EQ(offeredLabelled, true);
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_TRUE(notifier.boxes[0].text.contains("dn2.svg"));
}

TEST_F(PictureMenuTest, TheRealDialogAsksBeforeReplacingTheNameItCompletes)
{
    QTemporaryDir dir;
    QFile old(dir.filePath("lab3.bmp"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    build("1,5");
    form->PicturesMenu().setSaveDialog(RunPictureSaveDialog);
    QString question;
    std::unique_ptr<WhenShown<QMessageBox>> replace;
    WhenShown<QFileDialog> dialog([&](QFileDialog *shown) {
        auto *name = shown->findChild<QLineEdit *>("fileNameEdit");
        auto *types = shown->findChild<QComboBox *>("fileTypeCombo");
        ASSERT_TRUE(name && types);
        QTest::keyClick(types, Qt::Key_Down); // BMP
        name->setText(dir.filePath("lab3"));
        replace = std::make_unique<WhenShown<QMessageBox>>([&](QMessageBox *box) {
            question = box->text();
            box->button(QMessageBox::No)->click();
        });
        QTest::keyClick(name, Qt::Key_Return);
        // Not replaced: the dialog stays open until cancelled.
        EXPECT_TRUE(shown->isVisible());
        shown->reject();
    });
    RightClickPicture(form->Image1(), "Сохранить как…");
    EXPECT_TRUE(dialog.shown);
    EXPECT_TRUE(question.contains("lab3.bmp")) << question.toStdString();
    EXPECT_EQ(ReadFile(dir.filePath("lab3.bmp")), "old");
    EXPECT_TRUE(notifier.boxes.empty());
}

TEST_F(PictureMenuTest, PrintingToAPdfPrinterGivesAPageWithTheLabelledPicture)
{
    QTemporaryDir dir;
    QString pdf;
    form->PicturesMenu().setPrintDialog([&](QWidget *, QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    build("1,5");
    struct Case
    {
        const char *name;
        TImage *image;
        bool landscape;
        const char *axisWords; // in the picture's own labels
    };
    const Case cases[] = {
        {"polar, on an upright page", form->Image1(), false, "ось вибратора"},
        {"rectangular, across the page", form->Image2(), true, "F / Fмакс"},
    };
    for (const Case &c : cases) {
        pdf = dir.filePath(QString::fromUtf8(c.name).left(5) + ".pdf");
        RightClickPicture(c.image, "Печать…");
        ASSERT_TRUE(ReadFile(pdf).startsWith("%PDF")) << c.name;

        const QString words = PdfText(pdf);
        EXPECT_TRUE(words.contains("M = 1,5 λ")) << c.name << ": " << words.toStdString();
        EXPECT_TRUE(words.contains(QString::fromUtf8(c.axisWords))) << c.name << ": " << words.toStdString();

        const QString png = pdf.chopped(4);
        ASSERT_EQ(QProcess::execute("pdftoppm", {"-r", "40", "-png", "-singlefile", pdf, png}), 0);
        const QImage page = QImage(png + ".png").convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(page.isNull()) << c.name;
        EXPECT_EQ(page.width() > page.height(), c.landscape) << c.name;
        // The navy curve, centred on the page.
        int navy = 0;
        qint64 xSum = 0;
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                const QRgb colour = page.pixel(x, y);
                if (qBlue(colour) > 90 && qRed(colour) < 80 && qGreen(colour) < 80) {
                    ++navy;
                    xSum += x;
                }
            }
        }
        EXPECT_GT(navy, page.width() * page.height() / 400) << c.name;
        EXPECT_NEAR(double(xSum) / std::max(navy, 1) / page.width(), 0.5, 0.08) << c.name;
    }
    EXPECT_TRUE(notifier.boxes.empty());
}
