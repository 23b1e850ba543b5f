// The "Ток и сопротивление" window driven as a user would: lengths built in
// the main window, a radius and a line resistance typed into its fields and
// taken with Enter or by leaving the field. Its figures are compared with the
// antenna library's impedance, and with reference values found another way
// (M = 0.5: 73.08 + j42.52 Ω for any radius; M = 0.25, A = 0.001: X =
// −446.68 Ω); its pictures with the pictures drawn for its model directly.
#include "QtPrinters.h"
#include "RealInput.h"
#include "RecordingNotifier.h"
#include "ShownMainWindow.h"
#include "app/Application.h"
#include "app/ImageControl.h"
#include "app/ImpedanceWindow.h"
#include "app/UnitMain.h"
#include "app/WireImages.h"
#include "numbers/LocaleNumberSettings.h"
#include "numbers/NumberText.h"
#include "physics/InducedEmf.h"
#include "physics/StandingWaveRatio.h"
#include "widgets/CalcEdit.h"

#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// "R + jX Ом" as the window writes it, from the library's impedance.
QString expectedImpedance(double M, double radius)
{
    const Impedance z = *InducedEmfImpedance(M, radius).atFeed;
    const QString sign = z.reactance < 0 ? QStringLiteral(" − j") : QStringLiteral(" + j");
    return FixedNumberText(z.resistance, 2) + sign + FixedNumberText(std::fabs(z.reactance), 2) + QStringLiteral(" Ом");
}

QString expectedRatio(double M, double radius, double reference)
{
    return FixedNumberText(StandingWaveRatio(*InducedEmfImpedance(M, radius).atFeed, reference), 2);
}

// The items of the menu that a right click on the main window's polar
// picture opens (none when no menu opens), choosing `choose` with the
// keyboard. On X the click goes through the X server.
QStringList RightClickPicture(TForm1 &form, const QString &choose = QString())
{
    QStringList items;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible())
            return;
        poll.stop();
        for (const QAction *action : menu->actions())
            items << action->text();
        const int index = int(items.indexOf(choose));
        if (index < 0) {
            menu->close();
            return;
        }
        for (int i = 0; i <= index; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    poll.start();
    TImage *image = form.findChild<TImage *>(QStringLiteral("Image1"));
    form.findChild<QTabWidget *>()->setCurrentWidget(image->parentWidget());
    EXPECT_TRUE(QTest::qWaitFor([&] { return image->isVisible(); }, 2000));
    const QPoint pos(120, 90);
    if (realinput::onX11()) {
        const QPoint global = image->mapToGlobal(pos);
        EXPECT_TRUE(
            realinput::xdotool({"mousemove", QString::number(global.x()), QString::number(global.y()), "click", "3"},
                               QEvent::MouseButtonPress));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !QApplication::activePopupWidget(); }, 5000));
    } else {
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, image->mapToGlobal(pos));
        QApplication::sendEvent(image, &event);
    }
    return items;
}

class ImpedanceWindowTest : public ShownMainWindowTest
{
protected:
    // Opens the window from the picture's menu.
    TFormImpedance *open()
    {
        RightClickPicture(*form, QStringLiteral("Ток и сопротивление…"));
        TFormImpedance *window = form->ImpedanceWindow();
        if (window) {
            QApplication::setActiveWindow(window);
            EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        }
        return window;
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
    EXPECT_EQ(RightClickPicture(*form), QStringList()) << "the start-up title";
    form->ShowImpedanceWindow();
    EXPECT_EQ(form->ImpedanceWindow(), nullptr);
    // A family alone builds no length.
    form->findChild<QCheckBox *>(QStringLiteral("CheckBox2"))->setChecked(true);
    QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("Button4")), Qt::LeftButton);
    EXPECT_FALSE(RightClickPicture(*form).contains(QStringLiteral("Ток и сопротивление…")));
    build(QStringLiteral("0,5"));
    EXPECT_EQ(RightClickPicture(*form).value(3), QStringLiteral("Ток и сопротивление…"));
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
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ток и сопротивление"));
    EXPECT_EQ(window->Model().length(), 0.5);
    EXPECT_EQ(window->RadiusField()->Value(), 0.001L);
    EXPECT_EQ(window->ReferenceField()->Value(), 50.0L);
    EXPECT_EQ(window->ImpedanceFigure(), QStringLiteral("73,08 + j42,52 Ом"));
    EXPECT_EQ(window->StandingWaveRatioFigure(), QStringLiteral("2,18"));
    EXPECT_EQ(window->FeedCurrentFigure(), QStringLiteral("1"));
    EXPECT_EQ(window->Image1()->ShownImage(), CurrentImage(window->Model(), window->Image1()->size()));
    EXPECT_EQ(window->Image2()->ShownImage(), ImpedanceImage(window->Model(), window->Image2()->size()));
    EXPECT_EQ(form->size(), mainSize);
}

TEST_F(ImpedanceWindowTest, FollowsEveryBuildButNotTheFamily)
{
    build(QStringLiteral("1,5"));
    TFormImpedance *window = open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->ImpedanceFigure(), expectedImpedance(1.5, 0.001));
    const QImage current15 = window->Image1()->ShownImage();

    build(QStringLiteral("0,75"));
    EXPECT_EQ(window->Model().length(), 0.75);
    EXPECT_EQ(window->ImpedanceFigure(), expectedImpedance(0.75, 0.001));
    EXPECT_EQ(window->FeedCurrentFigure(), QStringLiteral("0,707"));
    EXPECT_NE(window->Image1()->ShownImage(), current15);
    EXPECT_EQ(window->Image1()->ShownImage(), CurrentImage(window->Model(), window->Image1()->size()));

    // The family command draws other lengths; the window keeps the build's.
    QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("Button4")), Qt::LeftButton);
    EXPECT_EQ(window->Model().length(), 0.75);

    // A closed window opened again shows the length built meanwhile.
    window->close();
    build(QStringLiteral("0,25"));
    ASSERT_EQ(open(), window);
    EXPECT_EQ(window->ImpedanceFigure(), QStringLiteral("13,43 − j446,68 Ом"));
}

TEST_F(ImpedanceWindowTest, RecomputesOnANewRadiusOrLineResistance)
{
    build(QStringLiteral("0,25"));
    TFormImpedance *window = open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->ImpedanceFigure(), QStringLiteral("13,43 − j446,68 Ом"));
    const QImage curve = window->Image2()->ShownImage();

    type(window->RadiusField(), QStringLiteral("0,01"));
    EXPECT_EQ(window->Model().radius(), 0.01);
    EXPECT_EQ(window->ImpedanceFigure(), expectedImpedance(0.25, 0.01));
    EXPECT_EQ(window->StandingWaveRatioFigure(), expectedRatio(0.25, 0.01, 50));
    EXPECT_NE(window->Image2()->ShownImage(), curve);
    EXPECT_EQ(window->Image2()->ShownImage(), ImpedanceImage(window->Model(), window->Image2()->size()));

    // Leaving the field takes its text as well.
    type(window->RadiusField(), QStringLiteral("0,002"), Qt::Key_Tab);
    EXPECT_EQ(window->ImpedanceFigure(), expectedImpedance(0.25, 0.002));

    type(window->ReferenceField(), QStringLiteral("75"));
    EXPECT_EQ(window->StandingWaveRatioFigure(), expectedRatio(0.25, 0.002, 75));
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
    const QString figure = expectedImpedance(0.08, 0.001);
    const RefusedRadius cases[] = {
        {"Zero", QStringLiteral("0"), QStringLiteral("Радиус провода должен быть больше нуля.")},
        {"Empty", QString(), QStringLiteral("Радиус провода должен быть больше нуля.")},
        {"Negative", QStringLiteral("-0,01"), QStringLiteral("Радиус провода должен быть больше нуля.")},
        {"TooThick", QStringLiteral("0,06"),
         QStringLiteral("Радиус провода 0,06 λ слишком велик: допустимо не более 0,05 λ.")},
        {"BeyondTheDoubles", QStringLiteral("1E999"),
         QStringLiteral("Радиус провода слишком велик: допустимо не более 0,05 λ.")},
        {"HalfTheLength", QStringLiteral("0,04"),
         QStringLiteral("Радиус провода 0,04 λ слишком велик для вибратора длиной 0,08 λ: радиус должен быть меньше "
                        "половины длины, 0,04 λ.")},
    };
    for (const RefusedRadius &c : cases) {
        notifier.boxes.clear();
        const QImage curve = window->Image2()->ShownImage();
        type(window->RadiusField(), c.typed);
        ASSERT_EQ(notifier.boxes.size(), 1u) << c.name;
        EXPECT_EQ(notifier.boxes[0].text, c.message) << c.name;
        EXPECT_EQ(notifier.boxes[0].caption, QStringLiteral("Недопустимый радиус провода")) << c.name;
        EXPECT_FALSE(notifier.boxes[0].error) << c.name;
        EXPECT_EQ(window->Model().radius(), 0.001) << c.name;
        EXPECT_EQ(window->RadiusField()->Value(), 0.001L) << c.name;
        EXPECT_EQ(window->ImpedanceFigure(), figure) << c.name;
        EXPECT_EQ(window->Image2()->ShownImage(), curve) << c.name;
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
    EXPECT_EQ(window->ImpedanceFigure(), QStringLiteral("бесконечно велико: в точке питания узел тока"));
    EXPECT_EQ(window->StandingWaveRatioFigure(), QStringLiteral("∞"));
}

} // namespace
