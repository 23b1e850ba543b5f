#pragma once
// The moment-method cross-check of one dipole: its NEC-2 deck run through
// nec2c and the report read back; for the report, also the same wire with
// half the segments, whose impedance shows how settled the solution is.
#include "NecRunner.h"
#include "physics/NecOutput.h"

// The NEC-2 solution for length M and wire radius A. Throws
// std::domain_error for a length or radius MakeNecModel refuses, and the
// errors of RunNec2c and ParseNecOutput. cancel as RunNec2c's.
NecSolution RunNecCrossCheck(double M, double radius, std::chrono::milliseconds timeout = kNecTimeout,
                             const QString &program = FindNec2c(), const std::atomic<bool> *cancel = nullptr);

// The input impedance alone of a model (no pattern, no currents read): a
// sweep's row. The same errors.
Impedance RunNecImpedance(const NecModel &model, std::chrono::milliseconds timeout = kNecTimeout,
                          const QString &program = FindNec2c(), const std::atomic<bool> *cancel = nullptr);

// RunNecCrossCheck's solution with its settling: the impedance of
// HalfNecModel's count beside it (a run of about an eighth of the cost, as
// nec2c's work grows with the cube of the count). The same errors.
NecSolution RunSettledNecCrossCheck(double M, double radius, std::chrono::milliseconds timeout = kNecTimeout,
                                    const QString &program = FindNec2c());
