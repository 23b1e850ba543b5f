// The calculator panel with real mouse clicks and typed keys: buttons reach
// the engine with the right key, typed keys press the button that shows
// them, and the keys without a button still work from the keyboard. Also
// the calculator at another screen resolution (run again at 144 dots per
// inch) and on an X server.
#include "QtPrinters.h"
#include "RealInput.h"
#include "RecordingNotifier.h"
#include "numbers/LocaleNumberSettings.h"
#include "widgets/CalcEdit.h"
#include "widgets/CalcGlyph.h"
#include "widgets/CalcPanel.h"
#include "widgets/PopupCalculator.h"

#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class CalcPanelTest : public ::testing::Test
{
protected:
    TCalcButton *button(const QString &caption)
    {
        for (TCalcButton *b : panel.findChildren<TCalcButton *>())
            if (b->Caption() == caption)
                return b;
        ADD_FAILURE() << "no key " << caption.toStdString();
        return nullptr;
    }
    void click(const char *caption) { ASSERT_TRUE(realinput::click(button(QString::fromUtf8(caption)))); }
    void type(const QString &keys)
    {
        for (QChar key : keys)
            panel.HandleKey(key);
    }
    QString display() const { return panel.Engine().displayText(); }

    ScopedLocaleNumberSettings locale{LocaleNumberSettings::russian()};
    RecordingNotifier notifier;
    TLocCalculator panel;
};

} // namespace

TEST_F(CalcPanelTest, MouseClicksOnTheKeysCompute)
{
    panel.resize(102, 125);
    panel.show();
    for (const char *key : {"1", "2", ",", "5", "*", "4", "="})
        click(key);
    EXPECT_EQ(display(), "50");
    click("\u00B1");
    EXPECT_EQ(display(), "-50");
    click("C");
    EXPECT_EQ(display(), "0");
    for (const char *key : {"9", "8", "<-", "/", "3", "-", "5", "+"})
        click(key);
    EXPECT_EQ(display(), "-2");
}

TEST_F(CalcPanelTest, TypedKeysPressTheirButton)
{
    TCalcButton *plus = button("+");
    TCalcButton *equals = button("=");
    QSignalSpy plusClicks(plus, &TGlyphButton::OnClick);
    QSignalSpy equalsClicks(equals, &TGlyphButton::OnClick);
    type(QStringLiteral("1+2\r"));
    EXPECT_EQ(plusClicks.count(), 1);
    EXPECT_EQ(equalsClicks.count(), 1); // Enter presses "="
    EXPECT_EQ(display(), "3");
    EXPECT_EQ(plus->State(), sbsUp);
}

TEST_F(CalcPanelTest, KeysWithoutButtonsWorkFromTheKeyboard)
{
    EXPECT_EQ(panel.FindKeyButton('Q'), nullptr);
    EXPECT_EQ(panel.FindKeyButton('%'), nullptr);
    EXPECT_EQ(panel.FindKeyButton('r'), nullptr);
    type("9q");
    EXPECT_EQ(display(), "3");
    type("4r");
    EXPECT_EQ(display(), "0,25");
    type("200+10%");
    EXPECT_EQ(display(), "220");
}

TEST_F(CalcPanelTest, SeparatorKeysPressTheLocaleSeparatorButton)
{
    TCalcButton *separator = panel.FindKeyButton('.');
    ASSERT_NE(separator, nullptr);
    EXPECT_EQ(separator->Caption(), ",");
    EXPECT_EQ(panel.FindKeyButton(','), separator);
    type(".5");
    EXPECT_EQ(display(), "0,5");
    EXPECT_EQ(panel.FindKeyButton(QChar(27)), button("C"));
}

TEST_F(CalcPanelTest, ErrorsBeepThroughTheNotifier)
{
    type("5/0=");
    EXPECT_EQ(display(), "Error");
    EXPECT_EQ(notifier.beeps, 1);
    panel.Engine().setBeepOnError(false);
    type("C1/0=");
    EXPECT_EQ(notifier.beeps, 1);
}

TEST(CalcGlyph, IsTwoImagesWithAMagentaCorner)
{
    const QImage &glyph = CalcGlyph();
    ASSERT_FALSE(glyph.isNull());
    EXPECT_EQ(glyph.size(), QSize(28, 12));
    EXPECT_EQ(glyph.pixel(0, 11) & 0xFFFFFF, 0xFF00FFu);
    EXPECT_EQ(&CalcGlyph(), &glyph);
}

TEST_F(CalcPanelTest, OverflowGoesToTheErrorBoxAndTheCalculatorGoesOn)
{
    // Each product multiplies by almost 10^15; the 21st leaves the double range.
    CalculatorEngine &engine = panel.Engine();
    for (int i = 0; i < 20; ++i)
        for (QChar key : QStringLiteral("999999999999999*"))
            engine.processKey(key);
    for (QChar key : QStringLiteral("999999999999999"))
        engine.processKey(key);
    const QString before = display();
    type(QStringLiteral("*")); // pressed as a key button, as the user would
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_EQ(notifier.boxes[0].text, "Floating point overflow.");
    EXPECT_EQ(display(), before);
    type(QStringLiteral("C2+2="));
    EXPECT_EQ(display(), "4");
}

TEST(CalculatorDpi, CaptionsGrowWithTheirKeys)
{
    // The windows use a face sized in pixels, which does not follow the
    // screen's resolution by itself.
    const QFont before = QApplication::font();
    QFont pixelFace = before;
    pixelFace.setPixelSize(11);
    QApplication::setFont(pixelFace);
    const auto restore = qScopeGuard([&] { QApplication::setFont(before); });
    {
        TCalcEdit field;
        const int dpi = field.logicalDpiY();
        if (qEnvironmentVariableIsSet("QT_FONT_DPI")) {
            ASSERT_EQ(dpi, qEnvironmentVariableIntValue("QT_FONT_DPI"));
        }
        TPopupCalculator *calculator = field.Calculator();
        ASSERT_NE(calculator, nullptr);
        EXPECT_EQ(calculator->size(), QSize(104 * dpi / 96, 127 * dpi / 96));
        const QList<TCalcButton *> keys = calculator->findChildren<TCalcButton *>();
        ASSERT_EQ(keys.size(), 19);
        for (TCalcButton *key : keys) {
            EXPECT_EQ(key->height(), 21 * dpi / 96) << key->Caption().toStdString();
            EXPECT_EQ(key->font().pixelSize(), 11 * dpi / 96) << key->Caption().toStdString();
            EXPECT_TRUE(key->font().bold()) << key->Caption().toStdString();
        }
    }
}
