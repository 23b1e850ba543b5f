#include "NecImpedanceSweep.h"

#include "Sweep.h"
#include "nec/NecCrossCheck.h"

#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace {

// What the workers share with the calling thread.
struct SolveState
{
    SolveState(const std::vector<double> &lengths, const ImpedanceSolver &solve)
        : lengths(lengths), solve(solve), results(lengths.size())
    {}

    const std::vector<double> &lengths;
    const ImpedanceSolver &solve;
    std::vector<Impedance> results;

    std::mutex mutex;
    std::condition_variable changed;
    size_t nextToStart = 0;
    int solvedCount = 0;
    int running = 0; // workers not yet returned
    bool failed = false;
    size_t failedIndex = 0;
    std::exception_ptr error;

    // Takes the next length to solve; false once all are taken or one failed.
    bool take(size_t &index)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (failed || nextToStart >= lengths.size())
            return false;
        index = nextToStart++;
        return true;
    }

    void finish(size_t index, std::exception_ptr failure)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (failure) {
            // The first failing length in order, whatever ended first.
            if (!failed || index < failedIndex) {
                failedIndex = index;
                error = failure;
            }
            failed = true;
        } else {
            ++solvedCount;
        }
        changed.notify_all();
    }

    void work()
    {
        size_t index = 0;
        while (take(index)) {
            try {
                results[index] = solve(lengths[index]);
                finish(index, nullptr);
            } catch (...) {
                finish(index, std::current_exception());
            }
        }
        const std::lock_guard<std::mutex> lock(mutex);
        --running;
        changed.notify_all();
    }
};

} // namespace

std::vector<Impedance> SolveEachLength(const std::vector<double> &lengths, int threads, const ImpedanceSolver &solve,
                                       const std::function<void(int)> &solved)
{
    SolveState state(lengths, solve);
    const int workers = std::clamp(threads, 1, std::max(1, int(lengths.size())));
    state.running = workers;
    std::vector<std::thread> pool;
    pool.reserve(size_t(workers));
    for (int i = 0; i < workers; ++i)
        pool.emplace_back([&state] { state.work(); });
    int shown = 0;
    {
        std::unique_lock<std::mutex> lock(state.mutex);
        for (;;) {
            state.changed.wait(lock, [&] { return state.running == 0 || state.solvedCount != shown; });
            const int count = state.solvedCount;
            const bool ended = state.running == 0;
            if (count != shown && solved) {
                lock.unlock();
                solved(count);
                lock.lock();
            }
            shown = count;
            if (ended)
                break;
        }
    }
    for (std::thread &worker : pool)
        worker.join();
    if (state.error)
        std::rethrow_exception(state.error);
    return std::move(state.results);
}

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
