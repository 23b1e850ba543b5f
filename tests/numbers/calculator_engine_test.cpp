#include "QtPrinters.h"
#include "numbers/CalculatorEngine.h"
#include "numbers/LocaleNumberSettings.h"
#include "numbers/NumberErrors.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class CountingBeeper : public Beeper
{
public:
    int beeps = 0;
    void beep() override { ++beeps; }
};

class FakeClipboard : public CalculatorClipboard
{
public:
    bool holdsText = true;
    QString content;
    bool hasText() const override { return holdsText; }
    QString text() const override { return content; }
    void setText(const QString &text) override { content = text; }
};

// Feeds the engine one character after another; "\b" is Backspace, "\r"
// Enter and "\x1b" Esc.
void type(CalculatorEngine &engine, const char *keys)
{
    for (const char *k = keys; *k; ++k)
        engine.processKey(QLatin1Char(*k));
}

class CalculatorEngineTest : public ::testing::Test
{
protected:
    CalculatorEngineTest()
    {
        engine.setBeeper(&beeper);
        engine.setClipboard(&clipboard);
    }

    ScopedLocaleNumberSettings locale{LocaleNumberSettings::russian()};
    CountingBeeper beeper;
    FakeClipboard clipboard;
    CalculatorEngine engine;
};

struct KeysCase
{
    const char *keys;
    const char *display;
};

TEST_F(CalculatorEngineTest, StartsAtZeroWaitingForANumber)
{
    EXPECT_EQ(engine.displayText(), "0");
    EXPECT_EQ(engine.status(), CalcStatus::NewNumber);
    EXPECT_TRUE(engine.pendingOperator().isNull());
    EXPECT_EQ(engine.effectivePrecision(), 15);
}

TEST(CalculatorEngineKeys, SequencesGiveTheExpectedDisplay)
{
    ScopedLocaleNumberSettings locale(LocaleNumberSettings::russian());
    const KeysCase cases[] = {
        {"0", "0"},
        {"00", "0"},
        {"05", "5"},
        {",5", "0,5"},
        {",5,", "0,5"},
        {"1/3=", "0,333333333333333"},
        {"0,1+0,2=", "0,3"},
        {"2+3*4=", "20"},
        {"7-=", "7"},
        {"5+-3=", "2"},
        {"2+3==", "5"},
        {"1+2\r", "3"},
        {"200+10%", "220"},
        {"200-10%", "180"},
        {"200*10%", "20"},
        {"200/10%", "2000"},
        {"50%", "50"},
        {"2+3=4", "4"},
        {"2+3=\b", "0"},
        {"12,5\b", "12,"},
        {"7_\b", "0"},
        {"7_", "-7"},
        {"123\b\b\b", "0"},
        {"5/0=", "Error"},
        {"5/0=7+", "Error"},
        {"5/0=C", "0"},
        {"5/0=\x1b", "Error"},
        {"5/0=C2+2=", "4"},
        {"9Q", "3"},
        {"9q", "3"},
        {"4_Q", "Error"},
        {"1_Q", "Error"},
        {"0,5_Q", "Error"},
        {"0,0000000001_Q", "Error"},
        {"999999999999999_Q", "Error"},
        {"2-3=Q", "Error"},
        {"0Q", "0"},
        {"0_Q", "0"},
        {"0,25Q", "0,5"},
        {"4R", "0,25"},
        {"0R", "Error"},
        {"7+2\x1b", "0"},
        {"0,00001_", "-1E-5"},
        {"0,00001_5", "-1E-5"},
        {"123456789012345678", "123456789012345"},
        {"1_234567890123456", "-123456789012345"},
        {"1,5e", "1,5"},
        {"1000000*1000000000=", "1E15"},
        // The 15th digit is the nearest one; the operand is what the display
        // shows, and a rounding up to ...279 would give 45,0000000000001.
        {"45/158=", "0,284810126582278"},
        {"45/158=*158=", "44,9999999999999"},
    };
    for (const KeysCase &c : cases) {
        CalculatorEngine engine;
        type(engine, c.keys);
        EXPECT_EQ(engine.displayText(), QString::fromLatin1(c.display)) << c.keys;
    }
}

TEST_F(CalculatorEngineTest, DigitBeyondTheLimitBeepsOnce)
{
    type(engine, "1234567890123456");
    EXPECT_EQ(engine.displayText(), "123456789012345");
    EXPECT_EQ(beeper.beeps, 1);

    engine.setBeepOnError(false);
    type(engine, "7");
    EXPECT_EQ(beeper.beeps, 1);

    // The separator is not held to the limit.
    type(engine, ",");
    EXPECT_EQ(engine.displayText(), "123456789012345,");
}

TEST_F(CalculatorEngineTest, PrecisionBelowTwoCountsAsTwo)
{
    engine.setPrecision(1);
    type(engine, "123");
    EXPECT_EQ(engine.displayText(), "12");
    EXPECT_EQ(beeper.beeps, 1);
    type(engine, "/7=");
    EXPECT_EQ(engine.displayText(), "1,7");
}

TEST_F(CalculatorEngineTest, ErrorStateObeysOnlyClear)
{
    int errors = 0;
    engine.onErrorShown = [&](CalculatorEngine &) { ++errors; };
    type(engine, "5/0=");
    EXPECT_EQ(engine.status(), CalcStatus::Error);
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(beeper.beeps, 1);
    EXPECT_EQ(engine.operand(), 0);
    EXPECT_EQ(engine.displayValue(), 0);

    type(engine, "7+Q_\b,");
    EXPECT_EQ(engine.displayText(), "Error");
    type(engine, "c");
    EXPECT_EQ(engine.status(), CalcStatus::NewNumber);
    EXPECT_EQ(engine.pendingOperator(), QLatin1Char('='));
}

TEST_F(CalculatorEngineTest, ResultKeysNotifyEvenAfterAnError)
{
    std::vector<QString> results;
    engine.onResultKey = [&](CalculatorEngine &e) { results.push_back(e.displayText()); };
    type(engine, "1+2=");
    engine.processKey(QChar(ControlKeys::kEnter));
    type(engine, "%+");
    type(engine, "1/0=");
    EXPECT_EQ(results, (std::vector<QString>{"3", "3", "3", "Error"}));
}

TEST_F(CalculatorEngineTest, DisplayAndNumberNotificationsFireOnlyOnChange)
{
    std::vector<QString> shownByControl;
    int displayChanges = 0;
    int numbersShown = 0;
    engine.displayControl = [&](const QString &text) { shownByControl.push_back(text); };
    engine.onDisplayChanged = [&](CalculatorEngine &e) {
        ++displayChanges;
        EXPECT_EQ(shownByControl.back(), e.displayText()) << "the control is updated first";
    };
    engine.onNumberShown = [&](CalculatorEngine &) { ++numbersShown; };

    engine.setDisplayText(QStringLiteral("0"));
    engine.showNumber(0);
    EXPECT_EQ(displayChanges, 0);
    EXPECT_EQ(numbersShown, 0);

    // The second number starts from "0", which its first digit replaces.
    type(engine, "2+2=");
    EXPECT_EQ(shownByControl, (std::vector<QString>{"2", "0", "2", "4"}));
    EXPECT_EQ(numbersShown, 1);
    type(engine, "=");
    EXPECT_EQ(displayChanges, 4);
}

TEST_F(CalculatorEngineTest, KeyFilterMayChangeOrDropKeys)
{
    engine.onKeyFilter = [](CalculatorEngine &, QChar &key) {
        if (key == QLatin1Char('x'))
            key = QLatin1Char('*');
        else if (key == QLatin1Char('9'))
            key = QChar(0);
    };
    // The key reaches the filter upper-cased, so a lower-case x is already "X".
    type(engine, "3X4=");
    EXPECT_EQ(engine.displayText(), "34");
    engine.onKeyFilter = [](CalculatorEngine &, QChar &key) {
        if (key == QLatin1Char('X'))
            key = QLatin1Char('*');
        else if (key == QLatin1Char('9'))
            key = QChar(0);
    };
    type(engine, "C3x49=");
    EXPECT_EQ(engine.displayText(), "12");
}

TEST_F(CalculatorEngineTest, ButtonsMapToKeysAndMemory)
{
    std::vector<QString> indicator;
    engine.memoryIndicator = [&](const QString &text) { indicator.push_back(text); };
    for (int kind : std::initializer_list<int>{cbDigit0 + 1, cbDecimal, cbDigit0 + 5, cbAdd, cbDigit0 + 2, cbEquals})
        engine.buttonClick(kind);
    EXPECT_EQ(engine.displayText(), "3,5");

    engine.buttonClick(cbMemoryStore);
    engine.buttonClick(cbMemoryPlus);
    EXPECT_EQ(engine.memory(), 7);
    engine.buttonClick(cbClear);
    engine.buttonClick(cbMemoryRecall);
    EXPECT_EQ(engine.displayText(), "7");
    EXPECT_EQ(engine.status(), CalcStatus::Entering);
    engine.buttonClick(cbDigit0 + 1);
    EXPECT_EQ(engine.displayText(), "71") << "digits append to the recalled number";

    engine.buttonClick(cbSign);
    EXPECT_EQ(engine.displayText(), "-71");
    engine.buttonClick(cbMemoryClear);
    EXPECT_EQ(engine.memory(), 0);
    EXPECT_EQ(indicator, (std::vector<QString>{"M", "M", ""}));

    engine.buttonClick(cbClear);
    for (int kind : std::initializer_list<int>{cbDigit0 + 1, cbDigit0 + 6, cbSqrt, cbReciprocal})
        engine.buttonClick(kind);
    EXPECT_EQ(engine.displayText(), "0,25");
    for (int kind : std::initializer_list<int>{cbMultiply, cbDigit0 + 8, cbPercent})
        engine.buttonClick(kind);
    EXPECT_EQ(engine.displayText(), "0,02");
    engine.buttonClick(0);
    engine.buttonClick(99);
    EXPECT_EQ(engine.displayText(), "0,02");
}

TEST_F(CalculatorEngineTest, MemoryIsKeptInTheErrorStateExceptForClear)
{
    type(engine, "5");
    engine.buttonClick(cbMemoryStore);
    type(engine, "/0=");
    engine.buttonClick(cbMemoryPlus);
    engine.buttonClick(cbMemoryRecall);
    EXPECT_EQ(engine.memory(), 5);
    EXPECT_EQ(engine.displayText(), "Error");
    engine.buttonClick(cbMemoryClear);
    EXPECT_EQ(engine.memory(), 0);
}

TEST_F(CalculatorEngineTest, OkAndCancelButtons)
{
    int oks = 0;
    int cancels = 0;
    engine.onOkKey = [&](CalculatorEngine &) { ++oks; };
    engine.onCancelKey = [&](CalculatorEngine &) { ++cancels; };
    type(engine, "12,");
    engine.buttonClick(cbOk);
    EXPECT_EQ(engine.displayText(), "12") << "OK normalises the display";
    EXPECT_EQ(oks, 1);
    type(engine, "1/0=");
    engine.buttonClick(cbOk);
    EXPECT_EQ(oks, 1);
    EXPECT_EQ(beeper.beeps, 2);
    engine.buttonClick(cbCancel);
    EXPECT_EQ(cancels, 1);
}

TEST_F(CalculatorEngineTest, CopyAndPasteThroughTheClipboard)
{
    type(engine, "12,5");
    engine.processKey(QChar(ControlKeys::kCopy));
    EXPECT_EQ(clipboard.content, "12,5");

    clipboard.content = QStringLiteral(" 1234,5\u20BD ");
    engine.processKey(QChar(ControlKeys::kPaste));
    EXPECT_EQ(engine.displayText(), "1234,5");
    EXPECT_EQ(engine.status(), CalcStatus::Entering) << "paste leaves the status alone";

    clipboard.content = QStringLiteral("abc");
    engine.pasteNumber();
    EXPECT_EQ(engine.displayText(), "0");
    clipboard.content = QStringLiteral("1E400");
    engine.pasteNumber();
    EXPECT_EQ(engine.displayText(), "0");
    EXPECT_EQ(beeper.beeps, 0);

    clipboard.content = QStringLiteral("5");
    clipboard.holdsText = false;
    engine.pasteNumber();
    EXPECT_EQ(engine.displayText(), "0");
}

TEST_F(CalculatorEngineTest, OverflowLeavesTheKeyWithoutEffect)
{
    int results = 0;
    engine.onResultKey = [&](CalculatorEngine &) { ++results; };
    clipboard.content = QStringLiteral("1E308");
    engine.pasteNumber();
    type(engine, "*9");
    try {
        type(engine, "=");
        FAIL() << "no error raised";
    } catch (const FloatOverflowError &e) {
        EXPECT_EQ(e.message(), "Floating point overflow");
    }
    EXPECT_EQ(engine.displayText(), "9");
    EXPECT_EQ(engine.status(), CalcStatus::NewNumber);
    EXPECT_EQ(engine.pendingOperator(), QLatin1Char('*'));
    EXPECT_EQ(engine.operand(), 1e308);
    EXPECT_EQ(results, 0);

    // A percentage of a huge operand fits although the product does not.
    clipboard.content = QStringLiteral("1E308");
    type(engine, "C");
    engine.pasteNumber();
    type(engine, "+5%");
    EXPECT_EQ(engine.displayText(), "1,05E308");

    clipboard.content = QStringLiteral("1E-310");
    type(engine, "C");
    engine.pasteNumber();
    const QString tiny = engine.displayText();
    EXPECT_THROW(type(engine, "R"), FloatOverflowError);
    EXPECT_EQ(engine.displayText(), tiny);
}

TEST_F(CalculatorEngineTest, TypedNumbersReadAsTheNearestDouble)
{
    type(engine, "7325,024946+");
    EXPECT_EQ(engine.operand(), 7325.024946);
    clipboard.content = QStringLiteral("7325,024946");
    engine.pasteNumber();
    EXPECT_EQ(engine.displayValue(), 7325.024946);
}

TEST_F(CalculatorEngineTest, SeparatorBehindAnExponentCannotBeRead)
{
    type(engine, "0,00001_,");
    EXPECT_EQ(engine.displayText(), "-1E-5,");
    try {
        type(engine, "+");
        FAIL() << "no error raised";
    } catch (const ConversionError &e) {
        EXPECT_EQ(e.message(), "'-1E-5,' is not a valid floating point value");
    }
    type(engine, "C");
    EXPECT_EQ(engine.displayText(), "0");
}

TEST(CalculatorEngineLocales, EveryDotOrCommaKeyIsTheSeparator)
{
    for (const LocaleNumberSettings &settings :
         {LocaleNumberSettings::english(), LocaleNumberSettings::german(), LocaleNumberSettings::russianBlank()}) {
        ScopedLocaleNumberSettings locale(settings);
        const QString separator(settings.decimalSeparator);
        CalculatorEngine engine;
        type(engine, ",5+1.5=");
        EXPECT_EQ(engine.displayText(), "2");
        type(engine, "1/4=");
        EXPECT_EQ(engine.displayText(), "0" + separator + "25");
        EXPECT_EQ(CalculatorEngine::keyOfButton(cbDecimal), settings.decimalSeparator);
    }
}

} // namespace
