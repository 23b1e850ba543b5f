#include "numbers/LocaleNumberSettings.h"
#include "numbers/NumberErrors.h"
#include "numbers/NumberText.h"
#include "numbers/ValueRange.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace {

const QChar nbsp(0x00A0);

struct GeneralCase
{
    const char *name;
    long double value;
    int precision;
    QString russian;
};

TEST(GeneralNumberText, FixedAndScientificFormsInTheRussianLocale)
{
    ScopedLocaleNumberSettings locale(LocaleNumberSettings::russian());
    const GeneralCase cases[] = {
        {"zero", 0.0L, 15, "0"},
        {"negative zero", -0.0L, 15, "0"},
        {"ten to the fifteenth", 1e15L, 15, "1E15"},
        {"fifteen digit integer", 123456789012345.0L, 15, "123456789012345"},
        {"sixteen digit integer", 1234567890123456.0L, 15, "1,23456789012346E15"},
        {"ten thousandth", 0.0001L, 15, "0,0001"},
        {"hundred thousandth", 0.00001L, 15, "1E-5"},
        {"large negative", -1.5e20L, 15, "-1,5E20"},
        {"one third of a double", 1.0 / 3.0, 15, "0,333333333333333"},
        {"double sum error hidden", 0.1 + 0.2, 15, "0,3"},
        {"trailing zeros padded", 1200.0L, 15, "1200"},
        {"rounds up to the next power", 0.99999999999999999L, 15, "1"},
        {"two digits only", 123.0L, 2, "1,2E2"},
        {"tie rounds away from zero", 2.5L, 1, "3"},
        {"tiny negative exponent", 1.25e-300L, 15, "1,25E-300"},
        // Rounded once: the 18-digit form ...2785 would round up again.
        {"rounded once, not twice", 45.0 / 158.0, 15, "0,284810126582278"},
        {"rounded once, negative", -45.0 / 158.0, 15, "-0,284810126582278"},
        {"exact tie away from zero", 123456789012344.5L, 15, "123456789012345"},
        {"exact negative tie away from zero", -123456789012344.5L, 15, "-123456789012345"},
        {"just below a tie", std::nextafter(123456789012344.5L, 0.0L), 15, "123456789012344"},
        {"tie carries into a new digit", 999999999999999.5L, 15, "1E15"},
    };
    for (const GeneralCase &c : cases)
        EXPECT_EQ(GeneralNumberText(c.value, c.precision), c.russian) << c.name;
}

TEST(GeneralNumberText, UsesTheDecimalSeparatorInForce)
{
    {
        ScopedLocaleNumberSettings locale(LocaleNumberSettings::english());
        EXPECT_EQ(GeneralNumberText(-1.5e20L), "-1.5E20");
        EXPECT_EQ(GeneralNumberText(1234.5L), "1234.5");
    }
    ScopedLocaleNumberSettings locale(LocaleNumberSettings::german());
    EXPECT_EQ(GeneralNumberText(1234.5L), "1234,5");
    EXPECT_EQ(GeneralNumberText(INFINITY), "INF");
}

struct PatternCase
{
    const char *name;
    long double value;
    const char *pattern;
    QString russianBlank;
};

TEST(NumberPattern, DigitsRoundingAndGrouping)
{
    ScopedLocaleNumberSettings locale(LocaleNumberSettings::russianBlank());
    const PatternCase cases[] = {
        {"display form groups thousands", 1234.5L, ",0.########", "1 234,5"},
        {"zero shows one digit", 0.0L, ",0.########", "0"},
        {"more decimals than the pattern are rounded", 1.123456789L, ",0.########", "1,12345679"},
        {"millions", 1234567.891L, ",0.##", "1 234 567,89"},
        {"carry into a new group", 999.995L, ",0.##", "1 000"},
        {"decimal tie away from zero", 1.005L, "0.##", "1,01"},
        {"negative tie away from zero", -2.5L, "0", "-3"},
        {"half rounds up", 0.5L, "0", "1"},
        {"tiny negative becomes plain zero", -0.001L, "0.##", "0"},
        {"forced decimals", 1.0L, "0.00", "1,00"},
        {"no integer digit required", 0.5L, "#.##", ",5"},
        {"without grouping", 1234567.0L, "0.##", "1234567"},
        {"negative with grouping", -1234.5L, ",0.##", "-1 234,5"},
        {"literal text kept", 2.5L, "0.0 m", "2,5 m"},
        {"large value stays fixed", 1e20L, ",0", "100 000 000 000 000 000 000"},
    };
    for (const PatternCase &c : cases)
        EXPECT_EQ(FormatNumberPattern(c.value, QString::fromLatin1(c.pattern)), c.russianBlank) << c.name;
}

TEST(NumberPattern, SeparatorsFollowTheLocale)
{
    const QString pattern = QStringLiteral(",0.########");
    {
        ScopedLocaleNumberSettings locale(LocaleNumberSettings::russian());
        EXPECT_EQ(FormatNumberPattern(1234.5L, pattern), QStringLiteral("1") + nbsp + QStringLiteral("234,5"));
    }
    {
        ScopedLocaleNumberSettings locale(LocaleNumberSettings::english());
        EXPECT_EQ(FormatNumberPattern(1234.5L, pattern), "1,234.5");
    }
    ScopedLocaleNumberSettings locale(LocaleNumberSettings::german());
    EXPECT_EQ(FormatNumberPattern(1234.5L, pattern), "1.234,5");
}

TEST(EditingForm, NoGroupingAtMostTheGivenDecimals)
{
    ScopedLocaleNumberSettings locale(LocaleNumberSettings::russianBlank());
    EXPECT_EQ(EditingPattern(8), "0.########");
    EXPECT_EQ(EditingPattern(0), "0");
    EXPECT_EQ(FormatEditingText(1234.5L, 8), "1234,5");
    EXPECT_EQ(FormatEditingText(0.123456789L, 8), "0,12345679");
    EXPECT_EQ(FormatEditingText(2.5L, 0), "3");
    EXPECT_EQ(FormatEditingText(1e-100L, 200).size(), 102);
    // A huge decimal count must not build a huge text.
    EXPECT_EQ(FormatEditingText(0.5L, 4000000000u), "0,5");
    EXPECT_EQ(FixedNumberText(-1.0L, 2), "-1,00");
}

struct NormalizeCase
{
    const char *name;
    LocaleNumberSettings locale;
    QString input;
    QString expected;
};

TEST(NormalizeNumberText, SeparatorsBlanksAndEmptyTexts)
{
    const LocaleNumberSettings ru = LocaleNumberSettings::russian();
    const LocaleNumberSettings ruBlank = LocaleNumberSettings::russianBlank();
    const LocaleNumberSettings en = LocaleNumberSettings::english();
    const LocaleNumberSettings de = LocaleNumberSettings::german();
    const NormalizeCase cases[] = {
        {"ru drops no-break spaces and trims", ru, QStringLiteral(" 1") + nbsp + QStringLiteral("234,5 "), "1234,5"},
        {"ru dot becomes comma", ru, "1.5", "1,5"},
        {"ru empty is zero", ru, "", "0"},
        {"ru blanks only is zero", ru, "   ", "0"},
        {"ru lone minus", ru, "-", "-0"},
        {"ru only blanks are trimmed", ru, "\t1", "\t1"},
        {"ru inner blank stays", ru, "1 2", "1 2"},
        {"blank thousands removed", ruBlank, "1 234,5", "1234,5"},
        {"blank locale dot becomes comma", ruBlank, "1.5", "1,5"},
        {"en comma is a thousands separator", en, "1,5", "15"},
        {"en dot stays", en, "1.5", "1.5"},
        {"de dot is a thousands separator", de, "1.234,5", "1234,5"},
        {"de lone minus with blanks", de, " - ", "-0"},
    };
    for (const NormalizeCase &c : cases) {
        ScopedLocaleNumberSettings locale(c.locale);
        EXPECT_EQ(NormalizeNumberText(c.input), c.expected) << c.name;
    }
}

struct ConvertCase
{
    const char *text;
    bool valid;
    long double value;
};

TEST(ConvertNumberText, RuntimeSyntaxInTheRussianLocale)
{
    ScopedLocaleNumberSettings locale(LocaleNumberSettings::russian());
    const ConvertCase cases[] = {
        {"1,5", true, 1.5L},  {"-,5", true, -0.5L}, {",", true, 0},
        {"-,", true, 0},      {"1E5", true, 1e5L},  {"1e5", true, 1e5L},
        {"1E", true, 1},      {"1E+", true, 1},     {"1e-", true, 1},
        {",E5", true, 0},     {"+7", true, 7},      {"1,5e-3", true, 1.5e-3L},
        {"5,", true, 5},      {"1E-5000", true, 0}, {"1E4932", true, 1e4932L},
        {"2E4932", false, 0}, {"", false, 0},       {"-", false, 0},
        {"+", false, 0},      {"E5", false, 0},     {"1.5", false, 0},
        {"1,5,", false, 0},   {"1E5E5", false, 0},  {"1 5", false, 0},
        {" 1", false, 0},     {"0x10", false, 0},   {"inf", false, 0},
        {"nan", false, 0},    {"--1", false, 0},    {"1E+-5", false, 0},
        {"1e5,", false, 0},
    };
    for (const ConvertCase &c : cases) {
        long double value = 12345;
        const bool valid = ConvertNumberText(QString::fromLatin1(c.text), &value);
        EXPECT_EQ(valid, c.valid) << c.text;
        if (c.valid && valid) {
            EXPECT_EQ(value, c.value) << c.text;
        }
        if (!c.valid) {
            EXPECT_EQ(value, 12345) << c.text << " must leave the value alone";
        }
    }
}

TEST(ConvertNumberText, CorrectlyRoundedAndReadsTheWholeText)
{
    ScopedLocaleNumberSettings locale(LocaleNumberSettings::english());
    long double value = 0;
    ASSERT_TRUE(ConvertNumberText("0.1", &value));
    EXPECT_EQ(value, 1.0L / 10);
    ASSERT_TRUE(ConvertNumberText("1" + QString(100, QLatin1Char('0')), &value));
    EXPECT_EQ(value, 1e100L);
    // Characters beyond the 63rd still count: a text that reads as a number
    // only in its first part is no number.
    EXPECT_FALSE(IsNumberText(QString(70, QLatin1Char('1')) + "-5"));
    // Digits that are not ASCII are no digits.
    EXPECT_FALSE(IsNumberText(QString(QChar(0x0661))));
    EXPECT_FALSE(IsNumberText("1,5"));

    // Rounded to an extended value first, this text lands exactly between two
    // doubles and would round away from the nearest one.
    double nearest = 0;
    ASSERT_TRUE(ConvertNumberTextToDouble("7325.024946", &nearest));
    EXPECT_EQ(nearest, 7325.024946);
    ASSERT_TRUE(ConvertNumberTextToDouble("-.", &nearest));
    EXPECT_TRUE(nearest == 0 && std::signbit(nearest));
    ASSERT_TRUE(ConvertNumberTextToDouble("1E400", &nearest));
    EXPECT_TRUE(std::isinf(nearest));
    EXPECT_FALSE(ConvertNumberTextToDouble("1E5000", &nearest));
    EXPECT_FALSE(ConvertNumberTextToDouble("1.5e5.", &nearest));
}

TEST(ConvertNumberText, ConversionErrorQuotesTheText)
{
    ScopedLocaleNumberSettings locale(LocaleNumberSettings::russian());
    EXPECT_EQ(StrToFloat("2,5"), 2.5L);
    try {
        StrToFloat("e5");
        FAIL() << "no error raised";
    } catch (const ConversionError &e) {
        EXPECT_EQ(e.message(), "'e5' is not a valid floating point value");
        EXPECT_EQ(e.text(), "e5");
    }
}

struct RangeCase
{
    const char *name;
    long double min, max, x, expected;
};

TEST(ValueRange, FiveCasesOfTheBounds)
{
    const RangeCase cases[] = {
        {"equal bounds mean no range", 3, 3, -100, -100},
        {"below a proper range", 1, 10, 0, 1},
        {"above a proper range", 1, 10, 11, 10},
        {"inside a proper range", 1, 10, 5, 5},
        {"lower bound only clamps small values", 5, 0, 3, 5},
        {"lower bound only leaves large values", 5, 0, 100, 100},
        {"upper bound only clamps large values", 0, -5, 0, -5},
        {"upper bound only leaves small values", 0, -5, -10, -10},
        {"crossed non-zero bounds mean no range", 10, 1, 50, 50},
    };
    for (const RangeCase &c : cases) {
        const ValueRange range{c.min, c.max};
        EXPECT_EQ(range.clamp(c.x), c.expected) << c.name;
        if (c.x == c.expected)
            EXPECT_NO_THROW(range.check(c.x, 2)) << c.name;
        else
            EXPECT_THROW(range.check(c.x, 2), RangeError) << c.name;
    }
}

TEST(ValueRange, ErrorShowsBothBoundsWithTheDecimalPlaces)
{
    const ValueRange range{1, 10};
    {
        ScopedLocaleNumberSettings locale(LocaleNumberSettings::russian());
        try {
            range.check(11, 2);
            FAIL() << "no error raised";
        } catch (const RangeError &e) {
            EXPECT_EQ(e.message(), "Value must be between 1,00 and 10,00");
        }
    }
    ScopedLocaleNumberSettings locale(LocaleNumberSettings::english());
    EXPECT_EQ(RangeErrorMessage(-0.5L, 1234.5L, 0), "Value must be between -1 and 1235");
    EXPECT_EQ(RangeErrorMessage(1, 10, 2), "Value must be between 1.00 and 10.00");
}

TEST(LocaleNumberSettings, GuardRestoresThePreviousSettings)
{
    const LocaleNumberSettings before = CurrentLocaleNumberSettings();
    {
        ScopedLocaleNumberSettings outer(LocaleNumberSettings::german());
        {
            ScopedLocaleNumberSettings inner(LocaleNumberSettings::english());
            EXPECT_EQ(CurrentLocaleNumberSettings(), LocaleNumberSettings::english());
        }
        EXPECT_EQ(CurrentLocaleNumberSettings(), LocaleNumberSettings::german());
    }
    EXPECT_EQ(CurrentLocaleNumberSettings(), before);
}

} // namespace
