#pragma once
// The dipole or monopole over the ground solved by nec2c: the model's deck
// run and its report read back.
#include "NecRunner.h"
#include "physics/NecGround.h"

// The solution of model. Throws the errors of RunNec2c, and NecOutputError
// for a report ParseNecGroundOutput refuses.
NecGroundSolution RunNecGround(const NecGroundModel &model, std::chrono::milliseconds timeout = kNecTimeout,
                               const QString &program = FindNec2c());

// RunNecGround with the default timeout and program, run once per deck in a
// process: the report and the pictures of one command read one nec2c run.
// A failed run is not kept, so its error comes again if asked again.
NecGroundSolution SolveNecGroundOnce(const NecGroundModel &model);
