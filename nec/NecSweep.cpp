#include "NecSweep.h"

#include "NecErrors.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace {

// What the workers share with the calling thread.
struct SolveState
{
    SolveState(const std::vector<double> &lengths, const ImpedanceSolver &solve, const std::atomic<bool> *cancel)
        : lengths(lengths), solve(solve), cancel(cancel), results(lengths.size())
    {}

    const std::vector<double> &lengths;
    const ImpedanceSolver &solve;
    const std::atomic<bool> *cancel;
    std::vector<Impedance> results;

    std::mutex mutex;
    std::condition_variable changed;
    size_t nextToStart = 0;
    int solvedCount = 0;
    int running = 0; // workers not yet returned
    bool failed = false;
    size_t failedIndex = 0;
    std::exception_ptr error;

    bool cancelled() const { return cancel != nullptr && cancel->load(); }

    // Takes the next length to solve; false once all are taken, one failed
    // or the sweep is cancelled.
    bool take(size_t &index)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (failed || cancelled() || nextToStart >= lengths.size())
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
                                       const std::function<void(int)> &solved, const std::atomic<bool> *cancel)
{
    SolveState state(lengths, solve, cancel);
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
    if (state.solvedCount < int(lengths.size()))
        throw NecCancelledError();
    return std::move(state.results);
}
