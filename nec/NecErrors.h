#pragma once
// The failures of the NEC-2 cross-check, each with the text the program
// shows. None of them leaves a number behind: a run that fails gives no
// impedance at all rather than a wrong one.
#include "base/AppError.h"

// nec2c is not on the search path.
class NecMissingError : public AppError
{
public:
    NecMissingError();
};

// The only nec2c on the search path cannot be run (it lacks the permission
// to execute, say): the message names it and the system's reason.
class NecUnusableError : public AppError
{
public:
    NecUnusableError(const QString &program, int error);
};

// nec2c could not be started, failed, was killed or ran too long.
class NecRunError : public AppError
{
public:
    explicit NecRunError(const QString &reason);
};

// nec2c's output lacks what the cross-check reads, or holds it in a form
// that does not parse.
class NecOutputError : public AppError
{
public:
    explicit NecOutputError(const QString &reason);
};

// The caller cancelled the run: not a failure to report, only the end of a
// computation no longer wanted.
class NecCancelledError : public AppError
{
public:
    NecCancelledError();
};
