#pragma once
// Axes with round ticks for the labelled charts: a step of 1, 2, 2.5 or 5
// times a power of ten giving about the number of intervals asked for, and
// an axis fitted to the values it shows, its ends on whole steps.
#include "ChartFrame.h"

#include <QString>

// A round step giving about `ticks` intervals over span (above 0).
double RoundStep(double span, int ticks);

// The decimals a tick label of this step needs (at most 6).
int StepDecimals(double step);

// An axis from `from` to `to` with a round step for about `ticks` intervals.
ChartAxis RoundAxis(double from, double to, int ticks, const QString &title);

// An axis that shows every value from low to high, its ends widened to
// whole round steps (a span of nothing widened to one step either side).
ChartAxis FittedAxis(double low, double high, int ticks, const QString &title);
