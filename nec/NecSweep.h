#pragma once
// NEC-2's input impedance at many lengths, one nec2c run per length. The
// runs are independent, so they go side by side on several threads, each
// worker taking the next length not yet started; every solution lands in
// its length's place, so the curve is the same whichever run ends first. The
// calling thread meanwhile waits and reports the count solved. A run that
// fails stops the sweep: no length is started after it, and its error is the
// sweep's. A cancel flag stops it too: no length is started once it is set,
// and the runs under way end their nec2c (RunNec2c's cancel).
#include "physics/InducedEmf.h"

#include <atomic>
#include <functional>
#include <vector>

// The impedance at one length; may throw.
using ImpedanceSolver = std::function<Impedance(double M)>;

// solve(lengths[i]) for every i on up to `threads` threads, in lengths'
// order. solved(n) is called on the calling thread whenever the count of
// solved lengths has grown, n being that count. When a solution throws, the
// runs under way are awaited and the error of the first failing length, in
// the order of lengths, is thrown. Once *cancel is set no length is started,
// and a sweep left unfinished throws NecCancelledError (or the error of a
// length that failed before).
std::vector<Impedance> SolveEachLength(const std::vector<double> &lengths, int threads, const ImpedanceSolver &solve,
                                       const std::function<void(int solved)> &solved,
                                       const std::atomic<bool> *cancel = nullptr);
