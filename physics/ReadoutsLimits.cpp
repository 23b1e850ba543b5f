#include "ReadoutsLimits.h"

#include <algorithm>
#include <cmath>

using namespace ReadoutsLimits;

std::vector<double> HalfRangeNulls(double m)
{
    std::vector<double> nulls;
    for (int k = 1; k < m; ++k) {
        const double theta = 2.0 * std::asin(std::sqrt(k / m));
        nulls.push_back(theta <= kHalfPi ? theta : kPi - theta);
    }
    std::sort(nulls.begin(), nulls.end());
    return nulls;
}
