// Benchmarks of the main window: the family command with all seven rows
// drawn, and start-up to the first shown window. Runs on the platform that
// QT_QPA_PLATFORM names (offscreen when unset and there is no display); under
// Xvfb it measures a real X11 window.
#include "app/UnitMain.h"
#include "widgets/CalcEdit.h"
#include "widgets/UserNotifier.h"

#include <QApplication>
#include <QCheckBox>
#include <QWindow>
#include <benchmark/benchmark.h>

namespace {

// Message boxes would block the benchmark loop.
class SilentNotifier : public UserNotifier
{
public:
    void messageBox(QWidget *, const QString &, const QString &) override {}
    void errorBox(QWidget *, const QString &, const QString &) override {}
    void beep() override {}
};

void BM_FamilyCommandSevenRows(benchmark::State &state)
{
    SilentNotifier silent;
    UserNotifier *previous = SetUserNotifier(&silent);
    TForm1 form;
    for (int n = 2; n <= 8; ++n) {
        form.findChild<TCalcEdit *>(QStringLiteral("CalcEdit%1").arg(n))->SetValue(0.25L * n);
        form.findChild<QCheckBox *>(QStringLiteral("CheckBox%1").arg(n))->setChecked(true);
    }
    for (auto _ : state)
        form.Button4Click();
    SetUserNotifier(previous);
}
BENCHMARK(BM_FamilyCommandSevenRows)->Unit(benchmark::kMillisecond);

void BM_StartupToFirstShownWindow(benchmark::State &state)
{
    for (auto _ : state) {
        TForm1 form;
        form.show();
        while (!form.windowHandle() || !form.windowHandle()->isExposed())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_StartupToFirstShownWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
