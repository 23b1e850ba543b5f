#pragma once
// dipole-render --impedance … --nec: NEC-2's input impedance at every length
// of the range, one nec2c run per length, on every core (SolveEachLength),
// while the calling thread draws the sweeps' progress bar. Ctrl-C (SIGINT,
// SIGTERM, SIGHUP) ends every nec2c and removes their folders, as a single
// run does; nothing is written before the last length is solved.
#include "ImpedanceOutput.h"
#include "nec/NecSweep.h"
#include "physics/InducedEmf.h"
#include "physics/SampledImpedance.h"

#include <vector>

// Most lengths one sweep solves: at the default step of 0.01 a range of ten
// wavelengths, about a minute on a desktop machine of today below 3 λ and
// much more for longer wires, whose runs grow with the cube of their
// segments.
inline constexpr int kMaxNecSweepLengths = 1000;

// solve(keys[i]) for every key (a length, a frequency) by nec2c on every
// core, with the sweeps' progress bar on the error stream where that is a
// terminal; in keys' order. Throws the first failing run's error.
std::vector<Impedance> SolveNecRuns(const std::vector<double> &keys, const ImpedanceSolver &solve,
                                    const CommandStreams &streams);

// NEC-2's curve at the request's lengths for its radius, with the SWR
// against its reference resistance, by nec2c on every core, with a progress
// bar on the error stream where that is a terminal. Throws the errors of
// RunNecCrossCheck.
std::vector<SampledImpedance> SolveNecImpedance(const ImpedanceRequest &request, const CommandStreams &streams);
