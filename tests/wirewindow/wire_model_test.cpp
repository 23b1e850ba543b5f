// The companion window's model without a window: what it yields for a
// length, a radius and a line resistance, what it refuses and that a refusal
// changes nothing, and its Russian figures. The impedances are those of the
// physics tests (mpmath at 40 digits, tests/physics/antenna_reference.py);
// the standing-wave ratios were computed from them at 40 digits with
//     python3 -c "from mpmath import mp, mpc; mp.dps = 40;
//       Z = mpc(R, X); g = abs((Z - R0)/(Z + R0)); print((1 + g)/(1 - g))"
#include "numbers/LocaleNumberSettings.h"
#include "wirewindow/ModelLimitNote.h"
#include "wirewindow/WireFigures.h"
#include "wirewindow/WireModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct WireCase
{
    const char *name;
    double M;
    double radius;
    double reference;
    WireState state;
    std::optional<double> r;
    std::optional<double> x;
    std::optional<double> swr;
    std::optional<double> feedToMaximum;
};

// clang-format off
const WireCase kWireCases[] = {
    {"HalfWave", 0.5, 0.001, 50, WireState::Impedance, 73.079010285671385, 42.515114705811065, 2.1821970960879267, 1.0},
    {"HalfWaveThickOn75", 0.5, 0.05, 75, WireState::Impedance, 73.079010285671385, 42.515114705811065, 1.7633608001301844, 1.0},
    {"QuarterWave", 0.25, 0.001, 50, WireState::Impedance, 13.431190977906827, -446.67789198244473, 301.08916770740487, 1.0},
    {"ThreeQuartersNegativeOn300", -0.75, 0.01, 300, WireState::Impedance, 371.36012182259534, 517.06579946189937, 4.2078579610330667, 0.70710678118654752},
    {"FullWave", 1.0, 0.001, 50, WireState::CurrentNode, std::nullopt, std::nullopt, kInf, 0.0},
    {"NoLength", 0.0, 0.001, 50, WireState::NoWire, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
    {"BeyondTheLimit", -35.0, 0.001, 50, WireState::OutOfRange, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
    {"NotANumber", kNaN, 0.001, 50, WireState::OutOfRange, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
};
// clang-format on

void ExpectOptionalNear(std::optional<double> actual, std::optional<double> expected, const char *what,
                        const char *name)
{
    ASSERT_EQ(actual.has_value(), expected.has_value()) << what << " " << name;
    if (!expected)
        return;
    if (std::isinf(*expected))
        EXPECT_EQ(*actual, *expected) << what << " " << name;
    else
        EXPECT_NEAR(*actual, *expected, 1e-9 * std::max(1.0, std::fabs(*expected))) << what << " " << name;
}

TEST(WireModel, ImpedanceRatioAndCurrentForEachState)
{
    for (const WireCase &c : kWireCases) {
        WireModel model;
        model.setLength(0.5);
        ASSERT_TRUE(model.setRadius(c.radius)) << c.name;
        ASSERT_TRUE(model.setReferenceResistance(c.reference)) << c.name;
        model.setLength(c.M);
        EXPECT_EQ(model.state(), c.state) << c.name;
        const std::optional<Impedance> z = model.inputImpedance();
        ExpectOptionalNear(z ? std::optional(z->resistance) : std::nullopt, c.r, "R", c.name);
        ExpectOptionalNear(z ? std::optional(z->reactance) : std::nullopt, c.x, "X", c.name);
        ExpectOptionalNear(model.standingWaveRatio(), c.swr, "SWR", c.name);
        ExpectOptionalNear(model.feedToMaximumCurrent(), c.feedToMaximum, "feed current", c.name);
    }
}

TEST(WireModel, LengthGivenFirstOrLastGivesTheSameImpedance)
{
    WireModel lengthFirst;
    lengthFirst.setLength(0.25);
    ASSERT_TRUE(lengthFirst.setRadius(0.001));
    WireModel radiusFirst;
    radiusFirst.setLength(1.5);
    ASSERT_TRUE(radiusFirst.setRadius(0.001));
    radiusFirst.setLength(0.25);
    ASSERT_TRUE(lengthFirst.inputImpedance() && radiusFirst.inputImpedance());
    EXPECT_EQ(lengthFirst.inputImpedance()->reactance, radiusFirst.inputImpedance()->reactance);
    EXPECT_NEAR(radiusFirst.inputImpedance()->reactance, -446.67789198244473, 1e-9);
}

struct RadiusCase
{
    const char *name;
    double M;
    double radius;
    RadiusFault fault;
};

// clang-format off
const RadiusCase kRadiusCases[] = {
    {"Start", 0.5, 0.001, RadiusFault::None},
    {"Zero", 0.5, 0.0, RadiusFault::NotPositive},
    {"Negative", 0.5, -0.001, RadiusFault::NotPositive},
    {"NotANumber", 0.5, kNaN, RadiusFault::NotPositive},
    {"ThickestAllowed", 0.5, 0.05, RadiusFault::None},
    {"AboveTheThickest", 0.5, 0.0500001, RadiusFault::TooThick},
    {"Infinite", 0.5, kInf, RadiusFault::TooThick},
    {"Thinnest", 0.5, 1e-12, RadiusFault::None},
    {"BelowTheThinnest", 0.5, 0.999e-12, RadiusFault::TooThin},
    {"Subnormal", 0.5, 1e-320, RadiusFault::TooThin},
    {"JustBelowHalfTheLength", 0.08, 0.0399, RadiusFault::None},
    {"HalfTheLength", 0.08, 0.04, RadiusFault::NotBelowHalf},
    {"HalfANegativeLength", -0.08, 0.04, RadiusFault::NotBelowHalf},
    {"NoLengthFitsNoRadius", 0.0, 0.001, RadiusFault::NotBelowHalf},
};
// clang-format on

TEST(WireModel, RadiusFaultsAndARefusalChangesNothing)
{
    for (const RadiusCase &c : kRadiusCases) {
        WireModel model;
        model.setLength(0.5);
        ASSERT_TRUE(model.setRadius(0.002));
        model.setLength(c.M);
        const std::optional<Impedance> before = model.inputImpedance();
        EXPECT_EQ(model.radiusFault(c.radius), c.fault) << c.name;
        EXPECT_EQ(model.setRadius(c.radius), c.fault == RadiusFault::None) << c.name;
        if (c.fault != RadiusFault::None) {
            EXPECT_EQ(model.radius(), 0.002) << c.name;
            EXPECT_EQ(model.inputImpedance().has_value(), before.has_value()) << c.name;
            if (before) {
                EXPECT_EQ(model.inputImpedance()->reactance, before->reactance) << c.name;
            }
        }
    }
}

TEST(WireModel, ALengthTooShortForTheRadiusKeepsTheRadiusAndLeavesTheImpedanceUndefined)
{
    WireModel model;
    model.setLength(0.5);
    ASSERT_TRUE(model.setRadius(0.05));
    model.setLength(0.08);
    EXPECT_EQ(model.radius(), 0.05);
    EXPECT_EQ(model.state(), WireState::RadiusTooThick);
    EXPECT_FALSE(model.inputImpedance());
    EXPECT_FALSE(model.standingWaveRatio());
    // The wire is still drawn.
    EXPECT_EQ(model.current(11).samples.size(), 11u);
    model.setLength(0.5);
    EXPECT_EQ(model.state(), WireState::Impedance);
}

TEST(WireModel, ReferenceResistanceMustBePositiveAndFinite)
{
    for (const double bad : {0.0, -50.0, kNaN, kInf}) {
        WireModel model;
        model.setLength(0.5);
        EXPECT_FALSE(model.setReferenceResistance(bad)) << bad;
        EXPECT_EQ(model.referenceResistance(), kStartReferenceResistance) << bad;
    }
    WireModel model;
    model.setLength(0.5);
    ASSERT_TRUE(model.setReferenceResistance(75.0));
    EXPECT_NEAR(*model.standingWaveRatio(), 1.7633608001301844, 1e-12);
}

TEST(WireModel, CurrentRunsAlongTheWholeWireWithTheFeedInTheMiddle)
{
    WireModel model;
    model.setLength(-1.5);
    const CurrentDistribution current = model.current(31);
    ASSERT_EQ(current.samples.size(), 31u);
    EXPECT_DOUBLE_EQ(current.samples.front().z, -0.75);
    EXPECT_DOUBLE_EQ(current.samples.back().z, 0.75);
    EXPECT_NEAR(current.samples[15].magnitude, 1.0, 1e-12); // |sin(1.5π)|
    EXPECT_NEAR(current.samples.front().magnitude, 0.0, 1e-12);

    model.setLength(-35.0);
    EXPECT_TRUE(model.current(31).samples.empty());
}

TEST(WireModel, CurveCoversTheLengthsTheRadiusFits)
{
    WireModel model;
    model.setLength(0.5);
    const std::vector<ImpedancePoint> thin = model.impedanceCurve();
    ASSERT_EQ(thin.size(), 291u);
    EXPECT_EQ(thin.front().length, 0.1);
    EXPECT_EQ(thin.back().length, 3.0);
    ASSERT_TRUE(thin[40].input && thin[40].swr);
    EXPECT_EQ(thin[40].length, 0.5);
    EXPECT_NEAR(thin[40].input->reactance, 42.515114705811065, 1e-9);
    EXPECT_NEAR(*thin[40].swr, 2.1821970960879267, 1e-9);

    // A wire of 0.05 fits lengths above 0.1 only.
    ASSERT_TRUE(model.setRadius(0.05));
    const std::vector<ImpedancePoint> thick = model.impedanceCurve();
    ASSERT_EQ(thick.size(), 290u);
    EXPECT_EQ(thick.front().length, 0.11);
}

struct FigureCase
{
    const char *name;
    double M;
    double radius;
    QString impedance;
    QString swr;
    QString feed;
};

// clang-format off
const FigureCase kFigureCases[] = {
    {"HalfWave", 0.5, 0.001, QStringLiteral("73,08 + j42,52 Ом"), QStringLiteral("2,18"), QStringLiteral("1")},
    {"QuarterWave", 0.25, 0.001, QStringLiteral("13,43 − j446,68 Ом"), QStringLiteral("301,09"), QStringLiteral("1")},
    {"ThreeQuarters", 0.75, 0.01, QStringLiteral("371,36 + j517,07 Ом"), QStringLiteral("21,92"), QStringLiteral("0,707")},
    {"FullWave", 1.0, 0.001, QStringLiteral("в модели бесконечно: в точке питания узел тока"), QStringLiteral("∞"), QStringLiteral("0")},
    {"TooShortForTheWire", 0.002, 0.001, QStringLiteral("не определено: радиус провода не меньше половины длины"), QStringLiteral("—"), QStringLiteral("1")},
    {"NoLength", 0.0, 0.001, QStringLiteral("не определено: длина равна нулю"), QStringLiteral("—"), QStringLiteral("—")},
    {"BeyondTheLimit", -30.5, 0.001, QStringLiteral("не вычисляется для длины 30 λ и более"), QStringLiteral("—"), QStringLiteral("—")},
};
// clang-format on

TEST(WireFigures, RussianFiguresForEachState)
{
    ScopedLocaleNumberSettings russian(LocaleNumberSettings::russian());
    for (const FigureCase &c : kFigureCases) {
        WireModel model;
        model.setLength(0.5);
        ASSERT_TRUE(model.setRadius(c.radius)) << c.name;
        model.setLength(c.M);
        EXPECT_EQ(InputImpedanceText(model), c.impedance) << c.name;
        EXPECT_EQ(StandingWaveRatioText(model), c.swr) << c.name;
        EXPECT_EQ(FeedCurrentText(model), c.feed) << c.name;
    }
}

struct NoteCase
{
    const char *name;
    double M;
    double radius;
    QString note; // empty: none
};

const QString kBandNote = QStringLiteral("В модели синусоидального тока входное сопротивление вблизи полной волны "
                                         "(от %1 до %2 λ при этом радиусе) не физично: у настоящего провода в точке "
                                         "питания нет узла тока, и его сопротивление конечно.");
const QString kThickNote = QStringLiteral("Провод короче 20 радиусов: реактивное сопротивление модели здесь не "
                                          "описывает провод.");

// The bands and the ratio are the physics' (closed_form_limits_test.cpp).
// clang-format off
const NoteCase kNoteCases[] = {
    {"HalfWave", 0.5, 0.001, QString()},
    {"FullWave", 1.0, 0.001, kBandNote.arg(QStringLiteral("0,872"), QStringLiteral("1,099"))},
    {"ThickNearFullWave", 0.9, 0.05, kBandNote.arg(QStringLiteral("0,700"), QStringLiteral("1,300")) + ' ' + kThickNote},
};
// clang-format on

TEST(WireFigures, NoteWhereTheModelIsNotTheWire)
{
    ScopedLocaleNumberSettings russian(LocaleNumberSettings::russian());
    for (const NoteCase &c : kNoteCases) {
        WireModel model;
        model.setLength(0.5);
        ASSERT_TRUE(model.setRadius(c.radius)) << c.name;
        model.setLength(c.M);
        EXPECT_EQ(ModelLimitNote(model), c.note) << c.name;
    }
}

TEST(WireFigures, NumbersFollowTheUsersSeparator)
{
    ScopedLocaleNumberSettings english(LocaleNumberSettings::english());
    WireModel model;
    model.setLength(0.5);
    ASSERT_TRUE(model.setReferenceResistance(75.5));
    EXPECT_EQ(InputImpedanceText(model), QStringLiteral("73.08 + j42.52 Ом"));
    EXPECT_EQ(StandingWaveRatioCaption(model), QStringLiteral("КСВ в линии 75.5 Ом:"));
}

TEST(WireFigures, RefusalsNameTheRadiusAndTheBound)
{
    ScopedLocaleNumberSettings russian(LocaleNumberSettings::russian());
    EXPECT_EQ(RadiusRefusalText(RadiusFault::NotPositive, -0.001, 0.5),
              QStringLiteral("Радиус провода должен быть больше нуля."));
    EXPECT_EQ(RadiusRefusalText(RadiusFault::TooThick, 0.06, 0.5),
              QStringLiteral("Радиус провода 0,06 λ слишком велик: допустимо не более 0,05 λ."));
    EXPECT_EQ(RadiusRefusalText(RadiusFault::NotBelowHalf, 0.04, -0.08),
              QStringLiteral("Радиус провода 0,04 λ слишком велик для вибратора длиной 0,08 λ: радиус должен быть "
                             "меньше половины длины, 0,04 λ."));
    EXPECT_EQ(RadiusRefusalText(RadiusFault::TooThick, kInf, 0.5),
              QStringLiteral("Радиус провода слишком велик: допустимо не более 0,05 λ."));
    EXPECT_EQ(RadiusRefusalText(RadiusFault::TooThin, 1e-13, 0.5),
              QStringLiteral("Радиус провода 1E-13 λ слишком мал: допустимо не менее 1E-12 λ."));
    EXPECT_EQ(RadiusRefusalText(RadiusFault::TooThin, 1e-320, 0.5),
              QStringLiteral("Радиус провода слишком мал: допустимо не менее 1E-12 λ."));
    EXPECT_TRUE(RadiusRefusalText(RadiusFault::None, 0.001, 0.5).isEmpty());
}

} // namespace
