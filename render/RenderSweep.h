#pragma once
// dipole-render --sweep: the picture pair of every length of the sweep, in
// the window's style or the labelled one, and with --current the current's
// picture beside each pair, all in one run.
#include "RenderRun.h"

// Prepares the folder (its free space, an earlier sweep's frames), then
// draws the frames on every core, or with --current on this thread, whose
// text the current's pictures need, and writes them in order.
int RenderSweep(const RenderRun &run);
