#pragma once
// What dipole-render says and writes on its own streams, as command-line
// tools do: standard output that may be non-blocking or lose its reader, one
// line for a failure that names the program, the file and the reason, and
// the width of the terminal a progress bar is drawn on. File names are
// bytes, as the command line gave them.
#include <QByteArray>

class AppError;

// The command's standard output and standard error as descriptors, so that
// a run inside another program (a test) can hand in files of its own.
struct CommandStreams
{
    int out = 1;
    int err = 2;
};

enum class OutputResult {
    Written,
    ReaderGone, // the reader of a pipe left early: no error
    Failed,     // errno says why
};

// Writes all of data to the standard output of streams. A descriptor that
// is non-blocking and full is waited on until it takes more; a write
// interrupted by a signal goes on; a pipe whose reader has left ends the
// output without a signal. A failure is reported on the error stream
// ("cannot write standard output: REASON").
OutputResult WriteOutput(const CommandStreams &streams, const QByteArray &data);

// Writes text to the error stream; an error stream that fails has no one
// left to tell.
void WriteError(const CommandStreams &streams, const QByteArray &text);

// "dipole-render: ACTION FILE: REASON\n", the reason being the system's text
// for error (none for 0).
QByteArray FailureLine(const char *action, const QByteArray &file, int error);

// The line for a failed save: the file the error names and the reason.
QByteArray SaveFailureLine(const AppError &error);

// The columns of the terminal on fd, 0 where fd is no terminal or does not
// say.
int TerminalColumns(int fd);
