#include "MeasuredPattern.h"

#include "ScaledPattern.h"

#include "QuietGsl.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_min.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr std::string_view kSeparators = ",; \t";
constexpr double kDegree = 3.141592653589793238462643383279502884 / 180.0;
// The theory's maximum is sought on this grid and refined by a parabola
// through the largest sample and its neighbours; the fit's lengths are
// scanned on the next before the best is refined.
constexpr double kMaximumStepDeg = 1.0;
constexpr double kFitStep = 0.005;

std::vector<std::string_view> fieldsOf(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = line.find_first_not_of(kSeparators);
    while (start != std::string_view::npos) {
        const std::size_t end = std::min(line.find_first_of(kSeparators, start), line.size());
        fields.push_back(line.substr(start, end - start));
        start = line.find_first_not_of(kSeparators, end);
    }
    return fields;
}

bool containsWord(std::string_view text, std::string_view word)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::search(text.begin(), text.end(), word.begin(), word.end(),
                       [&](char a, char b) { return lower(a) == lower(b); })
           != text.end();
}

// What a header's level column says of the scale.
std::optional<MeasuredScale> headerScale(const std::vector<std::string_view> &fields)
{
    if (fields.size() < 2)
        return std::nullopt;
    if (containsWord(fields[1], "db"))
        return MeasuredScale::Decibel;
    if (containsWord(fields[1], "lin") || containsWord(fields[1], "field"))
        return MeasuredScale::Linear;
    return std::nullopt;
}

struct Row
{
    int line;
    double theta;
    double level;
};

// A row of the table: its angle and level, or the reason it is none.
Row rowOf(int number, const std::vector<std::string_view> &fields)
{
    if (fields.size() < 2)
        throw LineError(number, "the row is not an angle and a level");
    const std::optional<double> theta = NumberOf(fields[0]);
    const std::optional<double> level = NumberOf(fields[1]);
    if (!theta || !level)
        throw LineError(number, QuotedWord(theta ? fields[1] : fields[0]) + " is not a number");
    if (*theta < 0.0 || *theta > 360.0)
        throw LineError(number, "the angle " + QuotedWord(fields[0]) + " is not from 0 to 360 degrees");
    return {number, *theta, *level};
}

// The rows as fields against the largest.
MeasuredPattern normalisedPattern(const std::vector<Row> &rows, MeasuredScale scale)
{
    MeasuredPattern pattern;
    pattern.scale = scale;
    for (const Row &row : rows) {
        if (scale == MeasuredScale::Linear && row.level < 0.0)
            throw LineError(row.line, "a linear level cannot be below 0");
        const double field = scale == MeasuredScale::Linear ? row.level : std::pow(10.0, row.level / 20.0);
        pattern.samples.push_back({row.theta, field});
    }
    const double largest =
        std::max_element(pattern.samples.begin(), pattern.samples.end(),
                         [](const MeasuredSample &a, const MeasuredSample &b) { return a.level < b.level; })
            ->level;
    if (!(largest > 0.0) || !std::isfinite(largest))
        throw LineError(0, "the levels have no maximum above zero");
    for (MeasuredSample &sample : pattern.samples)
        sample.level /= largest;
    return pattern;
}

// The theory's F/F_max in dB at θ (folded into 0° to 180°), at the floor
// at the least.
double theoryDb(const ScaledPattern &f, double fMax, double thetaDeg)
{
    const double folded = thetaDeg > 180.0 ? 360.0 - thetaDeg : thetaDeg;
    const double value = f(folded * kDegree) / fMax;
    return value > 0.0 ? std::max(20.0 * std::log10(value), kMeasuredFloorDb) : kMeasuredFloorDb;
}

double patternMaximum(const ScaledPattern &f)
{
    constexpr int kSteps = int(180.0 / kMaximumStepDeg);
    int best = 0;
    double largest = 0.0;
    for (int i = 0; i <= kSteps; ++i) {
        const double value = f(i * kMaximumStepDeg * kDegree);
        if (value > largest) {
            largest = value;
            best = i;
        }
    }
    if (best == 0 || best == kSteps)
        return largest;
    const double before = f((best - 1) * kMaximumStepDeg * kDegree);
    const double after = f((best + 1) * kMaximumStepDeg * kDegree);
    const double curvature = before - 2.0 * largest + after;
    if (!(curvature < 0.0))
        return largest;
    const double offset = (before - after) / (2.0 * curvature); // in steps, within ±½
    return std::max(largest, f((best + offset) * kMaximumStepDeg * kDegree));
}

double rmsDeviation(const MeasuredPattern &pattern, double M)
{
    const ScaledPattern f(M);
    const double fMax = patternMaximum(f);
    if (!(fMax > 0.0))
        return INFINITY;
    double sum = 0.0;
    for (const MeasuredSample &sample : pattern.samples) {
        const double measured =
            sample.level > 0.0 ? std::max(20.0 * std::log10(sample.level), kMeasuredFloorDb) : kMeasuredFloorDb;
        const double difference = measured - theoryDb(f, fMax, sample.thetaDeg);
        sum += difference * difference;
    }
    return std::sqrt(sum / double(pattern.samples.size()));
}

double deviationAt(double M, void *pattern)
{
    return rmsDeviation(*static_cast<const MeasuredPattern *>(pattern), M);
}

} // namespace

MeasuredPattern ReadMeasuredPattern(std::string_view text, std::optional<MeasuredScale> scale)
{
    std::vector<Row> rows;
    bool headerSeen = false;
    ForEachLine(text, kMeasuredLongestLine, [&](int number, std::string_view line) {
        const std::vector<std::string_view> fields = fieldsOf(line.substr(0, line.find('#')));
        if (fields.empty())
            return;
        // A first line that does not begin with a number is the header.
        if (!NumberOf(fields[0]) && rows.empty() && !headerSeen) {
            headerSeen = true;
            if (!scale)
                scale = headerScale(fields);
            return;
        }
        if (rows.size() == kMeasuredMostSamples)
            throw LineError(number, "the table has more than " + std::to_string(kMeasuredMostSamples) + " rows");
        rows.push_back(rowOf(number, fields));
    });
    if (rows.size() < 3)
        throw LineError(0, "the table has fewer than three rows of an angle and a level");
    if (!scale) {
        const bool negative = std::any_of(rows.begin(), rows.end(), [](const Row &r) { return r.level < 0.0; });
        scale = negative ? MeasuredScale::Decibel : MeasuredScale::Linear;
    }
    return normalisedPattern(rows, *scale);
}

double PatternDeviationDb(const MeasuredPattern &pattern, double M)
{
    return rmsDeviation(pattern, M);
}

double BestFittingLength(const MeasuredPattern &pattern, double from, double to)
{
    // The best of a scan, then Brent's minimisation about it.
    double best = from;
    double bestDeviation = rmsDeviation(pattern, from);
    for (double M = from + kFitStep; M <= to; M += kFitStep) {
        const double deviation = rmsDeviation(pattern, M);
        if (deviation < bestDeviation) {
            best = M;
            bestDeviation = deviation;
        }
    }
    const double lo = std::max(from, best - kFitStep);
    const double hi = std::min(to, best + kFitStep);
    if (!(lo < best && best < hi))
        return best;
    QuietGsl();
    gsl_function f{&deviationAt, const_cast<MeasuredPattern *>(&pattern)};
    const std::unique_ptr<gsl_min_fminimizer, decltype(&gsl_min_fminimizer_free)> minimizer(
        gsl_min_fminimizer_alloc(gsl_min_fminimizer_brent), &gsl_min_fminimizer_free);
    if (!minimizer || gsl_min_fminimizer_set(minimizer.get(), &f, best, lo, hi) != GSL_SUCCESS)
        return best;
    for (int i = 0; i < 100; ++i) {
        if (gsl_min_fminimizer_iterate(minimizer.get()) != GSL_SUCCESS)
            break;
        if (gsl_min_test_interval(gsl_min_fminimizer_x_lower(minimizer.get()),
                                  gsl_min_fminimizer_x_upper(minimizer.get()), 1e-6, 0.0)
            == GSL_SUCCESS)
            break;
    }
    return gsl_min_fminimizer_x_minimum(minimizer.get());
}
