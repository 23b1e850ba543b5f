#pragma once
// The main of a benchmark that draws through Qt: the benchmarks run inside
// an application object of type App (QGuiApplication for pictures,
// QApplication for widgets), on the offscreen platform unless a platform is
// chosen, or, where the benchmark may use a real one, a display is given.
#include <QtGlobal>

#include <benchmark/benchmark.h>

enum class BenchDisplay { Offscreen, RealWhenGiven };

template <class App> int RunQtBenchmarks(int argc, char **argv, BenchDisplay display = BenchDisplay::Offscreen)
{
    const bool displayGiven = display == BenchDisplay::RealWhenGiven && !qEnvironmentVariableIsEmpty("DISPLAY");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !displayGiven)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    App app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
