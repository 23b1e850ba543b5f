#pragma once
// Runs the nec2c program on a deck and returns what it wrote. The deck and
// the output live in a private temporary folder (readable by this user
// alone) that is removed afterwards, whatever happens; nec2c gets no input
// and the C locale, and is killed when it runs longer than allowed.
//
// nec2c never outlives the program that started it: the kernel kills it
// when its parent dies, even of SIGKILL. SIGINT, SIGTERM and SIGHUP that
// arrive during a run end nec2c, remove the private folder and are then
// delivered again as the program had them handled before the run (by
// default: the program ends of the signal). On a terminal the wait shows
// the seconds that have passed on standard error.
//
// A program that lives on after a run it no longer wants (a window whose
// user cancels) gives the run a cancel flag: once it is set, nec2c is killed
// within a few hundredths of a second, the folder goes, and the run throws
// NecCancelledError.
#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <optional>

// Time allowed by default: the longest wire (1201 segments) takes a few
// seconds on a desktop machine of today, so this is a generous margin even
// for a machine many times slower or busy with other work.
inline constexpr std::chrono::milliseconds kNecTimeout{300000};

// The nec2c on the search path; empty when there is none.
QString FindNec2c();

// A nec2c on the search path that cannot be run, the first one, with the
// system's reason (an errno value).
struct UnusableNec2c
{
    QString program;
    int error = 0;
};
// None where the search path has no nec2c at all, or one that runs.
std::optional<UnusableNec2c> FindUnusableNec2c();

// nec2c's output file for deck. Throws NecMissingError when program is
// empty and the search path has no nec2c, NecUnusableError when it has one
// that cannot be run, NecRunError when program cannot be started, exits
// with a status other than 0, dies of a signal, runs out of time, is
// stopped by a signal to this program, or leaves no output or one that is
// no regular file; the reason names which, with the first line of what it
// printed. Throws NecCancelledError once cancel is set (checked before the
// start and throughout the wait).
QByteArray RunNec2c(const QByteArray &deck, std::chrono::milliseconds timeout = kNecTimeout,
                    const QString &program = FindNec2c(), const std::atomic<bool> *cancel = nullptr);

// While one lives, runs do not show their seconds on a terminal: for a
// caller that shows progress of its own (a sweep's bar).
class NecRunSecondsHidden
{
public:
    NecRunSecondsHidden();
    ~NecRunSecondsHidden();
    NecRunSecondsHidden(const NecRunSecondsHidden &) = delete;
    NecRunSecondsHidden &operator=(const NecRunSecondsHidden &) = delete;
};
