#pragma once
// Runs the nec2c program on a deck and returns what it wrote. The deck and
// the output live in a private temporary folder (readable by this user
// alone) that is removed afterwards, whatever happens; nec2c gets no input
// and the C locale, and is killed when it runs longer than allowed.
#include <QByteArray>
#include <QString>

#include <chrono>

// Time allowed by default: the longest wire (3001 segments) takes under a
// minute on a desktop machine of today, so this is a generous margin.
inline constexpr std::chrono::milliseconds kNecTimeout{300000};

// The nec2c on the search path; empty when there is none.
QString FindNec2c();

// nec2c's output file for deck. Throws NecMissingError when program is
// empty, NecRunError when it cannot be started, exits with a status other
// than 0, dies of a signal, runs out of time, or leaves no output; the
// reason names which, with the first line of what it printed.
QByteArray RunNec2c(const QByteArray &deck, std::chrono::milliseconds timeout = kNecTimeout,
                    const QString &program = FindNec2c());
