#pragma once
// The command line of a frequency sweep of one wire:
//     --impedance FROM:TO --length L (--diameter D | --radius R) [--step S]
//     [--z0 Z] [--swr-limit SWR] [--report] [--nec] [--touchstone FILE] [--measured FILE]
// FROM, TO and S are frequencies with their units (13MHz), L, D and R
// lengths (10.3m, 2mm). The wire is fixed, so its length and radius in
// wavelengths grow with the frequency; each must stay within what the
// closed form takes over the whole band.
#include "FrequencySweepOutput.h"

#include <QString>

// The arguments as given; an empty text is an option not given.
struct FrequencyArguments
{
    QString range;
    QString length;
    QString diameter;
    QString radius;
    QString step;
    QString swrLimit;
    QString touchstone;
    QString measured;
    std::optional<double> z0;
    bool report = false;
    bool nec = false;
};

// Whether an --impedance range is in frequencies: its FROM carries a unit.
bool IsFrequencyRange(const QString &range);

// The request, or RenderUsageError naming the option at fault.
FrequencySweepRequest ReadFrequencySweep(const FrequencyArguments &arguments);
