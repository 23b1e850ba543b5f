// dipole-render as whole processes, from exec to exit, in pairs against a
// yardstick of its own: the labelled PNG pair against the plain PNG pair of
// the same length, and one plain length against --help (which loads the
// same libraries and draws nothing). The two commands of a pair run in turn,
// alternating which goes first, on a machine whose load drifts; the time of
// an iteration is the subject's, and the counters give the medians of both
// and of the pairs' ratios, the figures to hold against their goals:
//
//     build/bench/render_process_bench
//
// Another build of the program may stand in, to compare before and after:
// RENDER_BENCH_PROGRAM=/path/to/dipole-render build/bench/render_process_bench
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

std::string Program()
{
    const char *other = std::getenv("RENDER_BENCH_PROGRAM");
    return other && *other ? other : DIPOLE_RENDER_PATH;
}

// A folder of the benchmark's own for the pictures.
const std::string &OutFolder()
{
    static const std::string folder = [] {
        char name[] = "/tmp/render-bench-XXXXXX";
        const char *made = ::mkdtemp(name);
        return std::string(made ? made : "/tmp");
    }();
    return folder;
}

// Milliseconds from the spawn of the program with args to its exit, its
// output thrown away; none when it cannot start or fails.
std::optional<double> Run(const std::vector<std::string> &args)
{
    std::vector<std::string> words{Program()};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return std::nullopt;
    int status = 0;
    ::waitpid(pid, &status, 0);
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return elapsed.count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0.0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void RunPairs(benchmark::State &state, const std::vector<std::string> &subject,
              const std::vector<std::string> &yardstick)
{
    std::vector<double> subjects;
    std::vector<double> yardsticks;
    std::vector<double> ratios;
    bool subjectFirst = false;
    for (auto _ : state) {
        std::optional<double> s;
        std::optional<double> y;
        if (subjectFirst) {
            s = Run(subject);
            y = Run(yardstick);
        } else {
            y = Run(yardstick);
            s = Run(subject);
        }
        subjectFirst = !subjectFirst;
        if (!s || !y) {
            state.SkipWithError("dipole-render failed");
            return;
        }
        state.SetIterationTime(*s / 1000.0);
        subjects.push_back(*s);
        yardsticks.push_back(*y);
        ratios.push_back(*s / *y);
    }
    state.counters["subject_ms"] = Median(subjects);
    state.counters["yardstick_ms"] = Median(yardsticks);
    state.counters["ratio"] = Median(ratios);
}

// Goal: a ratio within 2.
void BM_LabelledPngPairAgainstPlainPngPair(benchmark::State &state)
{
    RunPairs(state, {"--style", "labelled", "--format", "png", "--out", OutFolder() + "/labelled", "1.5"},
             {"--format", "png", "--out", OutFolder() + "/plain", "1.5"});
}
BENCHMARK(BM_LabelledPngPairAgainstPlainPngPair)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

// Goal: a ratio within 1.3.
void BM_SingleLengthAgainstHelp(benchmark::State &state)
{
    RunPairs(state, {"--out", OutFolder() + "/single", "0.5"}, {"--help"});
}
BENCHMARK(BM_SingleLengthAgainstHelp)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
