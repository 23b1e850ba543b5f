// dipole-render --impedance … --nec: the columns NEC-2 adds, and a sweep
// stopped or failing half-way, which leaves no file, no folder, no nec2c and
// no private folder behind. (Its refusals are in antenna_render_test.cpp.)
#include "Arguments.h"
#include "RenderProcess.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <complex>

#include <signal.h>

namespace {

// NEC-2's columns follow the theory's, which stay those of a run without
// --nec; each row holds NEC-2's solution of its own length. References:
// nec2c on hand-written decks of radius 0.001 (45, 51 and 55 segments), e.g.
//   printf 'CM d\nCE\nGW 1 45 0 0 -0.225 0 0 0.225 0.001\nGE 0\nEX 0 1 23 0 1 0\n
//   FR 0 1 0 0 299.8 0\nXQ 0\nEN\n' > d.nec; nec2c -i d.nec -o d.out
// Counts from 21 to 101 segments move them by under 3 %, the tolerance.
TEST(NecSweep, AddsNecColumnsAfterTheTheory)
{
    const std::complex<double> references[] = {{60.978, -44.259}, {85.970, 48.893}, {121.78, 148.25}};
    QTemporaryDir dir;
    const RunResult theory = RunRender(Args({"--impedance", "0.45:0.55", "--step", "0.05", "--z0", "75"}), dir.path());
    const RunResult nec =
        RunRender(Args({"--impedance", "0.45:0.55", "--step", "0.05", "--z0", "75", "--nec"}), dir.path());
    ASSERT_EQ(nec.exitCode, 0) << nec.err.constData();
    const QList<QByteArray> theoryRows = theory.out.trimmed().split('\n');
    const QList<QByteArray> rows = nec.out.trimmed().split('\n');
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0], "length,r_in_ohm,x_in_ohm,swr,nec_r_in_ohm,nec_x_in_ohm,nec_swr");
    for (int i = 1; i < rows.size(); ++i) {
        const QList<QByteArray> fields = rows[i].split(',');
        ASSERT_EQ(fields.size(), 7);
        EXPECT_EQ(fields.mid(0, 4).join(','), theoryRows[i]);
        const std::complex<double> z(fields[4].toDouble(), fields[5].toDouble());
        EXPECT_LT(std::abs(z - references[i - 1]), 0.03 * std::abs(references[i - 1])) << i;
        const double gamma = std::abs((z - 75.0) / (z + 75.0));
        EXPECT_NEAR(fields[6].toDouble(), (1 + gamma) / (1 - gamma), 1e-9) << i;
    }
}

struct Stop
{
    const char *name;
    int signal;               // sent once a nec2c runs; 0: none
    const char *runs;         // the stand-in nec2c's script after it records its pid
    const char *errorMessage; // with no signal: the whole error stream
};

// clang-format off
const Stop kStops[] = {
    {"Interrupt", SIGINT, "exec sleep 60\n", nullptr},
    {"Terminate", SIGTERM, "exec sleep 60\n", nullptr},
    // The third run to start fails while the others solve their lengths.
    {"FailsHalfWay", 0,
     "n=1; while ! mkdir \"$PIDS/run$n\" 2>/dev/null; do n=$((n + 1)); done\n"
     "[ $n -eq 3 ] && { echo 'out of memory' >&2; exit 1; }\nexec \"$NEC2C\" \"$@\"\n",
     "dipole-render: nec2c failed: it ended with status 1: out of memory\n"},
};
// clang-format on

class NecSweepStopped : public ::testing::TestWithParam<Stop>
{
};

// Stopped by a signal or a failing run, the sweep writes nothing, not even
// the --out folder; every nec2c ends with it and its private folder goes.
TEST_P(NecSweepStopped, LeavesNothingBehind)
{
    const Stop &stop = GetParam();
    QTemporaryDir bin, pids, temporary, work;
    QFile fake(bin.filePath(QStringLiteral("nec2c")));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write(QByteArray("#!/bin/sh\necho $$ > \"$PIDS/.$$\" && mv \"$PIDS/.$$\" \"$PIDS/$$\"\n") + stop.runs);
    fake.close();
    fake.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("NEC2C"), QStandardPaths::findExecutable(QStringLiteral("nec2c")));
    environment.insert(QStringLiteral("PATH"), bin.path() + ':' + environment.value(QStringLiteral("PATH")));
    environment.insert(QStringLiteral("TMPDIR"), temporary.path());
    environment.insert(QStringLiteral("PIDS"), pids.path());

    QProcess render;
    render.setProcessEnvironment(environment);
    render.setWorkingDirectory(work.path());
    render.start(QStringLiteral(DIPOLE_RENDER_PATH),
                 Args({"--impedance", "0.4:0.6", "--step", "0.02", "--nec", "--out", "out"}));
    const auto started = [&] { return QDir(pids.path()).entryList(QDir::Files); };
    for (int i = 0; i < 1000 && stop.signal != 0 && started().isEmpty(); ++i)
        QThread::msleep(10);
    if (stop.signal != 0)
        kill(static_cast<pid_t>(render.processId()), stop.signal);
    ASSERT_TRUE(render.waitForFinished(30000));
    if (stop.signal != 0) {
        EXPECT_EQ(render.exitStatus(), QProcess::CrashExit);
    } else {
        EXPECT_EQ(render.exitCode(), 1);
        EXPECT_EQ(render.readAllStandardError(), stop.errorMessage);
    }
    EXPECT_FALSE(started().isEmpty());
    EXPECT_TRUE(render.readAllStandardOutput().isEmpty());
    for (const QString &pid : started()) {
        // The kernel's kill of a child is not instant.
        for (int i = 0; i < 1000 && Running(pid.toLongLong()); ++i)
            QThread::msleep(10);
        EXPECT_FALSE(Running(pid.toLongLong())) << "nec2c outlived dipole-render";
        if (Running(pid.toLongLong()))
            ::kill(static_cast<pid_t>(pid.toLongLong()), SIGKILL);
    }
    EXPECT_TRUE(QDir(work.path()).isEmpty());
    EXPECT_TRUE(QDir(temporary.path()).isEmpty());
}
INSTANTIATE_TEST_SUITE_P(Cases, NecSweepStopped, ::testing::ValuesIn(kStops),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
