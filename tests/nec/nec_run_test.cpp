// The NEC-2 cross-check run for real: the installed nec2c gives the stored
// report of the half-wave deck, and nec2c's failures (status, signal, time,
// silence) and an unreadable report become errors, never numbers.
#include "nec/NecCrossCheck.h"
#include "nec/NecErrors.h"

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

// The installed nec2c, as CI runs it: the same report as the stored one, and
// the figures a course quotes.
TEST(Nec2c, SolvesTheHalfWaveAsStored)
{
    ASSERT_FALSE(FindNec2c().isEmpty()) << "nec2c is not installed: scripts/setup.sh installs it";
    const NecSolution real = RunNecCrossCheck(0.5, 1e-5);
    const NecSolution stored = ParseNecOutput(StoredHalfWave().toStdString(), kHalfWave);
    EXPECT_EQ(real.input.resistance, stored.input.resistance);
    EXPECT_EQ(real.input.reactance, stored.input.reactance);
    EXPECT_EQ(real.directivity, stored.directivity);
    EXPECT_EQ(real.feedToMaximum, stored.feedToMaximum);
    EXPECT_NEAR(real.input.resistance, 77.7, 0.05);
    EXPECT_NEAR(real.input.reactance, 44.23, 0.05);
    EXPECT_NEAR(real.directivityDbi, 2.163, 0.001);
}

// A long wire's largest lobe falls between the tenth-degree samples. The
// reference: the same deck (481 segments) with the pattern every 0.01° from
// 0° to 90° (RP 0 9001 1 1000 0 0 0.01 0), Simpson's rule over the squared
// fields and the largest sample: D = 6.58501 (6.58480 and 6.58484 with a
// source of 1.37 V and 7.1 V, whose fields round differently). The largest
// half-degree sample over the input power gives 6.5782.
//
// The coarser model's impedance beside the full one, from decks of 247
// and 493 segments with XQ in place of RP: 210.55 - j338.24 Ω and
// 193.67 - j328.54 Ω, a change of 19.47 / 381.38 = 5.1 %.
TEST(Nec2c, FindsTheDirectivityBetweenSamplesAndHowSettledTheImpedanceIs)
{
    ASSERT_FALSE(FindNec2c().isEmpty()) << "nec2c is not installed: scripts/setup.sh installs it";
    const NecSolution twelve = RunNecCrossCheck(12.0, 1e-3);
    EXPECT_EQ(twelve.segments, 481);
    EXPECT_NEAR(twelve.directivity, 6.5850, 4e-4);
    EXPECT_FALSE(twelve.settling);
    const NecSolution settled = RunSettledNecCrossCheck(12.3, 1e-3);
    ASSERT_TRUE(settled.settling);
    EXPECT_EQ(settled.settling->halfSegments, 247);
    EXPECT_NEAR(settled.settling->halfInput.resistance, 210.55, 1e-9);
    EXPECT_NEAR(settled.settling->change, 0.0511, 5e-4);
}

// Where the theory's current has a node at the feed, the moment method finds
// a current there (a fifth of the largest on a thin wire, more on a thicker
// one) and a large but finite input resistance: 5486.2 - j3171.2 Ω and
// 1118.8 - j1122.1 Ω from decks of 41 segments with A = 1e-5 and 1e-3.
TEST(Nec2c, FindsAFiniteResistanceAtAFullWave)
{
    ASSERT_FALSE(FindNec2c().isEmpty()) << "nec2c is not installed: scripts/setup.sh installs it";
    const NecSolution thin = RunNecCrossCheck(1.0, 1e-5);
    const NecSolution thick = RunNecCrossCheck(1.0, 1e-3);
    EXPECT_EQ(thin.segments, 41);
    EXPECT_GT(thin.input.resistance, 5000.0);
    EXPECT_LT(thin.input.resistance, 6000.0);
    EXPECT_GT(thick.input.resistance, 1000.0);
    EXPECT_LT(thick.input.resistance, 1250.0);
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
    EXPECT_EQ(s.input.resistance, 77.702);
    const QList<QByteArray> fields = readLog().trimmed().split(' ');
    ASSERT_EQ(fields.size(), 7);
    EXPECT_FALSE(QFileInfo::exists(QString::fromLocal8Bit(fields[0])));
    EXPECT_EQ(fields[1], "700");
    EXPECT_EQ(fields[2], "C");
    EXPECT_EQ(fields.mid(3).join(' '), "-i dipole.nec -o dipole.out");
    QFile deck(log() + QStringLiteral(".deck"));
    ASSERT_TRUE(deck.open(QIODevice::ReadOnly));
    EXPECT_EQ(deck.readAll(), QByteArray::fromStdString(NecDeck(kHalfWave)));
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
    // Read without waiting for a writer that never comes, and not followed.
    {"OutputIsAFifo", "mkfifo dipole.out", "nec2c failed: its output dipole.out is not a regular file"},
    {"OutputIsALink", "ln -s /dev/zero dipole.out", "nec2c failed: its output dipole.out is not a regular file"},
    {"OutputIsADanglingLink", "ln -s nowhere dipole.out", "nec2c failed: its output dipole.out is not a regular file"},
    // The longest wire's report is under a megabyte.
    {"OutputTooLarge", "head -c 17000000 /dev/zero > dipole.out",
     "nec2c failed: its output is far larger than any deck of a dipole makes"},
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
    EXPECT_THROW(RunNecCrossCheck(0.5, 0.02, 10s, QString()), std::domain_error);
}

} // namespace
