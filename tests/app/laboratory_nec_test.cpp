// The laboratory's NEC-2 curves, computed in the background: R and X over
// the lengths shown and the current of the built wire, drawn beside the
// theory once done; a run cancelled half-way, which leaves the chart as it
// was, no nec2c and no private folder; nec2c missing or failing, which
// gives a line on the tab; and which changes keep or drop what was solved.
#include "RecordingNotifier.h"
#include "ScopedVariable.h"
#include "ShownMainWindow.h"
#include "app/CurrentPage.h"
#include "app/ImpedancePage.h"
#include "app/ImpedanceWindow.h"
#include "app/NecBackground.h"
#include "app/NecProgress.h"
#include "app/WireImages.h"
#include "nec/NecCrossCheck.h"
#include "numbers/LocaleNumberSettings.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <optional>
#include <string>

#include <signal.h>

namespace {

constexpr int kRunWait = 120000;

bool running(qint64 pid)
{
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) == 0;
}

class LaboratoryNecTest : public ShownMainWindowTest
{
protected:
    static TImpedancePage *impedanceTab(TFormImpedance *window)
    {
        window->Tabs()->setCurrentWidget(window->ImpedancePage());
        return window->ImpedancePage();
    }

    // Zooms the chart to the lengths from `from` to `to` by a drag across it.
    static void zoom(TImpedancePage *page, double from, double to)
    {
        TFittedImage *image = page->ImpedanceImage();
        const auto xOf = [&](double M) {
            for (int x = 0; x < image->width(); ++x)
                if (page->LengthAt(x).value_or(0.0) >= M)
                    return x;
            return image->width();
        };
        const int y = image->height() / 2;
        QTest::mousePress(image, Qt::LeftButton, {}, QPoint(xOf(from), y));
        QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(xOf(to), y));
    }

    static bool awaitEnd(const TNecBackground &runs)
    {
        return QTest::qWaitFor([&] { return !runs.IsRunning(); }, kRunWait);
    }

    static bool drawsNec(const TImpedancePage *page) { return page->Picture() && page->Picture()->nec; }

    ScopedLocaleNumberSettings locale{LocaleNumberSettings::russian()};
    RecordingNotifier notifier;
};

struct Outcome
{
    const char *name;
    const char *program; // nullptr: the nec2c on the search path
    bool emptyPath;      // the search path holds no nec2c
    bool drawn;
    const char *status; // the start of the tab's line afterwards
};

// clang-format off
const Outcome kOutcomes[] = {
    {"RealNec2c", nullptr, false, true, "NEC-2 рассчитан: от 0,4"},
    {"NoSuchProgram", "/no/such/nec2c", false, false,
     "NEC-2 не рассчитан: nec2c failed: it could not be started (No such file or directory)"},
    {"NotOnTheSearchPath", nullptr, true, false,
     "NEC-2 не рассчитан: программа nec2c не установлена"},
};
// clang-format on

class NecImpedanceOutcome : public LaboratoryNecTest, public ::testing::WithParamInterface<Outcome>
{
};

// The run over a zoomed span, the window's thread free meanwhile: NEC-2's
// R and X over the span, a half-wave's near the reference (nec2c on the
// deck of 0.5 λ, radius 0.001, 21 segments: 85.97 + j48.89 Ω), or a line
// that says why there are none.
TEST_P(NecImpedanceOutcome, DrawsTheCurveOrSaysWhy)
{
    const Outcome &outcome = GetParam();
    if (outcome.drawn && FindNec2c().isEmpty())
        GTEST_SKIP() << "nec2c is not installed";
    QTemporaryDir emptyFolder;
    std::optional<ScopedVariable> path;
    if (outcome.emptyPath)
        path.emplace("PATH", emptyFolder.path().toLocal8Bit());
    TFormImpedance *window = open(QStringLiteral("0,5"));
    ASSERT_NE(window, nullptr);
    TImpedancePage *page = impedanceTab(window);
    if (outcome.program)
        page->SetNecProgram(QString::fromUtf8(outcome.program));
    zoom(page, 0.4, 0.6);
    const auto [from, to] = page->Range();
    ASSERT_LT(to - from, 0.25);

    QTest::mouseClick(page->NecButton(), Qt::LeftButton);
    ASSERT_TRUE(awaitEnd(page->NecRuns()));
    path.reset();
    EXPECT_TRUE(page->NecButton()->isEnabled());
    EXPECT_FALSE(page->NecProgress()->Bar()->isVisible());
    EXPECT_TRUE(page->NecProgress()->Status().startsWith(QString::fromUtf8(outcome.status)))
        << page->NecProgress()->Status().toStdString();
    ASSERT_EQ(drawsNec(page), outcome.drawn);
    EXPECT_TRUE(notifier.boxes.empty());
    if (!outcome.drawn)
        return;
    const std::vector<SampledImpedance> &samples = page->Picture()->nec->samples;
    EXPECT_EQ(samples.size(), size_t(kNecChartSteps + 1));
    const SampledImpedance *half = nullptr;
    for (const SampledImpedance &sample : samples) {
        EXPECT_GE(sample.length, from - 1e-9);
        EXPECT_LE(sample.length, to + 1e-9);
        if (!half || std::fabs(sample.length - 0.5) < std::fabs(half->length - 0.5))
            half = &sample;
    }
    const std::complex<double> z(half->input.resistance, half->input.reactance);
    const std::complex<double> reference(85.97, 48.89);
    EXPECT_LT(std::abs(z - reference), 0.05 * std::abs(reference)) << half->length;
}
INSTANTIATE_TEST_SUITE_P(Cases, NecImpedanceOutcome, ::testing::ValuesIn(kOutcomes),
                         [](const auto &info) { return std::string(info.param.name); });

struct Change
{
    const char *name;
    const char *length; // built anew; nullptr: none
    const char *radius; // typed into the radius field; nullptr: none
    bool fullRange;     // "Весь диапазон"
    bool kept;
};

const Change kChanges[] = {
    // A build only moves the length marked: R and X of the wire stay.
    {"NewBuildKeepsIt", "0,7", nullptr, false, true},
    // Zoomed out, the curve stays over the span it was solved for.
    {"ZoomOutKeepsIt", nullptr, nullptr, true, true},
    {"NewRadiusDropsIt", nullptr, "0,002", false, false},
};

class NecImpedanceChange : public LaboratoryNecTest, public ::testing::WithParamInterface<Change>
{
};

TEST_P(NecImpedanceChange, KeepsTheCurveOnlyForItsWire)
{
    const Change &change = GetParam();
    if (FindNec2c().isEmpty())
        GTEST_SKIP() << "nec2c is not installed";
    TFormImpedance *window = open(QStringLiteral("0,5"));
    ASSERT_NE(window, nullptr);
    TImpedancePage *page = impedanceTab(window);
    zoom(page, 0.45, 0.55);
    QTest::mouseClick(page->NecButton(), Qt::LeftButton);
    ASSERT_TRUE(awaitEnd(page->NecRuns()));
    ASSERT_TRUE(drawsNec(page));
    if (change.length) {
        build(QString::fromUtf8(change.length));
        EXPECT_EQ(window->Model().length(), QString::fromUtf8(change.length).replace(',', '.').toDouble());
    }
    if (change.radius) {
        window->RadiusField()->SetValue(QString::fromUtf8(change.radius).replace(',', '.').toDouble());
        window->CalcEdit1Exit();
    }
    if (change.fullRange)
        QTest::mouseClick(page->FullRangeButton(), Qt::LeftButton);
    EXPECT_EQ(drawsNec(page), change.kept);
}
INSTANTIATE_TEST_SUITE_P(Cases, NecImpedanceChange, ::testing::ValuesIn(kChanges),
                         [](const auto &info) { return std::string(info.param.name); });

// A sweep whose third and later runs never end: cancelled after its first
// progress, it leaves the chart without NEC-2, no nec2c alive and no private
// folder; the window answers throughout and can run NEC-2 again.
TEST_F(LaboratoryNecTest, CancelHalfWayLeavesTheWindowAsItWas)
{
    const QString real = FindNec2c();
    if (real.isEmpty())
        GTEST_SKIP() << "nec2c is not installed";
    QTemporaryDir bin, pids, temporary;
    QFile fake(bin.filePath(QStringLiteral("nec2c")));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    const QByteArray folder = pids.path().toLocal8Bit();
    fake.write("#!/bin/sh\nn=1; while ! mkdir '" + folder
               + "/run'$n 2>/dev/null; do n=$((n + 1)); done\n"
                 "echo $$ > \""
               + folder + "/.$$\" && mv \"" + folder + "/.$$\" \"" + folder
               + "/$$\"\n"
                 "[ $n -le 2 ] && exec '"
               + real.toLocal8Bit() + "' \"$@\"\nexec sleep 30\n");
    fake.close();
    fake.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const ScopedVariable tmpdir("TMPDIR", temporary.path().toLocal8Bit().constData());

    TFormImpedance *window = open(QStringLiteral("0,5"));
    ASSERT_NE(window, nullptr);
    TImpedancePage *page = impedanceTab(window);
    page->SetNecProgram(fake.fileName());
    QSignalSpy progress(&page->NecRuns(), &TNecBackground::Progressed);
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(page->NecButton(), Qt::LeftButton);
    EXPECT_LT(clock.elapsed(), 2000) << "the click waited for nec2c";
    EXPECT_FALSE(page->NecButton()->isEnabled());
    EXPECT_TRUE(page->NecProgress()->Bar()->isVisible());
    ASSERT_TRUE(progress.wait(kRunWait));
    EXPECT_EQ(page->NecProgress()->Bar()->maximum(), kNecChartSteps + 1);

    // Meanwhile the window answers: a zoom, a build, another tab and back.
    zoom(page, 1.0, 2.0);
    EXPECT_LT(page->Range().second - page->Range().first, 1.5);
    build(QStringLiteral("1"));
    EXPECT_EQ(window->Model().length(), 1.0);
    window->Tabs()->setCurrentIndex(0);
    impedanceTab(window);
    EXPECT_TRUE(page->NecRuns().IsRunning());

    QTest::mouseClick(page->NecProgress()->CancelButton(), Qt::LeftButton);
    EXPECT_FALSE(page->NecRuns().IsRunning());
    EXPECT_TRUE(page->NecButton()->isEnabled());
    EXPECT_FALSE(page->NecProgress()->Bar()->isVisible());
    EXPECT_EQ(page->NecProgress()->Status(), QStringLiteral("Расчёт NEC-2 отменён"));
    const QStringList started = QDir(pids.path()).entryList(QDir::Files);
    EXPECT_GE(started.size(), 3);
    for (const QString &pid : started) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !running(pid.toLongLong()); }, 2000)) << "nec2c outlived its cancel";
        if (running(pid.toLongLong()))
            ::kill(static_cast<pid_t>(pid.toLongLong()), SIGKILL);
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return QDir(temporary.path()).isEmpty(); }, 2000)) << "a private folder was left";
    // A late result of the cancelled sweep would draw it now.
    QTest::qWait(200);
    EXPECT_FALSE(drawsNec(page));

    // Usable as before: the whole range, and NEC-2 again, for real.
    QTest::mouseClick(page->FullRangeButton(), Qt::LeftButton);
    zoom(page, 0.45, 0.55);
    page->SetNecProgram(real);
    QTest::mouseClick(page->NecButton(), Qt::LeftButton);
    ASSERT_TRUE(awaitEnd(page->NecRuns()));
    EXPECT_TRUE(drawsNec(page));
}

struct CurrentChange
{
    const char *name;
    const char *length; // built anew; nullptr: none
    double radius;      // 0: unchanged
};

const CurrentChange kCurrentChanges[] = {
    {"NewBuild", "1,5", 0.0},
    {"NewRadius", nullptr, 0.002},
};

class NecCurrentChange : public LaboratoryNecTest, public ::testing::WithParamInterface<CurrentChange>
{
};

// With "NEC-2" checked, the tab shows NEC-2's current of the wire built,
// drops it when the wire changes and solves the new one.
TEST_P(NecCurrentChange, FollowsTheWire)
{
    const CurrentChange &change = GetParam();
    if (FindNec2c().isEmpty())
        GTEST_SKIP() << "nec2c is not installed";
    TFormImpedance *window = open(QStringLiteral("0,5"));
    ASSERT_NE(window, nullptr);
    TCurrentPage *page = window->CurrentPage();
    window->Tabs()->setCurrentWidget(page);
    EXPECT_FALSE(page->NecShown());
    page->NecBox()->setChecked(true);
    ASSERT_TRUE(awaitEnd(page->NecRuns()));
    ASSERT_TRUE(page->NecShown());
    EXPECT_EQ(page->NecShown()->input.resistance, RunNecCrossCheck(0.5, 0.001).input.resistance);

    if (change.length)
        build(QString::fromUtf8(change.length));
    if (change.radius > 0.0) {
        window->RadiusField()->SetValue(change.radius);
        window->CalcEdit1Exit();
    }
    EXPECT_FALSE(page->NecShown()) << "the old wire's current stayed";
    ASSERT_TRUE(awaitEnd(page->NecRuns()));
    ASSERT_TRUE(page->NecShown());
    const NecSolution expected = RunNecCrossCheck(std::fabs(window->Model().length()), window->Model().radius());
    EXPECT_EQ(page->NecShown()->segments, expected.segments);
    EXPECT_EQ(page->NecShown()->input.resistance, expected.input.resistance);
    EXPECT_EQ(page->NecShown()->input.reactance, expected.input.reactance);

    page->NecBox()->setChecked(false);
    EXPECT_FALSE(page->NecShown());
    EXPECT_FALSE(page->NecRuns().IsRunning());
}
INSTANTIATE_TEST_SUITE_P(Cases, NecCurrentChange, ::testing::ValuesIn(kCurrentChanges),
                         [](const auto &info) { return std::string(info.param.name); });

// A failing run says why on the tab; the same wire is not run again for a
// change that leaves it as it was (the line's resistance), a new one is.
TEST_F(LaboratoryNecTest, CurrentFailureIsSaidAndNotRepeatedForTheSameWire)
{
    TFormImpedance *window = open(QStringLiteral("0,5"));
    ASSERT_NE(window, nullptr);
    TCurrentPage *page = window->CurrentPage();
    window->Tabs()->setCurrentWidget(page);
    page->SetNecProgram(QStringLiteral("/no/such/nec2c"));
    QSignalSpy failures(&page->NecRuns(), &TNecBackground::Failed);
    page->NecBox()->setChecked(true);
    ASSERT_TRUE(awaitEnd(page->NecRuns()));
    EXPECT_EQ(failures.size(), 1);
    EXPECT_TRUE(page->NecProgress()->Status().startsWith(QStringLiteral("NEC-2 не рассчитан: ")));
    EXPECT_FALSE(page->NecShown());
    EXPECT_TRUE(notifier.boxes.empty());

    window->ReferenceField()->SetValue(75.0);
    window->CalcEdit2Exit();
    EXPECT_FALSE(page->NecRuns().IsRunning());
    build(QStringLiteral("0,6"));
    ASSERT_TRUE(awaitEnd(page->NecRuns()));
    EXPECT_EQ(failures.size(), 2);
}

} // namespace
