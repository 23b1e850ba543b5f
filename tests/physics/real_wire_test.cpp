// The real wire's quantities: a text split into number and unit, the length
// in wavelengths of a wire at a frequency (a 14.2 MHz half-wave dipole is
// c/(2·14.2e6) = 10.556072 m long, worked by hand), and reflections.
#include "physics/FrequencySweep.h"
#include "physics/PhysicalUnits.h"
#include "physics/Reflection.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SplitCase
{
    const char *text;
    const char *number;
    const char *unit; // "" for none
    double scale;
    const char *unknown;
};

// clang-format off
const SplitCase kSplits[] = {
    {"10.3m",    "10.3",  "m",   1.0,  ""},
    {"2mm",      "2",     "mm",  1e-3, ""},
    {"2 cm",     "2",     "cm",  1e-2, ""},
    {"1e-3m",    "1e-3",  "m",   1.0,  ""},
    {"14.2MHz",  "14.2",  "MHz", 1e6,  ""},
    {"14.2mhz",  "14.2",  "MHz", 1e6,  ""},
    {"7000 kHz", "7000",  "kHz", 1e3,  ""},
    {"2.4GHz",   "2.4",   "GHz", 1e9,  ""},
    {"50Hz",     "50",    "Hz",  1.0,  ""},
    {"1.5",      "1.5",   "",    0.0,  ""},
    {"3ft",      "3",     "",    0.0,  "ft"},
    {"1e",       "1",     "",    0.0,  "e"},
    {"MHz",      "",      "MHz", 1e6,  ""},
};
// clang-format on

TEST(PhysicalUnits, TextsSplitIntoNumberAndUnit)
{
    for (const SplitCase &c : kSplits) {
        SCOPED_TRACE(c.text);
        const UnitSplit split = SplitUnit(c.text);
        EXPECT_EQ(split.number, c.number);
        EXPECT_EQ(split.unknown, c.unknown);
        ASSERT_EQ(split.unit.has_value(), *c.unit != '\0');
        if (split.unit) {
            EXPECT_EQ(split.unit->name, c.unit);
            EXPECT_EQ(split.unit->scale, c.scale);
        }
    }
}

TEST(PhysicalUnits, WavelengthsOfAWireAtAFrequency)
{
    EXPECT_NEAR(InWavelengths(10.556072464788732, 14.2e6), 0.5, 1e-15);
    EXPECT_NEAR(InMetres(0.5, 14.2e6), 10.556072464788732, 1e-12);
    EXPECT_NEAR(InWavelengths(1e-3, 14.2e6), 4.7366101518e-5, 1e-15);
}

} // namespace

// Reflections worked by hand: 100 Ω on 50 Ω is Γ = 1/3 (return loss
// 20·log10 3 = 9.5424 dB); 50 + j50 on 50 is j50/(100 + j50) = 0.2 + 0.4j;
// a short is −1, 0 dB.
TEST(Reflection, OfLoadsAndBack)
{
    struct Case
    {
        Impedance load;
        double reference;
        std::complex<double> gamma;
        double returnLoss;
    };
    const Case cases[] = {
        {{100.0, 0.0}, 50.0, 1.0 / 3.0, 9.542425094393248},
        {{50.0, 50.0}, 50.0, {0.2, 0.4}, 6.989700043360188},
        {{0.0, 0.0}, 75.0, -1.0, 0.0},
        {{75.0, 0.0}, 75.0, 0.0, INFINITY},
    };
    for (const Case &c : cases) {
        const std::complex<double> gamma = ReflectionCoefficient(c.load, c.reference);
        EXPECT_NEAR(std::abs(gamma - c.gamma), 0.0, 1e-15);
        EXPECT_DOUBLE_EQ(ReturnLossDb(gamma), c.returnLoss);
        const std::optional<Impedance> back = LoadImpedance(gamma, c.reference);
        ASSERT_TRUE(back);
        EXPECT_NEAR(back->resistance, c.load.resistance, 1e-12);
        EXPECT_NEAR(back->reactance, c.load.reactance, 1e-12);
    }
    EXPECT_FALSE(LoadImpedance(1.0, 50.0));
    EXPECT_THROW(ReflectionCoefficient({50.0, 0.0}, 0.0), std::domain_error);
}

// A wire 10.3 m long and 1 mm in radius from 13 to 15 MHz on 50 Ω, against
// mpmath (antenna_reference.py): at 14 MHz 65.322560807865039 −
// j15.432959435792592 Ω, resonant at 14.147474441 MHz, SWR ≤ 2 from
// 13.7891378409 to 14.4931311837 MHz. The sweep's 10 kHz steps place the
// crossings by straight lines between points.
TEST(FrequencySweep, OfAWireCutForFourteenMegahertz)
{
    std::vector<double> frequencies;
    for (int i = 0; i <= 200; ++i)
        frequencies.push_back(13e6 + i * 1e4);
    const std::vector<FrequencyPoint> points = ComputeFrequencySweep(10.3, 0.001, frequencies, 50.0);
    const FrequencyPoint &at14 = points[100];
    ASSERT_TRUE(at14.input);
    EXPECT_NEAR(at14.input->resistance, 65.322560807865039, 1e-9);
    EXPECT_NEAR(at14.input->reactance, -15.432959435792592, 1e-9);
    EXPECT_NEAR(at14.length, 10.3 * 14e6 / 299792458.0, 1e-15);
    const std::vector<double> resonances = ResonantFrequencies(points);
    ASSERT_EQ(resonances.size(), 1u);
    EXPECT_NEAR(resonances[0], 14147474.441, 20.0);
    const std::optional<SwrBand> band = BandWithinSwr(points, 2.0);
    ASSERT_TRUE(band);
    EXPECT_NEAR(band->low, 13789137.8409, 200.0);
    EXPECT_NEAR(band->high, 14493131.1837, 200.0);
    EXPECT_FALSE(band->openLow || band->openHigh);
    EXPECT_FALSE(BandWithinSwr(points, 1.0));
    const std::optional<SwrBand> wide = BandWithinSwr(points, 1e6);
    ASSERT_TRUE(wide);
    EXPECT_TRUE(wide->openLow && wide->openHigh);
    EXPECT_THROW(ComputeFrequencySweep(10.3, 6.0, frequencies, 50.0), std::domain_error);

    // On the model itself the crossings are exact, however coarse the steps.
    const WireInMetres wire{10.3, 0.001, 50.0};
    for (const double step : {1e4, 5e5}) {
        SCOPED_TRACE(step);
        std::vector<double> coarse;
        for (double f = 13e6; f <= 15e6; f += step)
            coarse.push_back(f);
        const std::vector<FrequencyPoint> sampled = ComputeFrequencySweep(10.3, 0.001, coarse, 50.0);
        const std::vector<double> exact = ResonantFrequencies(wire, sampled);
        ASSERT_EQ(exact.size(), 1u);
        EXPECT_NEAR(exact[0], 14147474.441, 1e-3);
        const std::optional<SwrBand> exactBand = BandWithinSwr(wire, sampled, 2.0);
        ASSERT_TRUE(exactBand);
        EXPECT_NEAR(exactBand->low, 13789137.8409, 1e-3);
        EXPECT_NEAR(exactBand->high, 14493131.1837, 1e-3);
    }
}
