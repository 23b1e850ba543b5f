// The laboratory window driven as a user would: lengths built in
// the main window, a radius and a line resistance typed into its fields and
// taken with Enter or by leaving the field. Its figures are compared with
// reference figures found without the program's code, its pictures with
// what their pixels must show.
#include "PictureRightClick.h"
#include "QtPrinters.h"
#include "RecordingNotifier.h"
#include "ShownMainWindow.h"
#include "app/Application.h"
#include "app/ImageControl.h"
#include "app/ImpedanceWindow.h"
#include "app/UnitMain.h"
#include "numbers/LocaleNumberSettings.h"
#include "widgets/CalcEdit.h"

#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

// The figures below are the induced-EMF method's closed form with mpmath's
// own Si and Ci, rounded as the window writes them, and the lengths where its
// X is 0: the lines after "the window" of
//     python3 tests/physics/antenna_reference.py
// (and M = 0.5 gives 73.08 + j42.52 Ω for any thin radius, M = 0.25 with
// A = 0.001 gives 13.43 − j446.68 Ω, the SWR of 0.5 on 50 Ω 2.18).

namespace {

// The colours the pictures draw in: the current and R, X, and the marks of X = 0.
const QColor kCurrentColour(0x1f, 0x3a, 0x93);
const QColor kReactanceColour(0xb0, 0x30, 0x30);
const QColor kResonanceColour(0x2e, 0x7d, 0x32);

// How much of a pixel a line of the colour covers, the line being smoothed
// over white: 0 for white, 1 for the colour itself, -1 for a pixel that no
// mix of the two makes (another colour, or grey).
double coverage(QRgb pixel, const QColor &colour)
{
    const int shown[] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
    const int ink[] = {colour.red(), colour.green(), colour.blue()};
    double low = 2.0;
    double high = -1.0;
    for (int i = 0; i < 3; ++i) {
        const double share = double(255 - shown[i]) / (255 - ink[i]);
        low = std::min(low, share);
        high = std::max(high, share);
    }
    return high - low <= 0.15 ? (low + high) / 2 : -1.0;
}

bool isOfColour(QRgb pixel, const QColor &colour)
{
    return coverage(pixel, colour) >= 0.4;
}

int pixelsOfColour(const QImage &image, const QColor &colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += isOfColour(image.pixel(x, y), colour);
    return count;
}

// The current curve as its pixels show it. Its ends lie on the axis, so the
// lowest of the columns' top pixels is the height 0; the feed is the middle
// of the curve's width. feed: the curve's height just left of the feed (the
// feed's label sits to the right) against its highest; peak: how far the
// leftmost maximum lies from the feed, against half the curve's width.
struct DrawnCurrent
{
    double feed = 0.0;
    double peak = 0.0;
};

DrawnCurrent readCurrent(const QImage &image)
{
    std::vector<int> top(image.width(), -1);
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height() && top[x] < 0; ++y)
            if (isOfColour(image.pixel(x, y), kCurrentColour))
                top[x] = y;
    const auto drawn = [](int row) { return row >= 0; };
    const int left = int(std::find_if(top.begin(), top.end(), drawn) - top.begin());
    const int right = int(top.rend() - std::find_if(top.rbegin(), top.rend(), drawn)) - 1;
    if (left >= right)
        return {};
    int highest = image.height();
    int axis = 0;
    for (int x = left; x <= right; ++x) {
        if (!drawn(top[x]))
            continue;
        highest = std::min(highest, top[x]);
        axis = std::max(axis, top[x]);
    }
    int peakFrom = left;
    while (top[peakFrom] != highest)
        ++peakFrom;
    int peakTo = peakFrom;
    while (top[peakTo + 1] == highest)
        ++peakTo;
    const double middle = (left + right) / 2.0;
    const double height = axis - highest;
    return {(axis - top[int(middle) - 2]) / height, (middle - (peakFrom + peakTo) / 2.0) / (middle - left)};
}

// The marks of X = 0 on the impedance picture, left to right: the columns
// (one per mark, the first of a smoothed pair) where the mark's colour
// reaches down the chart.
std::vector<int> resonanceMarks(const QImage &image)
{
    std::vector<int> marks;
    for (int x = 0; x < image.width(); ++x) {
        int rows = 0;
        for (int y = 0; y < image.height(); ++y)
            rows += isOfColour(image.pixel(x, y), kResonanceColour);
        if (rows >= 20 && (marks.empty() || marks.back() < x - 2))
            marks.push_back(x);
    }
    return marks;
}

class ImpedanceWindowTest : public ShownMainWindowTest
{
protected:
    // Opens the window from the picture's menu.
    TFormImpedance *open()
    {
        RightClickPicture(form->Image1(), QStringLiteral("Лаборатория…"));
        TFormImpedance *window = form->ImpedanceWindow();
        if (window) {
            QApplication::setActiveWindow(window);
            EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        }
        return window;
    }

    // The picture as its tab shows it: a hidden picture is drawn when its
    // tab is brought forward, as a user's click on the tab does here.
    static QImage shown(TImage *image)
    {
        auto *tabs = image->window()->findChild<QTabWidget *>(QStringLiteral("Tabs"));
        for (int i = 0; tabs && i < tabs->count(); ++i)
            if (tabs->widget(i) == image || tabs->widget(i)->isAncestorOf(image))
                tabs->setCurrentIndex(i);
        return image->ShownImage();
    }

    // Types into a field of the window as a user does, then presses `key`
    // (Enter takes the text, Tab leaves the field).
    void type(TCalcEdit *field, const QString &text, Qt::Key key = Qt::Key_Return)
    {
        QApplication::setActiveWindow(field->window());
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
        QTest::keyClick(field, key);
    }

    ScopedLocaleNumberSettings locale{LocaleNumberSettings::russian()};
    RecordingNotifier notifier;
};

TEST_F(ImpedanceWindowTest, TheMenuOffersItOnlyOnceALengthIsBuilt)
{
    EXPECT_EQ(RightClickPicture(form->Image1()), QStringList()) << "the start-up title";
    form->ShowImpedanceWindow();
    EXPECT_EQ(form->ImpedanceWindow(), nullptr);
    // A family alone builds no length.
    form->findChild<QCheckBox *>(QStringLiteral("CheckBox2"))->setChecked(true);
    QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("Button4")), Qt::LeftButton);
    EXPECT_FALSE(RightClickPicture(form->Image1()).contains(QStringLiteral("Лаборатория…")));
    build(QStringLiteral("0,5"));
    EXPECT_EQ(RightClickPicture(form->Image1()).value(3), QStringLiteral("Лаборатория…"));
    EXPECT_EQ(form->ImpedanceWindow(), nullptr) << "not before it is chosen";
}

TEST_F(ImpedanceWindowTest, OpensForTheLengthBuiltAsASeparateWindow)
{
    const QSize mainSize = form->size();
    build(QStringLiteral("0,5"));
    TFormImpedance *window = open();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isWindow());
    EXPECT_EQ(window->parent(), nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Лаборатория"));
    EXPECT_EQ(window->Model().length(), 0.5);
    EXPECT_EQ(window->RadiusField()->Value(), 0.001L);
    EXPECT_EQ(window->ReferenceField()->Value(), 50.0L);
    EXPECT_EQ(window->ImpedanceFigure(), QStringLiteral("73,08 + j42,52 Ом"));
    EXPECT_EQ(window->StandingWaveRatioFigure(), QStringLiteral("2,18"));
    EXPECT_EQ(window->FeedCurrentFigure(), QStringLiteral("1"));
    const QImage current = shown(window->Image1());
    EXPECT_EQ(current.size(), window->Image1()->size());
    EXPECT_NEAR(readCurrent(current).feed, 1.0, 0.04);
    const QImage impedance = shown(window->Image2());
    EXPECT_EQ(impedance.size(), window->Image2()->size());
    EXPECT_GT(pixelsOfColour(impedance, kCurrentColour), 300) << "R";
    EXPECT_GT(pixelsOfColour(impedance, kReactanceColour), 300) << "X";
    // X = 0 at 0.478, 1.062, 1.478, 2.062 and 2.479 between 0.1 and 3.
    EXPECT_EQ(resonanceMarks(impedance).size(), 5u);
    EXPECT_EQ(form->size(), mainSize);
}

TEST_F(ImpedanceWindowTest, FollowsEveryBuildButNotTheFamily)
{
    build(QStringLiteral("1,5"));
    TFormImpedance *window = open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->ImpedanceFigure(), QStringLiteral("105,42 + j45,51 Ом"));
    const QImage current15 = shown(window->Image1());

    build(QStringLiteral("0,75"));
    EXPECT_EQ(window->Model().length(), 0.75);
    EXPECT_EQ(window->ImpedanceFigure(), QStringLiteral("371,36 + j793,18 Ом"));
    EXPECT_EQ(window->FeedCurrentFigure(), QStringLiteral("0,707"));
    EXPECT_NE(shown(window->Image1()), current15);
    EXPECT_NEAR(readCurrent(shown(window->Image1())).feed, 0.707, 0.04);

    // The family command draws other lengths; the window keeps the build's.
    QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("Button4")), Qt::LeftButton);
    EXPECT_EQ(window->Model().length(), 0.75);

    // A closed window opened again shows the length built meanwhile.
    window->close();
    build(QStringLiteral("0,25"));
    ASSERT_EQ(open(), window);
    EXPECT_EQ(window->ImpedanceFigure(), QStringLiteral("13,43 − j446,68 Ом"));

    // Near a full wave the note says the figures are the model's, and goes
    // with the next build.
    EXPECT_TRUE(window->ModelLimitFigure().isEmpty());
    build(QStringLiteral("1,062"));
    EXPECT_TRUE(window->ModelLimitFigure().startsWith(QStringLiteral("В модели синусоидального тока")));
    build(QStringLiteral("1,5"));
    EXPECT_TRUE(window->ModelLimitFigure().isEmpty());
}

// The current's picture for a length: its height just beside the feed, and
// where its leftmost highest point lies, a quarter wave in from the end, or
// at the feed where the outer half-waves flow against the feed's current and
// are drawn below the zero line.
struct CurrentPictureCase
{
    const char *name;
    QString length;
    double feed;
    double peak;
};

TEST_F(ImpedanceWindowTest, TheCurrentsPictureShowsTheFeedAndTheMaxima)
{
    const CurrentPictureCase cases[] = {
        {"HalfWave", QStringLiteral("0,5"), 1.0, 0.0},    {"ThreeQuarters", QStringLiteral("0,75"), 0.707, 1.0 / 3},
        {"FullWave", QStringLiteral("1"), 0.0, 0.5},      {"OneAndAHalf", QStringLiteral("1,5"), 1.0, 0.0},
        {"TwoAndAHalf", QStringLiteral("2,5"), 1.0, 0.8},
    };
    build(QStringLiteral("0,5"));
    TFormImpedance *window = open();
    ASSERT_NE(window, nullptr);
    for (const CurrentPictureCase &c : cases) {
        build(c.length);
        const DrawnCurrent current = readCurrent(shown(window->Image1()));
        EXPECT_NEAR(current.feed, c.feed, 0.04) << c.name;
        EXPECT_NEAR(current.peak, c.peak, 0.05) << c.name;
    }
}

TEST_F(ImpedanceWindowTest, RecomputesOnANewRadiusOrLineResistance)
{
    build(QStringLiteral("0,25"));
    TFormImpedance *window = open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->ImpedanceFigure(), QStringLiteral("13,43 − j446,68 Ом"));
    const QImage curve = shown(window->Image2());

    type(window->RadiusField(), QStringLiteral("0,01"));
    EXPECT_EQ(window->Model().radius(), 0.01);
    EXPECT_EQ(window->ImpedanceFigure(), QStringLiteral("13,43 − j170,56 Ом"));
    EXPECT_EQ(window->StandingWaveRatioFigure(), QStringLiteral("47,29"));
    EXPECT_NE(shown(window->Image2()), curve);
    // A thicker wire's X = 0 moves from 0.478 to 0.457 and from 1.062 to 1.108.
    const std::vector<int> thin = resonanceMarks(curve);
    const std::vector<int> thick = resonanceMarks(shown(window->Image2()));
    ASSERT_EQ(thin.size(), 5u);
    ASSERT_EQ(thick.size(), 5u);
    EXPECT_LT(thick[0], thin[0]);
    EXPECT_GT(thick[1], thin[1] + 2);

    // Leaving the field takes its text as well.
    type(window->RadiusField(), QStringLiteral("0,002"), Qt::Key_Tab);
    EXPECT_EQ(window->ImpedanceFigure(), QStringLiteral("13,43 − j363,56 Ом"));

    type(window->ReferenceField(), QStringLiteral("75"));
    EXPECT_EQ(window->StandingWaveRatioFigure(), QStringLiteral("136,97"));
    EXPECT_TRUE(notifier.boxes.empty());
}

struct RefusedRadius
{
    const char *name;
    QString typed;
    QString message;
};

TEST_F(ImpedanceWindowTest, ABadRadiusIsRefusedWithAMessageAndTheOldFiguresKept)
{
    build(QStringLiteral("0,08"));
    TFormImpedance *window = open();
    ASSERT_NE(window, nullptr);
    const QString figure = QStringLiteral("1,27 − j1252,42 Ом");
    const RefusedRadius cases[] = {
        {"Zero", QStringLiteral("0"), QStringLiteral("Радиус провода должен быть больше нуля.")},
        {"Empty", QString(), QStringLiteral("Радиус провода должен быть больше нуля.")},
        {"Negative", QStringLiteral("-0,01"), QStringLiteral("Радиус провода должен быть больше нуля.")},
        {"TooThick", QStringLiteral("0,06"),
         QStringLiteral("Радиус провода 0,06 λ слишком велик: допустимо не более 0,05 λ.")},
        {"BelowTheThinnest", QStringLiteral("1E-13"),
         QStringLiteral("Радиус провода 1E-13 λ слишком мал: допустимо не менее 1E-12 λ.")},
        {"Subnormal", QStringLiteral("1E-320"),
         QStringLiteral("Радиус провода слишком мал: допустимо не менее 1E-12 λ.")},
        {"BeyondTheDoubles", QStringLiteral("1E999"),
         QStringLiteral("Радиус провода слишком велик: допустимо не более 0,05 λ.")},
        {"HalfTheLength", QStringLiteral("0,04"),
         QStringLiteral("Радиус провода 0,04 λ слишком велик для вибратора длиной 0,08 λ: радиус должен быть меньше "
                        "половины длины, 0,04 λ.")},
    };
    for (const RefusedRadius &c : cases) {
        notifier.boxes.clear();
        const QImage curve = shown(window->Image2());
        type(window->RadiusField(), c.typed);
        ASSERT_EQ(notifier.boxes.size(), 1u) << c.name;
        EXPECT_EQ(notifier.boxes[0].text, c.message) << c.name;
        EXPECT_EQ(notifier.boxes[0].caption, QStringLiteral("Недопустимый радиус провода")) << c.name;
        EXPECT_FALSE(notifier.boxes[0].error) << c.name;
        EXPECT_EQ(window->Model().radius(), 0.001) << c.name;
        EXPECT_EQ(window->RadiusField()->Value(), 0.001L) << c.name;
        EXPECT_EQ(window->ImpedanceFigure(), figure) << c.name;
        EXPECT_EQ(shown(window->Image2()), curve) << c.name;
        // The field's text was put back: leaving it now says nothing more.
        QTest::keyClick(window->RadiusField(), Qt::Key_Tab);
        EXPECT_EQ(notifier.boxes.size(), 1u) << c.name;
    }
}

// The field's value is what the window takes: a text that is no number reads
// as the field's least value, 0, which is no radius.
TEST_F(ImpedanceWindowTest, ATextThatIsNoNumberIsRefusedAsNoRadius)
{
    build(QStringLiteral("0,5"));
    TFormImpedance *window = open();
    ASSERT_NE(window, nullptr);
    // Typing cannot make such a text; a program setting it can.
    TCalcEdit *field = window->RadiusField();
    QApplication::setActiveWindow(window);
    field->setFocus();
    field->setText(QStringLiteral("0,0,1"));
    QTest::keyClick(field, Qt::Key_Return);
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_EQ(notifier.boxes[0].text, QStringLiteral("Радиус провода должен быть больше нуля."));
    EXPECT_EQ(window->Model().radius(), 0.001);
    EXPECT_EQ(window->ImpedanceFigure(), QStringLiteral("73,08 + j42,52 Ом"));
}

TEST_F(ImpedanceWindowTest, ABadLineResistanceIsRefused)
{
    build(QStringLiteral("0,5"));
    TFormImpedance *window = open();
    ASSERT_NE(window, nullptr);
    type(window->ReferenceField(), QStringLiteral("0"));
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_EQ(notifier.boxes[0].text, QStringLiteral("Волновое сопротивление линии должно быть больше нуля."));
    EXPECT_EQ(window->Model().referenceResistance(), 50.0);
    EXPECT_EQ(window->ReferenceField()->Value(), 50.0L);
    EXPECT_EQ(window->StandingWaveRatioFigure(), QStringLiteral("2,18"));
}

TEST_F(ImpedanceWindowTest, ABuildTooShortForTheWireKeepsTheRadiusAndSaysSo)
{
    build(QStringLiteral("0,5"));
    TFormImpedance *window = open();
    ASSERT_NE(window, nullptr);
    type(window->RadiusField(), QStringLiteral("0,05"));
    ASSERT_EQ(window->Model().radius(), 0.05);
    build(QStringLiteral("0,08"));
    EXPECT_EQ(window->Model().radius(), 0.05);
    EXPECT_EQ(window->ImpedanceFigure(), QStringLiteral("не определено: радиус провода не меньше половины длины"));
    EXPECT_EQ(window->StandingWaveRatioFigure(), QStringLiteral("—"));
    // Lengths the build command draws but nothing here computes.
    build(QStringLiteral("-35"));
    EXPECT_EQ(window->ImpedanceFigure(), QStringLiteral("не вычисляется для длины 30 λ и более"));
    build(QStringLiteral("1"));
    EXPECT_EQ(window->ImpedanceFigure(), QStringLiteral("в модели бесконечно: в точке питания узел тока"));
    EXPECT_EQ(window->StandingWaveRatioFigure(), QStringLiteral("∞"));
}

// The window's pictures are drawn for the size the window gives them: a
// larger window, larger pictures; the pictures stay above the fields.
TEST_F(ImpedanceWindowTest, ResizedItDrawsItsPicturesForTheirNewSize)
{
    build(QStringLiteral("1,5"));
    TFormImpedance *window = open();
    ASSERT_NE(window, nullptr);
    window->resize(400, 300);
    EXPECT_EQ(window->size(), QSize(800, 600)) << "the least size";
    const QSize sizes[] = {{800, 600}, {1600, 1000}};
    std::vector<int> widths;
    for (const QSize size : sizes) {
        window->resize(size);
        for (TImage *picture : {window->PolarImage(), window->RectangularImage(), window->Image1(), window->Image2()}) {
            const QSize drawn = shown(picture).size();
            EXPECT_EQ(drawn, picture->size()) << picture->objectName().toStdString() << size.width();
            const QRect area(picture->mapTo(window, QPoint(0, 0)), picture->size());
            EXPECT_LT(area.bottom(), window->RadiusField()->geometry().top()) << picture->objectName().toStdString();
            widths.push_back(picture->width());
        }
    }
    for (size_t i = 0; i < 4; ++i)
        EXPECT_GT(widths[i + 4], widths[i] + 300) << i;
}

TEST_F(ImpedanceWindowTest, ThePatternFollowsTheBuildOnALinearOrDecibelScale)
{
    build(QStringLiteral("1,5"));
    TFormImpedance *window = open();
    ASSERT_NE(window, nullptr);
    const QImage polar = shown(window->PolarImage());
    const QImage rectangular = shown(window->RectangularImage());
    EXPECT_TRUE(window->ReadoutsFigure().startsWith(QStringLiteral("М = 1,5 · Максимум при θ = 42,56°; 137,44°")));

    QTest::mouseClick(window->DecibelBox(), Qt::LeftButton, {}, QPoint(4, window->DecibelBox()->height() / 2));
    ASSERT_TRUE(window->DecibelBox()->isChecked());
    EXPECT_NE(shown(window->PolarImage()), polar);
    EXPECT_NE(shown(window->RectangularImage()), rectangular);
    QTest::mouseClick(window->DecibelBox(), Qt::LeftButton, {}, QPoint(4, window->DecibelBox()->height() / 2));
    EXPECT_EQ(shown(window->PolarImage()), polar);
    EXPECT_EQ(shown(window->RectangularImage()), rectangular);

    build(QStringLiteral("0,5"));
    EXPECT_NE(shown(window->PolarImage()), polar);
    EXPECT_TRUE(window->ReadoutsFigure().startsWith(QStringLiteral("М = 0,5 · Максимум при θ = 90,00°")));
    // A length drawn but beyond the readouts' limit has none.
    build(QStringLiteral("-35"));
    EXPECT_TRUE(window->ReadoutsFigure().isEmpty());
}

} // namespace
