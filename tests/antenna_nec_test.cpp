// The NEC-2 cross-check: nec2c's report read back from a stored run of the
// half-wave deck and from real runs of the installed nec2c, the report
// refused when any part of it is missing or inconsistent, and nec2c's
// failures (status, signal, time, silence) turned into errors, never numbers.
#include "antenna/AntennaErrors.h"
#include "antenna/NecCrossCheck.h"

#include "QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>

namespace {

using namespace std::chrono_literals;

QByteArray StoredHalfWave()
{
    QFile file(QStringLiteral(DIPOLE_TEST_DATA_DIR "/nec2c_half_wave.out"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

const NecModel kHalfWave = MakeNecModel(0.5, 1e-5);

// The stored report is nec2c's for NecDeck(kHalfWave). The directivity from
// its numbers, by hand: E(90°) = 0.69119 V, P = 4.8423 mW,
//     D = 2π·0.69119² / (376.730313668 · 0.0048423) = 1.6454795959962634,
// 2.1629250139722807 dBi (the report's gain column: 2.16 dB).
TEST(NecOutput, ReadsTheStoredHalfWave)
{
    const NecSolution s = ParseNecOutput(StoredHalfWave(), kHalfWave);
    EXPECT_EQ(s.segments, 51);
    EXPECT_EQ(s.input.resistance, 77.901);
    EXPECT_EQ(s.input.reactance, 44.444);
    EXPECT_NEAR(s.directivity, 1.6454795959962634, 1e-12);
    EXPECT_NEAR(s.directivityDbi, 2.1629250139722807, 1e-11);
    // Segment 26 carries 11.150 mA, segment 25 (and 27) the largest, 11.156.
    EXPECT_NEAR(s.feedToMaximum, 0.011150 / 0.011156, 1e-15);
    ASSERT_EQ(s.currents.size(), 51u);
    EXPECT_NEAR(s.currents.front().z, -0.25 + 0.5 / 102, 1e-15);
    EXPECT_NEAR(s.currents[25].z, 0.0, 1e-15);
    EXPECT_NEAR(s.currents.front().magnitude, 4.3583e-4 / 0.011156, 1e-15);
    ASSERT_EQ(s.pattern.size(), 361u);
    EXPECT_EQ(s.pattern[90].thetaDeg, 45.0);
    EXPECT_NEAR(s.pattern[90].field, 0.43224 / 0.69119, 1e-15);
    EXPECT_EQ(s.pattern[180].field, 1.0);
    EXPECT_EQ(s.pattern[0].field, 0.0);
}

struct Damage
{
    const char *name;
    const char *before;
    const char *after;
};

// clang-format off
const Damage kDamages[] = {
    {"NoInputSection", "ANTENNA INPUT PARAMETERS", "ANTENNA INPUT"},
    {"SourceOffCentre", "    1    26  1.0000E+00", "    1    25  1.0000E+00"},
    {"NegativeResistance", "7.7901E+01", "-7.7901E+01"},
    {"NotANumber", "7.7901E+01", "nan"},
    {"MissingCurrent", "    30    1    0.0000    0.0000    0.0392   0.00980  9.4044E-03 -5.5790E-03  1.0935E-02  -30.678\n", ""},
    {"MisplacedCurrent", "    30    1    0.0000    0.0000    0.0392", "    30    1    0.0000    0.0000    0.0492"},
    {"NoCurrentSection", "CURRENTS AND LOCATION", "CURRENTS"},
    {"NoRadiatedPower", "RADIATED POWER=  4.8423E-03", "RADIATED POWER=  0.0000E+00"},
    {"GainDisagrees", "   90.00      0.00      2.16  -999.99     2.16", "   90.00      0.00      2.16  -999.99     2.46"},
    {"MissingDirection", "   45.00      0.00     -1.91  -999.99    -1.91      0.0000      0.00 LINEAR  4.3224E-01     58.62  0.0000E+00      0.00\n", ""},
    {"WrongDirection", "   45.00      0.00     -1.91", "   46.00      0.00     -1.91"},
    {"NoPatternSection", "RADIATION PATTERNS", "PATTERNS"},
};
// clang-format on

class DamagedReport : public ::testing::TestWithParam<Damage>
{
};

TEST_P(DamagedReport, IsRefused)
{
    QByteArray text = StoredHalfWave();
    ASSERT_EQ(text.count(GetParam().before), 1);
    text.replace(GetParam().before, GetParam().after);
    EXPECT_THROW(ParseNecOutput(text, kHalfWave), NecOutputError);
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedReport, ::testing::ValuesIn(kDamages),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(NecOutput, RefusesAnEmptyOrCutReport)
{
    const QByteArray text = StoredHalfWave();
    EXPECT_THROW(ParseNecOutput(QByteArray(), kHalfWave), NecOutputError);
    EXPECT_THROW(ParseNecOutput(text.left(text.size() / 2), kHalfWave), NecOutputError);
    // The report of another wire.
    EXPECT_THROW(ParseNecOutput(text, MakeNecModel(0.6, 1e-5)), NecOutputError);
}

// The installed nec2c, as CI runs it: the same report as the stored one, and
// the figures a course quotes.
TEST(Nec2c, SolvesTheHalfWaveAsStored)
{
    ASSERT_FALSE(FindNec2c().isEmpty()) << "nec2c is not installed: scripts/setup.sh installs it";
    const NecSolution real = RunNecCrossCheck(0.5, 1e-5);
    const NecSolution stored = ParseNecOutput(StoredHalfWave(), kHalfWave);
    EXPECT_EQ(real.input.resistance, stored.input.resistance);
    EXPECT_EQ(real.input.reactance, stored.input.reactance);
    EXPECT_EQ(real.directivity, stored.directivity);
    EXPECT_EQ(real.feedToMaximum, stored.feedToMaximum);
    EXPECT_NEAR(real.input.resistance, 77.9, 0.05);
    EXPECT_NEAR(real.input.reactance, 44.4, 0.05);
    EXPECT_NEAR(real.directivityDbi, 2.163, 0.001);
}

// Where the theory's current has a node at the feed, the moment method finds
// a current there (a fifth of the largest on a thin wire, more on a thicker
// one) and a large but finite input resistance.
TEST(Nec2c, FindsAFiniteResistanceAtAFullWave)
{
    ASSERT_FALSE(FindNec2c().isEmpty()) << "nec2c is not installed: scripts/setup.sh installs it";
    const NecSolution thin = RunNecCrossCheck(1.0, 1e-5);
    const NecSolution thick = RunNecCrossCheck(1.0, 1e-3);
    EXPECT_EQ(thin.segments, 101);
    EXPECT_GT(thin.input.resistance, 4000.0);
    EXPECT_LT(thin.input.resistance, 5000.0);
    EXPECT_GT(thick.input.resistance, 800.0);
    EXPECT_LT(thick.input.resistance, 1000.0);
    EXPECT_GT(thin.feedToMaximum, 0.1);
    EXPECT_LT(thin.feedToMaximum, thick.feedToMaximum);
    EXPECT_LT(thick.feedToMaximum, 0.6);
}

// Fake nec2c programs: shell scripts run in place of the real one.
class FakeNec2c : public ::testing::Test
{
protected:
    QString script(const QString &name, const QByteArray &body)
    {
        const QString path = m_folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n" + body + "\n");
        file.close();
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        return path;
    }
    QString log() const { return m_folder.filePath(QStringLiteral("log")); }
    QByteArray readLog() const
    {
        QFile file(log());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString run(const QString &program, std::chrono::milliseconds timeout = 10s)
    {
        try {
            RunNecCrossCheck(0.5, 1e-5, timeout, program);
        } catch (const AppError &e) {
            return e.message();
        }
        return QStringLiteral("no error");
    }

    QTemporaryDir m_folder;
};

// The deck goes to nec2c in a folder of its own, open to this user alone,
// with the C locale; the folder is gone afterwards.
TEST_F(FakeNec2c, RunsInAPrivateFolderThatIsRemoved)
{
    const QString program =
        script(QStringLiteral("nec2c"), "echo \"$PWD $(stat -c %a .) $LC_ALL $*\" > '" + log().toUtf8()
                                            + "'\n"
                                              "cp dipole.nec '"
                                            + log().toUtf8()
                                            + ".deck'\n"
                                              "cp '" DIPOLE_TEST_DATA_DIR "/nec2c_half_wave.out' dipole.out");
    const NecSolution s = RunNecCrossCheck(0.5, 1e-5, 10s, program);
    EXPECT_EQ(s.input.resistance, 77.901);
    const QList<QByteArray> fields = readLog().trimmed().split(' ');
    ASSERT_EQ(fields.size(), 7);
    EXPECT_FALSE(QFileInfo::exists(QString::fromLocal8Bit(fields[0])));
    EXPECT_EQ(fields[1], "700");
    EXPECT_EQ(fields[2], "C");
    EXPECT_EQ(fields.mid(3).join(' '), "-i dipole.nec -o dipole.out");
    QFile deck(log() + QStringLiteral(".deck"));
    ASSERT_TRUE(deck.open(QIODevice::ReadOnly));
    EXPECT_EQ(deck.readAll(), NecDeck(kHalfWave));
}

struct Failure
{
    const char *name;
    const char *body;
    const char *message;
};

const Failure kFailures[] = {
    {"Status", "echo 'card GW: bad tag' >&2; exit 3", "nec2c failed: it ended with status 3: card GW: bad tag"},
    {"Signal", "kill -SEGV $$", "nec2c failed: it was ended by signal 11"},
    {"NoOutput", "exit 0", "nec2c failed: it wrote no output"},
    {"Garbage", "echo 'SEGMENTATION DATA' > dipole.out",
     "nec2c's output could not be read: the section \"ANTENNA INPUT PARAMETERS\" is missing"},
    {"TooLong", "exec sleep 30", "nec2c failed: it ran for more than 0.3 s and was stopped"},
};

class Nec2cFailure : public FakeNec2c, public ::testing::WithParamInterface<Failure>
{
};

TEST_P(Nec2cFailure, IsAnErrorWithItsReason)
{
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(run(script(QStringLiteral("nec2c"), GetParam().body), 300ms), QString::fromUtf8(GetParam().message));
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
}

INSTANTIATE_TEST_SUITE_P(Cases, Nec2cFailure, ::testing::ValuesIn(kFailures),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(FakeNec2c, MissingOrUnstartableProgram)
{
    EXPECT_EQ(run(QString()), QStringLiteral("nec2c is not installed (the Debian package nec2c brings it)"));
    EXPECT_TRUE(run(m_folder.filePath(QStringLiteral("absent")))
                    .startsWith(QStringLiteral("nec2c failed: it could not be started")));
    // The model is checked before anything runs.
    EXPECT_THROW(RunNecCrossCheck(0.5, 0.01, 10s, QString()), std::domain_error);
}

} // namespace
