#pragma once
// The rules on the combination of dipole-render's options: the first rule a
// command line breaks refuses it with its message. An option that would be
// silently ignored is refused rather than dropped.
#include "CommandLine.h"

// Throws RenderUsageError for the first rule the command line breaks.
void CheckOptionCombinations(const CommandLine &line);

// --impedance FROM:TO given in frequencies (13MHz:15MHz).
bool IsFrequencySweepLine(const CommandLine &line);
