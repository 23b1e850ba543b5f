#include "FrequencyOptions.h"

#include "NecImpedanceSweep.h"
#include "PhysicalArguments.h"
#include "RenderArguments.h"
#include "physics/DipoleRules.h"
#include "physics/ImpedanceCurve.h"
#include "physics/NecDeck.h"

#include <QStringList>

#include <stdexcept>

namespace {

// Points of a sweep given without --step.
constexpr double kDefaultPoints = 200.0;

[[noreturn]] void refuse(const QString &message)
{
    throw RenderUsageError(message.toStdString());
}

double radiusOf(const FrequencyArguments &a)
{
    if (!a.diameter.isEmpty() && !a.radius.isEmpty())
        refuse(QStringLiteral("give --diameter or --radius, not both"));
    if (a.diameter.isEmpty() && a.radius.isEmpty())
        refuse(QStringLiteral("--impedance in frequencies needs the wire's --diameter D or --radius R (2mm)"));
    if (!a.diameter.isEmpty())
        return ReadQuantity(a.diameter, UnitDimension::Length, QStringLiteral("--diameter")) / 2.0;
    return ReadQuantity(a.radius, UnitDimension::Length, QStringLiteral("--radius"));
}

double swrLimitOf(const FrequencyArguments &a)
{
    if (a.swrLimit.isEmpty())
        return 2.0;
    long double limit = 0.0L;
    if (!ParseRenderLength(a.swrLimit, limit) || !(limit > 1.0L && limit <= 1e6L))
        refuse(QStringLiteral("--swr-limit \"%1\" is not an SWR above 1").arg(ShownArgument(a.swrLimit)));
    return static_cast<double>(limit);
}

// The wire must stay one the closed form takes at every frequency: longer
// than it is thick, no longer than the length limit, its radius within the
// radii computed.
void checkWire(const FrequencySweepRequest &r, const QString &range)
{
    if (!(r.radiusMetres < r.lengthMetres / 2.0))
        refuse(QStringLiteral("the wire's radius is not below half its --length: it must be longer than it is thick"));
    const double longest = InWavelengths(r.lengthMetres, r.frequencies.back());
    if (!IsMeasurableLength(longest))
        refuse(QStringLiteral("--impedance %1 makes the wire %2 wavelengths long at its top; it must stay below %3")
                   .arg(ShownArgument(range), QString::number(longest, 'g', 6), LengthLimitText()));
    const double thinnest = InWavelengths(r.radiusMetres, r.frequencies.front());
    const double thickest = InWavelengths(r.radiusMetres, r.frequencies.back());
    if (thinnest < kMinWireRadius || thickest > kMaxWireRadius)
        refuse(QStringLiteral("--impedance %1 makes the wire's radius %2 to %3 wavelengths; it must stay from %4 to %5")
                   .arg(ShownArgument(range), QString::number(thinnest, 'g', 4), QString::number(thickest, 'g', 4),
                        QString::number(kMinWireRadius), QString::number(kMaxWireRadius)));
}

// NEC-2 solves one run a frequency, each within its thin-wire model.
void checkNec(const FrequencySweepRequest &r, const QString &range)
{
    if (long(r.frequencies.size()) > kMaxNecSweepLengths)
        refuse(QStringLiteral("--nec runs nec2c once a row, and --impedance %1 has %2 rows, more than %3: give a "
                              "coarser --step")
                   .arg(ShownArgument(range))
                   .arg(r.frequencies.size())
                   .arg(kMaxNecSweepLengths));
    for (const double f : r.frequencies) {
        const double M = InWavelengths(r.lengthMetres, f);
        const double A = InWavelengths(r.radiusMetres, f);
        if (A > MaxNecRadius(M))
            refuse(QStringLiteral("--nec: NEC-2's thin-wire model takes a radius of at most %1 wavelengths for a "
                                  "wire %2 wavelengths long; at %3 Hz this one's is %4")
                       .arg(QString::number(MaxNecRadius(M), 'g', 4), QString::number(M, 'g', 6),
                            QString::number(f, 'g', 9), QString::number(A, 'g', 4)));
    }
}

} // namespace

bool IsFrequencyRange(const QString &range)
{
    // A range of lengths in metres (5m:30m) goes with --frequency instead.
    const QByteArray from = range.section(QLatin1Char(':'), 0, 0).toUtf8();
    const UnitSplit split = SplitUnit(std::string_view(from.constData(), size_t(from.size())));
    return CarriesUnit(range.section(QLatin1Char(':'), 0, 0))
           && !(split.unit && split.unit->dimension == UnitDimension::Length);
}

FrequencySweepRequest ReadFrequencySweep(const FrequencyArguments &a)
{
    const QStringList ends = a.range.split(QLatin1Char(':'));
    if (ends.size() != 2)
        refuse(QStringLiteral("--impedance \"%1\" is not FROM:TO, two frequencies with their units (13MHz:15MHz)")
                   .arg(ShownArgument(a.range)));
    const double from = ReadQuantity(ends[0], UnitDimension::Frequency, QStringLiteral("--impedance FROM"));
    const double to = ReadQuantity(ends[1], UnitDimension::Frequency, QStringLiteral("--impedance TO"));
    if (!(from < to))
        refuse(QStringLiteral("--impedance %1 needs FROM below TO").arg(ShownArgument(a.range)));
    if (a.length.isEmpty())
        refuse(QStringLiteral("--impedance in frequencies needs the wire's --length L (10.3m)"));
    FrequencySweepRequest request;
    request.lengthMetres = ReadQuantity(a.length, UnitDimension::Length, QStringLiteral("--length"));
    request.radiusMetres = radiusOf(a);
    const double step = a.step.isEmpty() ? (to - from) / kDefaultPoints
                                         : ReadQuantity(a.step, UnitDimension::Frequency, QStringLiteral("--step"));
    try {
        request.frequencies = SteppedLengths(from, to, step);
    } catch (const std::domain_error &) {
        refuse(QStringLiteral("--impedance %1 in steps of %2 Hz is more than %3 rows")
                   .arg(ShownArgument(a.range), QString::number(step), QString::number(kMaxCurveLengths)));
    }
    checkWire(request, a.range);
    request.referenceResistance = a.z0.value_or(50.0);
    request.swrLimit = swrLimitOf(a);
    request.report = a.report;
    request.nec = a.nec;
    if (a.nec)
        checkNec(request, a.range);
    request.touchstoneFile = a.touchstone;
    request.measuredFile = a.measured;
    return request;
}
