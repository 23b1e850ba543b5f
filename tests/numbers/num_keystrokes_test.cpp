#include "numbers/LocaleNumberSettings.h"
#include "numbers/NumKeystrokes.h"
#include "numbers/NumberText.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TypedCase
{
    const char *name;
    QString text;
    int selStart;
    int selLength;
    QChar c;
    unsigned decimals;
    ValueRange range;
    bool accepted;
};

TEST(AcceptsTypedChar, NumberRulesInTheRussianLocale)
{
    ScopedLocaleNumberSettings locale(LocaleNumberSettings::russian());
    const ValueRange none;
    const ValueRange nonNegative{0, 10};
    const TypedCase cases[] = {
        {"ninth decimal refused", "1,12345678", 10, 0, '9', 8, none, false},
        {"digit before the separator", "1,12345678", 0, 0, '9', 8, none, true},
        {"second separator", "1,5", 3, 0, ',', 8, none, false},
        {"separator into empty text", "", 0, 0, ',', 8, none, true},
        {"minus into empty text", "", 0, 0, '-', 8, none, true},
        {"minus with a non-negative range", "", 0, 0, '-', 8, nonNegative, true},
        {"zero after the lone minus", "-", 1, 0, '0', 8, nonNegative, true},
        {"negative value refused", "-", 1, 0, '5', 8, nonNegative, false},
        {"negative allowed without a range", "-", 1, 0, '5', 8, none, true},
        {"exponent after a digit", "1", 1, 0, 'e', 8, none, true},
        {"exponent between digits", "15", 1, 0, 'e', 8, none, true},
        {"exponent alone", "", 0, 0, 'e', 8, none, false},
        {"second exponent", "1e5", 3, 0, 'E', 8, none, false},
        {"letter", "1", 1, 0, 'x', 8, none, false},
        {"selection replaced", "123", 0, 3, '4', 8, none, true},
        {"decimals before an exponent count", "1,5e3", 2, 0, '5', 1, none, false},
        {"exponent digits are not decimals", "1,5e3", 5, 0, '3', 1, none, true},
        {"trailing separator with no decimals allowed", "1", 1, 0, ',', 0, none, true},
        {"no decimals allowed", "1,", 2, 0, '5', 0, none, false},
        {"overflowing exponent", "1e493", 5, 0, '3', 8, none, false},
        {"selection beyond the text is clamped", "1", 5, 9, '2', 8, none, true},
        {"blank inside", "12", 1, 0, ' ', 8, none, false},
        {"trailing blank is trimmed", "12", 2, 0, ' ', 8, none, true},
    };
    for (const TypedCase &c : cases)
        EXPECT_EQ(AcceptsTypedChar(c.text, c.selStart, c.selLength, c.c, c.decimals, c.range), c.accepted) << c.name;
}

TEST(AcceptsTypedChar, ThousandsSeparatorsAreDroppedBeforeTheCheck)
{
    {
        ScopedLocaleNumberSettings locale(LocaleNumberSettings::english());
        // The comma is the thousands separator: "1,5" counts as 15.
        EXPECT_TRUE(AcceptsTypedChar("1", 1, 0, QLatin1Char(','), 2, {}));
        EXPECT_TRUE(AcceptsTypedChar("1,", 2, 0, QLatin1Char('5'), 2, {}));
        EXPECT_FALSE(AcceptsTypedChar("1.5", 3, 0, QLatin1Char('.'), 2, {}));
    }
    ScopedLocaleNumberSettings locale(LocaleNumberSettings::german());
    EXPECT_TRUE(AcceptsTypedChar("1", 1, 0, QLatin1Char('.'), 2, {}));
    EXPECT_FALSE(AcceptsTypedChar("1,25", 4, 0, QLatin1Char('1'), 2, {}));
}

TEST(TypedSeparator, DotAndCommaBecomeTheDecimalSeparatorUnlessThousands)
{
    const struct
    {
        LocaleNumberSettings locale;
        QChar dot, comma;
    } cases[] = {
        {LocaleNumberSettings::russian(), ',', ','},
        {LocaleNumberSettings::russianBlank(), ',', ','},
        {LocaleNumberSettings::english(), '.', ','},
        {LocaleNumberSettings::german(), '.', ','},
    };
    for (const auto &c : cases) {
        ScopedLocaleNumberSettings locale(c.locale);
        EXPECT_EQ(ReplaceTypedSeparator(QLatin1Char('.')), c.dot);
        EXPECT_EQ(ReplaceTypedSeparator(QLatin1Char(',')), c.comma);
        EXPECT_EQ(ReplaceTypedSeparator(QLatin1Char('7')), QLatin1Char('7'));
    }
}

TEST(InsertThousandSeparators, GroupsOnlyTheIntegerDigits)
{
    ScopedLocaleNumberSettings locale(LocaleNumberSettings::russianBlank());
    const struct
    {
        QString in, grouped;
    } cases[] = {
        {"1234567,89", "1 234 567,89"},
        {"-1234", "-1 234"},
        {"+1234,5678", "+1 234,5678"},
        {"123", "123"},
        {"123456", "123 456"},
        {"1234e5678", "1 234e5678"},
        {",12345", ",12345"},
        {"", ""},
        {"-", "-"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(InsertThousandSeparators(c.in, true), c.grouped) << qPrintable(c.in);
        EXPECT_EQ(InsertThousandSeparators(c.in, false), c.in) << qPrintable(c.in);
    }
    // Regrouping a grouped text after normalising gives it back unchanged.
    EXPECT_EQ(InsertThousandSeparators(NormalizeNumberText("1 234 567"), true), "1 234 567");
}

TEST(CalculatorKeys, OnlyCalculatorCharactersGoToTheOpenCalculator)
{
    {
        ScopedLocaleNumberSettings locale(LocaleNumberSettings::russianBlank());
        for (const char c : std::string("0123456789+-*/=%,.cCqQrR_\b\r"))
            EXPECT_TRUE(IsCalculatorKey(QLatin1Char(c))) << c;
        for (const char c : std::string("xE \x1b"))
            EXPECT_FALSE(IsCalculatorKey(QLatin1Char(c))) << c;
    }
    ScopedLocaleNumberSettings locale(LocaleNumberSettings::english());
    EXPECT_FALSE(IsCalculatorKey(QLatin1Char(',')));
    EXPECT_TRUE(IsCalculatorKey(QLatin1Char('.')));
}

} // namespace
