#include "NecImpedanceSweep.h"

#include "Sweep.h"
#include "nec/NecCrossCheck.h"

#include <QElapsedTimer>
#include <QThread>

#include <algorithm>

std::vector<Impedance> SolveNecRuns(const std::vector<double> &keys, const ImpedanceSolver &solve,
                                    const CommandStreams &streams)
{
    QElapsedTimer clock;
    clock.start();
    const auto progress = TerminalSweepProgress(int(keys.size()), streams, clock);
    // The bar stands for every run: a run's own count of seconds would
    // write over it.
    const NecRunSecondsHidden hidden;
    std::vector<Impedance> inputs;
    try {
        inputs = SolveEachLength(keys, std::max(1, QThread::idealThreadCount()), solve, [&](int count) {
            if (progress)
                progress->frameDone(count);
        });
    } catch (...) {
        if (progress)
            progress->end();
        throw;
    }
    if (progress)
        progress->end();
    return inputs;
}

std::vector<SampledImpedance> SolveNecImpedance(const ImpedanceRequest &request, const CommandStreams &streams)
{
    const double radius = request.radius;
    const auto solve = [radius](double M) { return RunNecImpedance(MakeNecModel(M, radius)); };
    return SampledImpedanceCurve(request.lengths, SolveNecRuns(request.lengths, solve, streams),
                                 request.referenceResistance);
}
