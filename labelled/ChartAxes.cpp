#include "ChartAxes.h"

#include <cmath>

double RoundStep(double span, int ticks)
{
    const double raw = span / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (factor * power >= raw)
            return factor * power;
    }
    return 10.0 * power;
}

int StepDecimals(double step)
{
    int decimals = 0;
    while (decimals < 6
           && std::fabs(std::round(step * std::pow(10.0, decimals)) - step * std::pow(10.0, decimals)) > 1e-6)
        ++decimals;
    return decimals;
}

ChartAxis RoundAxis(double from, double to, int ticks, const QString &title)
{
    ChartAxis a;
    a.from = from;
    a.to = to;
    a.tickStep = RoundStep(to - from, ticks);
    a.decimals = StepDecimals(a.tickStep);
    a.title = title;
    return a;
}

ChartAxis FittedAxis(double low, double high, int ticks, const QString &title)
{
    const double span = high > low ? high - low : std::max(std::fabs(low), 1.0);
    const double step = RoundStep(span, ticks);
    double from = std::floor(low / step) * step;
    double to = std::ceil(high / step) * step;
    if (!(to > from)) {
        from -= step;
        to += step;
    }
    ChartAxis a = RoundAxis(from, to, ticks, title);
    a.tickStep = step;
    a.decimals = StepDecimals(step);
    return a;
}
