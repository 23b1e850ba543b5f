// The laboratory's page "Объём" driven as a user would: lengths built in the
// main window, the solid turned with drags, zoomed with the wheel, its
// choices picked and a height typed; its pictures judged by their pixels.
#include "PictureRightClick.h"
#include "QtPrinters.h"
#include "RecordingNotifier.h"
#include "ShownMainWindow.h"
#include "app/ImpedanceWindow.h"
#include "app/PictureMenu.h"
#include "app/SolidImage.h"
#include "app/SolidPage.h"
#include "app/UnitMain.h"
#include "numbers/LocaleNumberSettings.h"
#include "widgets/CalcEdit.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <functional>

namespace {

// The ground's plane seen from above, as the solid's picture fills it.
const QColor kGroundColour(225, 225, 225);

int pixelsOfColour(const QImage &image, const QColor &colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour.rgb();
    return count;
}

// The width of what is drawn: the columns that hold anything but white.
int drawnWidth(const QImage &image)
{
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return right - left + 1;
}

class SolidPageTest : public ShownMainWindowTest
{
protected:
    void SetUp() override
    {
        ShownMainWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        build(QStringLiteral("0,5"));
        RightClickPicture(form->Image1(), QStringLiteral("Лаборатория…"));
        lab = form->ImpedanceWindow();
        ASSERT_NE(lab, nullptr);
        QApplication::setActiveWindow(lab);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(lab));
        page = lab->SolidPage();
        ASSERT_NE(page, nullptr);
        image = page->Image();
        // The page comes forward as a user's click on its tab brings it.
        const int tab = lab->Tabs()->indexOf(page);
        ASSERT_EQ(lab->Tabs()->tabText(tab), QStringLiteral("Объём"));
        lab->Tabs()->setCurrentIndex(tab);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !image->ShownImage().isNull(); }, 2000));
    }

    template <typename Control> Control *control(const char *name) const
    {
        return page->findChild<Control *>(QString::fromLatin1(name));
    }

    QImage shown() const { return image->ShownImage(); }

    void drag(QPoint by)
    {
        const QPoint from(image->width() / 2, image->height() / 2);
        QTest::mousePress(image, Qt::LeftButton, {}, from);
        // In steps, as a hand moves.
        for (int i = 1; i <= 4; ++i)
            QTest::mouseMove(image, from + by * i / 4);
        QTest::mouseRelease(image, Qt::LeftButton, {}, from + by);
    }

    void wheel(int notches)
    {
        const QPointF at(image->width() / 2.0, image->height() / 2.0);
        QWheelEvent event(at, image->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(image, &event);
    }

    void choose(const char *box, int index) { control<QComboBox>(box)->setCurrentIndex(index); }

    void typeHeight(const QString &text)
    {
        auto *field = control<TCalcEdit>("SolidHeightField");
        QApplication::setActiveWindow(lab);
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }

    ScopedLocaleNumberSettings locale{LocaleNumberSettings::russian()};
    RecordingNotifier notifier;
    TFormImpedance *lab = nullptr;
    TSolidPage *page = nullptr;
    TSolidImage *image = nullptr;
};

} // namespace

TEST_F(SolidPageTest, FollowsTheLengthsBuilt)
{
    const QImage half = shown();
    EXPECT_EQ(page->Caption(), QStringLiteral("M = 0,5 λ · линейная шкала · в свободном пространстве"));
    build(QStringLiteral("1,5"));
    EXPECT_NE(shown(), half);
    EXPECT_EQ(page->Caption(), QStringLiteral("M = 1,5 λ · линейная шкала · в свободном пространстве"));
    build(QStringLiteral("0,5"));
    EXPECT_EQ(shown(), half);
}

// What each of the user's acts does to the picture and to the mesh: turning
// and zooming draw the same mesh again, the choices make a new one, and the
// dB scale's floor counts only on the dB scale.
TEST_F(SolidPageTest, OnlyTheChoicesOfWhatIsShownRemakeTheMesh)
{
    struct Case
    {
        const char *name;
        std::function<void()> act;
        bool newMesh;
        bool newPicture;
    };
    const Case cases[] = {
        {"a drag",
         [this] {
             drag({40, 25});
         },
         false, true},
        {"the wheel", [this] { wheel(1); }, false, true},
        {"the floor on the linear scale", [this] { choose("SolidFloorBox", 0); }, false, false},
        {"the dB scale", [this] { control<QCheckBox>("SolidDecibelBox")->setChecked(true); }, true, true},
        {"the floor on the dB scale", [this] { choose("SolidFloorBox", 4); }, true, true},
        {"the grid's step", [this] { choose("SolidStepBox", 2); }, true, true},
        {"the same length built again", [this] { build(QStringLiteral("0,5")); }, false, false},
        {"the ground", [this] { choose("SolidPlaceBox", 1); }, true, true},
        {"the height", [this] { typeHeight(QStringLiteral("0,75")); }, true, true},
        {"the same height again", [this] { typeHeight(QStringLiteral("0,75")); }, false, false},
    };
    for (const Case &c : cases) {
        const auto mesh = image->Mesh();
        const QImage before = shown();
        c.act();
        EXPECT_EQ(image->Mesh() != mesh, c.newMesh) << c.name;
        EXPECT_EQ(shown() != before, c.newPicture) << c.name;
        EXPECT_TRUE(page->Message().isEmpty()) << c.name;
    }
}

TEST_F(SolidPageTest, ADragTurnsTheSolidAndTheResetBringsBackTheFirstView)
{
    // Over the ground a horizontal wire's solid differs all round: a turn
    // about the vertical shows.
    choose("SolidPlaceBox", 1);
    const QImage first = shown();
    drag({60, 0});
    const QImage across = shown();
    EXPECT_NE(across, first);
    drag({0, 40});
    EXPECT_NE(shown(), across);
    // Straight down far beyond the top: the view stops looking straight down
    // at the solid's top, and stays there.
    drag({0, 1000});
    EXPECT_EQ(image->Turn().elevationDegrees, 90.0);
    const QImage top = shown();
    drag({0, 200});
    EXPECT_EQ(shown(), top);
    wheel(2);
    QTest::mouseClick(control<QPushButton>("SolidResetButton"), Qt::LeftButton);
    EXPECT_EQ(shown(), first);
}

TEST_F(SolidPageTest, TheWheelZoomsWithinBounds)
{
    const int fitted = drawnWidth(shown());
    struct Case
    {
        const char *name;
        int notches;
        bool larger;
    };
    const Case cases[] = {{"toward the user", -1, false}, {"away from the user", 1, true}};
    for (const Case &c : cases) {
        QTest::mouseClick(control<QPushButton>("SolidResetButton"), Qt::LeftButton);
        wheel(c.notches);
        const int once = drawnWidth(shown());
        EXPECT_EQ(once > fitted, c.larger) << c.name;
        EXPECT_NE(once, fitted) << c.name;
        // Far on, the zoom stops at its bound: a further notch changes nothing,
        // and the solid neither vanishes nor leaves the picture.
        wheel(20 * c.notches);
        const QImage bound = shown();
        wheel(c.notches);
        EXPECT_EQ(shown(), bound) << c.name;
        EXPECT_GT(drawnWidth(bound), 50) << c.name;
        EXPECT_EQ(drawnWidth(bound) > once, c.larger) << c.name;
    }
}

// Over the ground its plane shows under the solid, in free space none does.
TEST_F(SolidPageTest, EachPlaceDrawsItsSolidAndTheGroundWhereThereIsOne)
{
    struct Case
    {
        const char *name;
        int index;
        bool ground;
        const char *caption;
    };
    const Case cases[] = {
        {"horizontal", 1, true, "M = 0,5 λ · линейная шкала · горизонтальный над идеальной землёй, h = 0,5 λ"},
        {"vertical", 2, true, "M = 0,5 λ · линейная шкала · вертикальный над идеальной землёй, h = 0,5 λ"},
        {"monopole", 3, true, "M = 0,5 λ · линейная шкала · монополь высотой 0,25 λ на идеальной земле"},
        {"free space", 0, false, "M = 0,5 λ · линейная шкала · в свободном пространстве"},
    };
    QList<QImage> pictures;
    for (const Case &c : cases) {
        choose("SolidPlaceBox", c.index);
        EXPECT_EQ(pixelsOfColour(shown(), kGroundColour) > 1000, c.ground) << c.name;
        EXPECT_EQ(page->Caption(), QString::fromUtf8(c.caption)) << c.name;
        EXPECT_EQ(control<TCalcEdit>("SolidHeightField")->isEnabled(), c.index == 1 || c.index == 2) << c.name;
        EXPECT_FALSE(pictures.contains(shown())) << c.name;
        pictures << shown();
    }
}

// A height the ground refuses says why beside the field and leaves the
// picture and its line as they were; a good one then draws.
TEST_F(SolidPageTest, ARefusedHeightKeepsTheLastPicture)
{
    struct Case
    {
        const char *name;
        int place;
        const char *height;
        const char *message;
    };
    const Case cases[] = {
        {"vertical, into the ground", 2, "0,25",
         "Вибратор касается земли: высота центра должна быть больше половины его длины, 0,25 λ"},
        {"vertical, below it", 2, "-1",
         "Вибратор касается земли: высота центра должна быть больше половины его "
         "длины, 0,25 λ"},
        {"horizontal, on the ground", 1, "0", "Провод касается земли: высота должна быть больше его радиуса, 0,001 λ"},
        {"horizontal, too high", 1, "100,5", "Высота центра должна быть не больше 100 λ"},
    };
    for (const Case &c : cases) {
        choose("SolidPlaceBox", c.place);
        typeHeight(QStringLiteral("0,5"));
        const QImage good = shown();
        const QString caption = page->Caption();
        typeHeight(QString::fromUtf8(c.height));
        EXPECT_EQ(page->Message(), QString::fromUtf8(c.message)) << c.name;
        EXPECT_EQ(shown(), good) << c.name;
        EXPECT_EQ(page->Caption(), caption) << c.name;
        EXPECT_TRUE(notifier.boxes.empty()) << c.name;
        typeHeight(QStringLiteral("1"));
        EXPECT_TRUE(page->Message().isEmpty()) << c.name;
        EXPECT_NE(shown(), good) << c.name;
    }
    // A length built later that the height no longer keeps off the ground.
    choose("SolidPlaceBox", 2);
    const QImage standing = shown();
    build(QStringLiteral("2,5"));
    EXPECT_EQ(page->Message(), QStringLiteral("Вибратор касается земли: высота центра должна быть больше половины "
                                              "его длины, 1,25 λ"));
    EXPECT_EQ(shown(), standing);
    // Away from the ground the height does not count.
    choose("SolidPlaceBox", 0);
    EXPECT_TRUE(page->Message().isEmpty());
    EXPECT_EQ(page->Caption(), QStringLiteral("M = 2,5 λ · линейная шкала · в свободном пространстве"));
}

TEST_F(SolidPageTest, AFamilyIsShownOneLengthAtATime)
{
    auto *lengths = control<QComboBox>("SolidLengthBox");
    EXPECT_FALSE(lengths->isVisible()) << "a single length";
    page->SetFamily({0.5, 1.5, 2.5});
    ASSERT_TRUE(lengths->isVisible());
    ASSERT_EQ(lengths->count(), 3);
    EXPECT_EQ(lengths->itemText(2), QStringLiteral("M = 2,5 λ"));
    const QImage first = shown();
    EXPECT_TRUE(page->Caption().startsWith(QStringLiteral("M = 0,5 λ ·")));
    QList<QImage> pictures{first};
    for (int i : {1, 2}) {
        lengths->setCurrentIndex(i);
        EXPECT_TRUE(page->Caption().startsWith(QStringLiteral("M = %1,5 λ ·").arg(i))) << i;
        EXPECT_FALSE(pictures.contains(shown())) << i;
        pictures << shown();
    }
    lengths->setCurrentIndex(0);
    EXPECT_EQ(shown(), first);
    // A build of one length ends the family's list.
    build(QStringLiteral("1,5"));
    EXPECT_FALSE(lengths->isVisible());
    EXPECT_EQ(shown(), pictures[1]);
}

// The picture's menu, as the laboratory's other pictures have it: the
// raster files hold the pixels shown, the vector files and the page the
// same view drawn again.
TEST_F(SolidPageTest, ThePictureMenuCopiesSavesAndPrintsTheViewShown)
{
    drag({30, 10});
    wheel(1);
    const QImage view = shown();
    QGuiApplication::clipboard()->clear();
    EXPECT_EQ(RightClickPicture(image, QStringLiteral("Копировать")),
              QStringList({"Копировать", "Сохранить как…", "Печать…"}));
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), view);

    QTemporaryDir dir;
    std::optional<PictureSaveChoice> answer;
    QString suggested;
    lab->PicturesMenu().setSaveDialog([&](QWidget *, const QString &file, std::optional<bool>) {
        suggested = file;
        return answer;
    });
    for (const PictureFormat format :
         {PictureFormat::Bmp, PictureFormat::Png, PictureFormat::Svg, PictureFormat::Pdf}) {
        const QString file = dir.filePath(QStringLiteral("solid.") + PictureFormatName(format));
        answer = PictureSaveChoice{file, format, false};
        RightClickPicture(image, QStringLiteral("Сохранить как…"));
        QFile saved(file);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << file.toStdString();
        const QByteArray data = saved.readAll();
        if (format == PictureFormat::Svg)
            EXPECT_TRUE(
                data.contains(
                    QStringLiteral("<svg width=\"%1\" height=\"%2\"").arg(view.width()).arg(view.height()).toUtf8())
                && (data.contains("<polygon") || data.contains("<path")) && !data.contains("<image"));
        else if (format == PictureFormat::Pdf)
            EXPECT_TRUE(data.startsWith("%PDF") && data.size() > 10000);
        else
            EXPECT_EQ(QImage::fromData(data).convertToFormat(QImage::Format_RGB32), view) << file.toStdString();
    }
    EXPECT_EQ(QFileInfo(suggested).fileName(), QStringLiteral("solid.png"));

    const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
    lab->PicturesMenu().setPrintDialog([&](QWidget *, QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    RightClickPicture(image, QStringLiteral("Печать…"));
    EXPECT_GT(QFileInfo(pdf).size(), 10000);
    EXPECT_EQ(notifier.boxes.size(), 4u) << "one message a saved file, none for the page";
}
