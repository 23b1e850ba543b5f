#pragma once
// The moment-method cross-check of one dipole: its NEC-2 deck run through
// nec2c and the report read back.
#include "NecRunner.h"
#include "physics/NecOutput.h"

// The NEC-2 solution for length M and wire radius A. Throws
// std::domain_error for a length or radius MakeNecModel refuses, and the
// errors of RunNec2c and ParseNecOutput.
NecSolution RunNecCrossCheck(double M, double radius, std::chrono::milliseconds timeout = kNecTimeout,
                             const QString &program = FindNec2c());
