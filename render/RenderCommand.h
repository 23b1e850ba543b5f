#pragma once
// dipole-render as a function: the command line in, the exit status out,
// everything it says on the streams it is given. The program's main hands it
// its own arguments and streams; a test runs it inside its own process.
//
// Exit status: 0 done (also for a reader of standard output that leaves
// early), 1 a folder, file, stream or nec2c failed, 2 a command line that
// cannot run or a length that is refused. Each failure is one line on the
// error stream.
#include "CommandOutput.h"

// argv[0] is the program's path; the arguments after it are the bytes they
// were typed as. Pictures whose text needs a GUI application get one on the
// offscreen platform unless the process already has one.
int RunRender(int argc, char **argv, const CommandStreams &streams);
