// The pieces the labelled pictures are made of: numbers and words in each
// language, the language a locale asks for, the ticks of an axis and the
// spokes' angles, and where a legend goes.
#include "labelled/ChartFrame.h"
#include "labelled/LabelledStyle.h"
#include "labelled/LabelledText.h"
#include "labelled/PolarFrame.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

struct NumberCase
{
    const char *name;
    double value;
    int decimals; // -1: the shortest form
    const char *english;
    const char *russian;
};

const NumberCase kNumberCases[] = {
    {"Fraction", 0.70710678, 3, "0.707", "0,707"},
    {"Negative", -3.0103, 0, "−3", "−3"},
    {"NegativeFraction", -0.25, 2, "−0.25", "−0,25"},
    {"NegativeRoundsToZero", -0.0004, 1, "0.0", "0,0"},
    {"RoundsUp", 32.795, 1, "32.8", "32,8"},
    {"Whole", 1.0, -1, "1", "1"},
    {"Length", 1.5, -1, "1.5", "1,5"},
    {"TypedLength", 29.99, -1, "29.99", "29,99"},
    {"NegativeLength", -0.5, -1, "−0.5", "−0,5"},
    {"LengthFromMetres", 0.499679014606832, -1, "0.499679", "0,499679"},
    {"SweptLength", 0.1 + 0.2, -1, "0.3", "0,3"},
};

class LabelledNumbers : public ::testing::TestWithParam<NumberCase>
{
};

TEST_P(LabelledNumbers, UseTheLanguagesSeparatorAndTheMinusSign)
{
    const NumberCase &c = GetParam();
    const auto write = [&](LabelledLanguage language) {
        const LabelledText text(language);
        return c.decimals < 0 ? text.number(c.value) : text.fixed(c.value, c.decimals);
    };
    EXPECT_EQ(write(LabelledLanguage::English), QString::fromUtf8(c.english));
    EXPECT_EQ(write(LabelledLanguage::Russian), QString::fromUtf8(c.russian));
}

INSTANTIATE_TEST_SUITE_P(Values, LabelledNumbers, ::testing::ValuesIn(kNumberCases),
                         [](const auto &info) { return std::string(info.param.name); });

// The Russian catalogue is compiled, embedded and found; English is the
// source text itself, and a text the catalogue lacks stays English.
TEST(LabelledWords, ComeFromTheEmbeddedCatalogue)
{
    const LabelledText russian(LabelledLanguage::Russian);
    const LabelledText english(LabelledLanguage::English);
    EXPECT_EQ(russian.phrase(QT_TRANSLATE_NOOP("Labelled", "dipole axis")), QStringLiteral("ось вибратора"));
    EXPECT_EQ(russian.phrase(QT_TRANSLATE_NOOP("Labelled", "D = %1 dBi")), QStringLiteral("КНД = %1 дБи"));
    EXPECT_EQ(english.phrase(QT_TRANSLATE_NOOP("Labelled", "dipole axis")), QStringLiteral("dipole axis"));
    EXPECT_EQ(russian.phrase("a text nobody translated"), QStringLiteral("a text nobody translated"));
}

struct LocaleCase
{
    const char *name;
    const char *lcAll;
    const char *lcMessages;
    const char *lang;
    LabelledLanguage expected;
};

const LocaleCase kLocaleCases[] = {
    {"RussianLang", nullptr, nullptr, "ru_RU.UTF-8", LabelledLanguage::Russian},
    {"RussianLanguageAlone", nullptr, nullptr, "ru", LabelledLanguage::Russian},
    {"RussianLcAll", "ru_UA.UTF-8", nullptr, "C.UTF-8", LabelledLanguage::Russian},
    {"LcAllOverridesRussianLang", "en_GB.UTF-8", nullptr, "ru_RU.UTF-8", LabelledLanguage::English},
    {"MessagesOverrideLang", nullptr, "ru_RU.UTF-8", "en_US.UTF-8", LabelledLanguage::Russian},
    {"CLocale", nullptr, nullptr, "C.UTF-8", LabelledLanguage::English},
    {"Nothing", nullptr, nullptr, nullptr, LabelledLanguage::English},
    {"RuInsideANameIsNotRussian", nullptr, nullptr, "pt_BR.UTF-8", LabelledLanguage::English},
    {"Ruthenian", nullptr, nullptr, "rue_UA", LabelledLanguage::English},
};

class LocaleLanguage : public ::testing::TestWithParam<LocaleCase>
{
protected:
    void SetUp() override
    {
        for (const char *name : kVariables)
            m_saved.push_back(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
    }
    void TearDown() override
    {
        for (size_t i = 0; i < m_saved.size(); ++i)
            set(kVariables[i], m_saved[i] ? m_saved[i]->constData() : nullptr);
    }
    static void set(const char *name, const char *value)
    {
        if (value)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    static constexpr const char *kVariables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};

private:
    std::vector<std::optional<QByteArray>> m_saved;
};

TEST_P(LocaleLanguage, FollowsTheLocaleOfMessages)
{
    const LocaleCase &c = GetParam();
    set("LC_ALL", c.lcAll);
    set("LC_MESSAGES", c.lcMessages);
    set("LANG", c.lang);
    EXPECT_EQ(SystemLabelledLanguage(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Environments, LocaleLanguage, ::testing::ValuesIn(kLocaleCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct TicksCase
{
    const char *name;
    ChartAxis axis;
    std::vector<double> expected;
};

class AxisTickValues : public ::testing::TestWithParam<TicksCase>
{
};

TEST_P(AxisTickValues, AreTheStepsMultiplesBetweenTheEnds)
{
    const TicksCase &c = GetParam();
    const std::vector<double> ticks = AxisTicks(c.axis);
    ASSERT_EQ(ticks.size(), c.expected.size());
    for (size_t i = 0; i < ticks.size(); ++i)
        EXPECT_NEAR(ticks[i], c.expected[i], 1e-12) << i;
}

ChartAxis axis(double from, double to, double step)
{
    ChartAxis a;
    a.from = from;
    a.to = to;
    a.tickStep = step;
    return a;
}

const TicksCase kTicksCases[] = {
    {"Angles", axis(0, 180, 30), {0, 30, 60, 90, 120, 150, 180}},
    {"TenthsKeepTheLastTick", axis(0, 1, 0.2), {0, 0.2, 0.4, 0.6, 0.8, 1.0}},
    {"DecibelsFromZeroDown", axis(-45, 0, 10), {-40, -30, -20, -10, 0}},
    {"DescendingAxis", axis(3, 0, 1), {0, 1, 2, 3}},
    {"OffsetRange", axis(0.25, 1.3, 0.5), {0.5, 1.0}},
    {"ZeroStep", axis(0, 1, 0), {}},
    {"NegativeStep", axis(0, 1, -0.5), {}},
    {"TooManyTicks", axis(0, 1e6, 1e-3), {}},
    {"InfiniteEnd", axis(0, INFINITY, 1), {}},
};
INSTANTIATE_TEST_SUITE_P(Axes, AxisTickValues, ::testing::ValuesIn(kTicksCases),
                         [](const auto &info) { return std::string(info.param.name); });

// The upper half of the polar picture mirrors the lower: a spoke's label is
// its angle from the dipole's axis.
TEST(PolarSpokes, AreLabelledWithTheAngleFromTheAxis)
{
    const std::pair<int, int> cases[] = {{0, 0},     {30, 30},  {90, 90},  {150, 150}, {180, 180},
                                         {210, 150}, {270, 90}, {330, 30}, {360, 0},   {-30, 30}};
    for (const auto &[spoke, theta] : cases)
        EXPECT_EQ(SpokeThetaLabel(spoke), theta) << spoke;
}

struct LegendArea
{
    const char *name;
    QSizeF picture;    // the legend's area is the picture less a title's height
    double fontPixels; // a window's font fixing the unit; 0: the picture's own
};

const LegendArea kLegendAreas[] = {
    {"Large", {960, 600}, 0},        {"Wide", {960, 300}, 0},         {"Tall", {400, 900}, 0},
    {"LargeWindow", {960, 310}, 13}, {"SmallWindow", {776, 230}, 13}, // the impedance chart of a laboratory of 800 ×
                                                                      // 600
};

class LegendPlace : public ::testing::TestWithParam<LegendArea>
{
};

// The legend lies whole within its area, clear of the plot.
TEST_P(LegendPlace, KeepsTheLegendWholeAndOffThePlot)
{
    const QRectF picture(QPointF(0, 0), GetParam().picture);
    std::optional<ScopedLabelledUnit> unit;
    if (GetParam().fontPixels > 0)
        unit.emplace(GetParam().fontPixels / kSmallestTextUnits);
    const LabelledMetrics metrics(picture);
    const QRectF area = picture.adjusted(0, metrics.units(6), 0, 0);
    std::vector<LegendEntry> entries;
    for (const char *name : {"R", "X", "X = 0", "R NEC-2", "shaded: the model alone"})
        entries.push_back({QString::fromUtf8(name), Qt::black, Qt::SolidLine, {}});
    // A line beneath an entry makes its own row as high as two.
    entries.push_back({QStringLiteral("X NEC-2"), Qt::black, Qt::DashLine, QStringLiteral("● resonance ○ anti")});
    const LegendPlacement place = PlaceLegend(area, entries, metrics);
    const QRectF legend(place.legendTopLeft, place.legend.size());
    EXPECT_TRUE(area.contains(legend)) << legend.top() << " " << legend.bottom() << " " << area.bottom();
    EXPECT_FALSE(legend.intersects(place.plotArea));
    EXPECT_GT(place.plotArea.height(), 0.0);
}
INSTANTIATE_TEST_SUITE_P(Areas, LegendPlace, ::testing::ValuesIn(kLegendAreas),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
