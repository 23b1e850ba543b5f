// The sweep of many lengths: each solution in its length's place whichever
// run ends first, the first failing length's error, and a cancel that starts
// no more lengths and ends a running nec2c with its private folder.
#include "nec/NecCrossCheck.h"
#include "nec/NecErrors.h"
#include "nec/NecSweep.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <signal.h>

namespace {

using namespace std::chrono_literals;

std::vector<double> lengthsOf(int count)
{
    std::vector<double> lengths;
    for (int i = 0; i < count; ++i)
        lengths.push_back(0.5 + 0.1 * i);
    return lengths;
}

// A stand-in for nec2c's solution that a mixed-up order would show.
Impedance fakeImpedance(double M)
{
    return {100.0 * M, -M};
}

struct Order
{
    const char *name;
    int threads;
    int lengths;
};

const Order kOrders[] = {
    {"OneThread", 1, 6},
    {"TwoThreads", 2, 6},
    {"MoreThreadsThanLengths", 8, 5},
    {"OneLength", 3, 1},
};

class SweepOrder : public ::testing::TestWithParam<Order>
{
};

// The later lengths take the shorter time, so they end first.
TEST_P(SweepOrder, KeepsEachSolutionInItsLengthsPlace)
{
    const Order &order = GetParam();
    const std::vector<double> lengths = lengthsOf(order.lengths);
    const auto solve = [&](double M) {
        std::this_thread::sleep_for(std::chrono::milliseconds(int(40 * (lengths.back() - M + 0.1))));
        return fakeImpedance(M);
    };
    std::vector<int> counts;
    const std::vector<Impedance> inputs =
        SolveEachLength(lengths, order.threads, solve, [&](int solved) { counts.push_back(solved); });
    ASSERT_EQ(inputs.size(), lengths.size());
    for (size_t i = 0; i < lengths.size(); ++i) {
        EXPECT_EQ(inputs[i].resistance, fakeImpedance(lengths[i]).resistance) << i;
        EXPECT_EQ(inputs[i].reactance, fakeImpedance(lengths[i]).reactance) << i;
    }
    ASSERT_FALSE(counts.empty());
    EXPECT_TRUE(std::is_sorted(counts.begin(), counts.end()));
    EXPECT_EQ(counts.back(), order.lengths);
}
INSTANTIATE_TEST_SUITE_P(Cases, SweepOrder, ::testing::ValuesIn(kOrders),
                         [](const auto &info) { return std::string(info.param.name); });

// Two lengths fail, the later one first: the error is the earlier length's.
TEST(Sweep, ThrowsTheFirstFailingLengthsError)
{
    const std::vector<double> lengths = lengthsOf(5);
    const auto solve = [&](double M) -> Impedance {
        if (M == lengths[1]) {
            std::this_thread::sleep_for(50ms);
            throw NecRunError(QStringLiteral("second"));
        }
        if (M == lengths[3])
            throw NecRunError(QStringLiteral("fourth"));
        return fakeImpedance(M);
    };
    try {
        SolveEachLength(lengths, 4, solve, nullptr);
        FAIL() << "no error";
    } catch (const NecRunError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("nec2c failed: second"));
    }
}

struct Cancel
{
    const char *name;
    int threads;
    int cancelDuring; // the length whose solution sets the flag; -1: set before the start
    int mostStarted;
    bool throws;
};

const Cancel kCancels[] = {
    {"BeforeTheStart", 2, -1, 0, true},
    {"DuringTheSecondLength", 1, 1, 2, true},
    // The other thread may have taken the third length meanwhile, no more.
    {"DuringTheSecondLengthOnTwoThreads", 2, 1, 3, true},
    // Nothing is left to stop: the curve is whole.
    {"DuringTheLastLength", 1, 7, 8, false},
};

class SweepCancel : public ::testing::TestWithParam<Cancel>
{
};

TEST_P(SweepCancel, StartsNoLengthOnceSet)
{
    const Cancel &c = GetParam();
    const std::vector<double> lengths = lengthsOf(8);
    std::atomic<bool> cancel{c.cancelDuring < 0};
    std::atomic<int> started{0};
    const auto solve = [&](double M) {
        ++started;
        std::this_thread::sleep_for(10ms);
        if (c.cancelDuring >= 0 && M == lengths[size_t(c.cancelDuring)])
            cancel = true;
        return fakeImpedance(M);
    };
    bool thrown = false;
    try {
        SolveEachLength(lengths, c.threads, solve, nullptr, &cancel);
    } catch (const NecCancelledError &) {
        thrown = true;
    }
    EXPECT_EQ(thrown, c.throws);
    EXPECT_LE(started, c.mostStarted);
}
INSTANTIATE_TEST_SUITE_P(Cases, SweepCancel, ::testing::ValuesIn(kCancels),
                         [](const auto &info) { return std::string(info.param.name); });

bool running(qint64 pid)
{
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) == 0;
}

// The runs' private folders go to a folder of the test's own.
class TemporaryFolder
{
public:
    TemporaryFolder() : m_previous(qgetenv("TMPDIR")) { qputenv("TMPDIR", folder.path().toLocal8Bit()); }
    ~TemporaryFolder() { qputenv("TMPDIR", m_previous); }
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;
    QTemporaryDir folder;

private:
    QByteArray m_previous;
};

struct RunningCancel
{
    const char *name;
    bool sweep; // a sweep of lengths, or one cross-check
};

const RunningCancel kRunningCancels[] = {{"OneRun", false}, {"Sweep", true}};

class CancelRunning : public ::testing::TestWithParam<RunningCancel>
{
};

// nec2c that never ends by itself: the cancel kills it, promptly, and its
// private folder goes.
TEST_P(CancelRunning, EndsNec2cAndRemovesItsFolder)
{
    QTemporaryDir bin, pids;
    const QString program = bin.filePath(QStringLiteral("nec2c"));
    QFile fake(program);
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    const QByteArray folder = pids.path().toLocal8Bit();
    fake.write("#!/bin/sh\necho $$ > \"" + folder + "/.$$\" && mv \"" + folder + "/.$$\" \"" + folder
               + "/$$\"\nexec sleep 60\n");
    fake.close();
    fake.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const TemporaryFolder temporary;
    std::atomic<bool> cancel{false};
    const auto started = [&] { return QDir(pids.path()).entryList(QDir::Files); };
    std::thread canceller([&] {
        for (int i = 0; i < 1000 && started().isEmpty(); ++i)
            QThread::msleep(10);
        cancel = true;
    });
    const auto begun = std::chrono::steady_clock::now();
    bool cancelled = false;
    try {
        if (GetParam().sweep) {
            const auto solve = [&](double M) {
                return RunNecImpedance(MakeNecModel(M, 1e-3), kNecTimeout, program, &cancel);
            };
            SolveEachLength(lengthsOf(6), 2, solve, nullptr, &cancel);
        } else {
            RunNecCrossCheck(0.5, 1e-3, kNecTimeout, program, &cancel);
        }
    } catch (const NecCancelledError &) {
        cancelled = true;
    } catch (const std::exception &e) {
        ADD_FAILURE() << e.what();
    }
    canceller.join();
    EXPECT_TRUE(cancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - begun, 20s);
    ASSERT_FALSE(started().isEmpty());
    for (const QString &pid : started()) {
        EXPECT_FALSE(running(pid.toLongLong())) << "nec2c outlived its cancel";
        if (running(pid.toLongLong()))
            ::kill(static_cast<pid_t>(pid.toLongLong()), SIGKILL);
        EXPECT_GT(pid.toLongLong(), 0) << pid.toStdString();
    }
    EXPECT_TRUE(QDir(temporary.folder.path()).isEmpty());
}
INSTANTIATE_TEST_SUITE_P(Cases, CancelRunning, ::testing::ValuesIn(kRunningCancels),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
