// The laboratory's wire in metres without a window: what it takes from its
// fields in their units and what it refuses (a refusal changes nothing),
// its first resonance read both ways, and the measurements it opens, good
// and bad.
#include "QtPrinters.h"
#include "numbers/LocaleNumberSettings.h"
#include "physics/PhysicalUnits.h"
#include "wirewindow/FrequencyFigures.h"
#include "wirewindow/FrequencyModel.h"
#include "wirewindow/MeasurementFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMega = 1e6;

struct TakeCase
{
    const char *name;
    std::vector<FrequencyModel::FieldValue> values;
    double expected;     // the first value's field afterwards, in metres or hertz
    const char *refusal; // a part of the refusal; none where the value is taken
};

// Each row starts from the 14 MHz dipole of 10.4 m, 2 mm wire, 13 to 15 MHz.
// clang-format off
const TakeCase kTakeCases[] = {
    {"MegahertzTaken", {{FrequencyField::Frequency, 7, kMega}}, 7e6, nullptr},
    {"KilohertzTaken", {{FrequencyField::Frequency, 14200, 1e3}}, 14.2e6, nullptr},
    {"CentimetresTaken", {{FrequencyField::Length, 1030, 1e-2}}, 10.3, nullptr},
    {"MillimetresTaken", {{FrequencyField::Diameter, 4, 1e-3}}, 4e-3, nullptr},
    {"BandTopTaken", {{FrequencyField::SweepTo, 0.5, 1e9}}, 0.5e9, nullptr},
    {"BandInKilohertzTakenTogether", {{FrequencyField::SweepFrom, 13, 1e3}, {FrequencyField::SweepTo, 15, 1e3}}, 13e3, nullptr},
    {"ZeroFrequency", {{FrequencyField::Frequency, 0, kMega}}, 14e6, "Частота: нужно число больше нуля"},
    {"NegativeLength", {{FrequencyField::Length, -10.4, 1}}, 10.4, "Длина провода: нужно число больше нуля"},
    {"DiameterNotANumber", {{FrequencyField::Diameter, kNaN, 1e-3}}, 2e-3, "Диаметр провода: нужно число больше нуля"},
    {"BeyondAnyFrequency", {{FrequencyField::SweepTo, 1e300, 1e9}}, 15e6, "Конец диапазона: нужно число больше нуля"},
    {"DiameterAsLongAsTheWire", {{FrequencyField::Diameter, 10400, 1e-3}}, 2e-3, "Диаметр провода должен быть меньше его длины"},
    {"TooThickForTheModel", {{FrequencyField::Diameter, 5, 1}}, 2e-3, "На частоте 14 МГц провод слишком толстый для модели"},
    {"TooThinForTheModel", {{FrequencyField::Diameter, 1e-9, 1e-3}}, 2e-3, "На частоте 14 МГц провод слишком тонкий"},
    {"TooLongAtTheFrequency", {{FrequencyField::Frequency, 1, 1e9}}, 14e6, "На частоте 1 ГГц провод длиной 10,4 м"},
    {"BandTooWide", {{FrequencyField::SweepTo, 900, kMega}}, 15e6, "Диапазон слишком широк для этого провода: на 900 МГц"},
    {"BandTooWideForTheRadius", {{FrequencyField::Diameter, 2.1, 1}}, 2e-3, "на 15 МГц провод слишком толстый"},
    {"BandUpsideDown", {{FrequencyField::SweepFrom, 15, kMega}}, 13e6, "Начало диапазона частот должно быть ниже его конца"},
    {"BandInGigahertzRefusedWhole", {{FrequencyField::SweepFrom, 13, 1e9}, {FrequencyField::SweepTo, 15, 1e9}}, 13e6, "Диапазон слишком широк"},
};
// clang-format on

class FrequencyModelTest : public ::testing::Test
{
protected:
    ScopedLocaleNumberSettings locale{LocaleNumberSettings::russian()};
};

// Written by hand: Γ of 55 − j30, 58 − j10, 62 + j10 and 66 + j30 Ω
// against 50 Ω, (Z − 50)/(Z + 50), whose reactance rises through zero at
// 14 MHz, halfway between the middle points.
const char kMeasuredS1p[] = "! four points by hand\n"
                            "# MHz S RI R 50\n"
                            "13.8 0.119496855346 -0.251572327044\n"
                            "13.9 0.081944916695 -0.085005100306\n"
                            "14.1 0.114204365707 0.079088895919\n"
                            "14.2 0.191975480635 0.208971858456\n";

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &contents)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
    return path;
}

} // namespace

TEST_F(FrequencyModelTest, TakesValuesInTheirUnitsAndRefusesWithoutAChange)
{
    for (const TakeCase &c : kTakeCases) {
        FrequencyModel model;
        const FrequencyWire before = model.wire();
        const std::vector<FrequencyPoint> sweep = model.sweep();
        const QString refusal = model.take(c.values);
        const FrequencyField field = c.values.front().field;
        EXPECT_NEAR(model.value(field), c.expected, 1e-9 * c.expected) << c.name;
        if (!c.refusal) {
            EXPECT_EQ(refusal, QString()) << c.name;
            EXPECT_NEAR(model.sweep().front().frequency, model.wire().sweepFrom, 1e-6) << c.name;
            EXPECT_NEAR(model.sweep().back().frequency, model.wire().sweepTo, 1e-6) << c.name;
            continue;
        }
        EXPECT_TRUE(refusal.contains(QString::fromUtf8(c.refusal))) << c.name << ": " << refusal.toStdString();
        EXPECT_EQ(model.wire().frequency, before.frequency) << c.name;
        EXPECT_EQ(model.wire().length, before.length) << c.name;
        EXPECT_EQ(model.wire().diameter, before.diameter) << c.name;
        EXPECT_EQ(model.wire().sweepFrom, before.sweepFrom) << c.name;
        EXPECT_EQ(model.wire().sweepTo, before.sweepTo) << c.name;
        ASSERT_EQ(model.sweep().size(), sweep.size()) << c.name;
        EXPECT_EQ(model.sweep().back().input->reactance, sweep.back().input->reactance) << c.name;
    }
}

// The start is a dipole cut for 14 MHz: its resonance lies within the band,
// near 14 MHz. Driven at its resonant frequency, the wire is its own
// resonant length; a wire cut to the resonant length at 14 MHz resonates
// there.
TEST_F(FrequencyModelTest, TheFirstResonanceReadAsAFrequencyAndAsALengthAgree)
{
    FrequencyModel model;
    EXPECT_NEAR(model.lengthInWavelengths(), 10.4 * 14e6 / kSpeedOfLight, 1e-15);
    EXPECT_NEAR(model.radiusInWavelengths(), 1e-3 * 14e6 / kSpeedOfLight, 1e-18);
    const std::vector<double> inBand = model.resonances();
    ASSERT_EQ(inBand.size(), 1u);
    EXPECT_NEAR(inBand.front(), 14.011921e6, 1.0) << "dipole-render's resonance for this wire";
    const std::optional<double> frequency = model.resonantFrequency();
    ASSERT_TRUE(frequency);
    EXPECT_NEAR(*frequency, inBand.front(), 1e-3);
    const std::optional<double> length = model.resonantLength();
    ASSERT_TRUE(length);
    EXPECT_GT(*length, 10.4);

    // The resonance of the length, wherever the frequency is set.
    FrequencyModel atHalf;
    ASSERT_EQ(atHalf.take(FrequencyField::Frequency, 7, kMega), QString());
    ASSERT_TRUE(atHalf.resonantFrequency());
    EXPECT_NEAR(*atHalf.resonantFrequency(), inBand.front(), 1e-3);

    FrequencyModel atResonance;
    ASSERT_EQ(atResonance.take(FrequencyField::Frequency, *frequency, 1.0), QString());
    EXPECT_NEAR(*atResonance.resonantLength(), 10.4, 1e-9);
    FrequencyModel cut;
    ASSERT_EQ(cut.take(FrequencyField::Length, *length, 1.0), QString());
    EXPECT_NEAR(*cut.resonantFrequency(), 14e6, 1e-3);

    const std::optional<SwrBand> band = model.band();
    ASSERT_TRUE(band);
    EXPECT_LT(band->low, inBand.front());
    EXPECT_GT(band->high, inBand.front());
    EXPECT_TRUE(ModelFiguresText(model).contains(QStringLiteral("Первый резонанс: 14,0119 МГц для этой длины")))
        << ModelFiguresText(model).toStdString();
}

TEST_F(FrequencyModelTest, AMeasuredOnePortIsReadAgainstTheLinesResistance)
{
    const QTemporaryDir dir;
    const MeasurementFile file = ReadMeasurementFile(writeFile(dir, QStringLiteral("dipole.S1P"), kMeasuredS1p));
    ASSERT_TRUE(file.sweep) << file.failure.toStdString();
    FrequencyModel model;
    model.setMeasuredSweep(*file.sweep, QStringLiteral("dipole.S1P"));
    ASSERT_EQ(model.measuredSweep().size(), 4u);
    EXPECT_NEAR(model.measuredSweep()[1].input->resistance, 58.0, 1e-9);
    const std::vector<double> resonances = model.measuredResonances();
    ASSERT_EQ(resonances.size(), 1u);
    EXPECT_NEAR(resonances.front(), 14e6, 1.0);
    const QString text = MeasuredSweepText(model);
    EXPECT_TRUE(text.contains(QStringLiteral("Измерение «dipole.S1P»: резонанс 14 МГц (-0,09 % от модели)")))
        << text.toStdString();

    // Against 75 Ω the same impedances have another SWR, whether the line
    // changes before the file is opened or after.
    const double swrOn50 = *model.measuredSweep()[1].swr;
    model.setReferenceResistance(75.0);
    EXPECT_NEAR(model.measuredSweep()[1].input->resistance, 58.0, 1e-9);
    EXPECT_GT(*model.measuredSweep()[1].swr, swrOn50);
    FrequencyModel on75;
    on75.setReferenceResistance(75.0);
    on75.setMeasuredSweep(*file.sweep, QStringLiteral("dipole.S1P"));
    EXPECT_EQ(*on75.measuredSweep()[1].swr, *model.measuredSweep()[1].swr);

    model.clearMeasurements();
    EXPECT_TRUE(model.measuredSweep().empty());
    EXPECT_EQ(MeasuredSweepText(model), QString());
}

struct BadFileCase
{
    const char *name;
    const char *fileName;
    const char *contents; // none: the file is not there
    const char *message;  // a part of the message
};

// clang-format off
const BadFileCase kBadFiles[] = {
    {"NotANumber", "m.s1p", "# MHz S RI R 50\n14.0 0.1 0.2\n14.1 x 0.2\n", "«m.s1p» не открыто: строка 3: \"x\" is not a number"},
    {"TwoPorts", "m.s2p", "# MHz S RI R 50\n14 0 0 0 0 0 0 0 0\n", "«m.s2p» не открыто"},
    {"NoData", "m.s1p", "# MHz S RI R 50\n! nothing\n", "the file holds no data"},
    {"PatternOfTwoRows", "p.csv", "0,1\n90,1\n", "«p.csv» не открыто"},
    {"PatternWithAWord", "p.csv", "theta,level\n0,0\n90,high\n180,0\n", "строка 3"},
    {"NoSuchFile", "gone.s1p", nullptr, "«gone.s1p» не открыто"},
};
// clang-format on

TEST_F(FrequencyModelTest, ABadFileIsToldWithItsNameLineAndReason)
{
    const QTemporaryDir dir;
    for (const BadFileCase &c : kBadFiles) {
        const QString path = c.contents ? writeFile(dir, QString::fromUtf8(c.fileName), c.contents)
                                        : dir.filePath(QString::fromUtf8(c.fileName));
        const MeasurementFile file = ReadMeasurementFile(path);
        EXPECT_FALSE(file.sweep) << c.name;
        EXPECT_FALSE(file.pattern) << c.name;
        EXPECT_TRUE(file.failure.contains(QString::fromUtf8(c.message)))
            << c.name << ": " << file.failure.toStdString();
    }
}

TEST_F(FrequencyModelTest, APatternTableIsReadByItsNameAndSetAgainstTheTheory)
{
    const QTemporaryDir dir;
    // The half-wave dipole's own pattern, cos(π/2·cos θ)/sin θ, every 30°.
    const MeasurementFile file = ReadMeasurementFile(writeFile(
        dir, QStringLiteral("turntable.txt"), "theta,level\n30,0.4178\n60,0.8165\n90,1\n120,0.8165\n150,0.4178\n"));
    ASSERT_TRUE(file.pattern) << file.failure.toStdString();
    FrequencyModel model;
    model.setMeasuredPattern(*file.pattern, QStringLiteral("turntable.txt"));
    const QString halfWave = MeasuredPatternText(model, 0.5);
    EXPECT_TRUE(halfWave.contains(QStringLiteral("точек: 5, СКО от теории 0,00 дБ"))) << halfWave.toStdString();
    EXPECT_FALSE(MeasuredPatternText(model, 1.5).contains(QStringLiteral("0,00 дБ")));
    EXPECT_TRUE(MeasuredPatternText(model, 0.0).contains(QStringLiteral("не сравнивается")));
}
