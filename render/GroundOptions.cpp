#include "GroundOptions.h"

#include "PhysicalArguments.h"

#include "physics/DipoleRules.h"
#include "physics/ImpedanceCurve.h"

#include <QStringList>

#include <stdexcept>

namespace {

[[noreturn]] void refuse(const QString &message)
{
    throw RenderUsageError(message.toStdString());
}

} // namespace

void SetGround(RenderOptions &options, const QString &text)
{
    const bool real = text.compare(QLatin1String("real"), Qt::CaseInsensitive) == 0;
    if (!real && text.compare(QLatin1String("perfect"), Qt::CaseInsensitive) != 0)
        refuse(QStringLiteral("unknown --ground \"%1\": use perfect or real").arg(ShownArgument(text)));
    const bool monopole = options.ground && options.ground->monopole;
    options.ground = GroundRequest{};
    options.ground->monopole = monopole;
    // The soil's figures and frequency are read once all options are known.
    if (real)
        options.ground->soil = NecSoil{};
}

NecSoil ReadSoil(const QString &permittivity, const QString &conductivity, double frequencyHz)
{
    long double epsilon = 0.0L;
    if (!ParseRenderLength(permittivity, epsilon) || !(epsilon >= kMinSoilPermittivity)
        || !(epsilon <= kMaxSoilPermittivity))
        refuse(QStringLiteral("--permittivity \"%1\" is not a relative permittivity from %2 to %3")
                   .arg(ShownArgument(permittivity), QString::number(kMinSoilPermittivity),
                        QString::number(kMaxSoilPermittivity)));
    long double sigma = 0.0L;
    if (!ParseRenderLength(conductivity, sigma) || !(sigma >= 0.0L) || !(sigma <= kMaxSoilConductivity))
        refuse(QStringLiteral("--conductivity \"%1\" is not a conductivity from 0 to %2 S/m")
                   .arg(ShownArgument(conductivity), QString::number(kMaxSoilConductivity)));
    return {static_cast<double>(epsilon), static_cast<double>(sigma), frequencyHz};
}

void SetOrientation(RenderOptions &options, const QString &text)
{
    if (text.compare(QLatin1String("horizontal"), Qt::CaseInsensitive) == 0)
        options.groundOrientation = GroundOrientation::Horizontal;
    else if (text.compare(QLatin1String("vertical"), Qt::CaseInsensitive) == 0)
        options.groundOrientation = GroundOrientation::Vertical;
    else
        refuse(QStringLiteral("unknown --orientation \"%1\": use horizontal or vertical").arg(ShownArgument(text)));
}

double ReadGroundHeight(const QString &text, std::optional<double> frequency, const char *option)
{
    const QString name = QLatin1String(option);
    if (CarriesUnit(text)) {
        if (!frequency)
            refuse(QStringLiteral("%1 \"%2\" has a unit: give --frequency F too (14MHz), or the height in wavelengths")
                       .arg(name, ShownArgument(text)));
        return InWavelengths(ReadQuantity(text, UnitDimension::Length, name), *frequency);
    }
    if (frequency)
        refuse(QStringLiteral("%1 \"%2\" needs a unit with --frequency: m, cm or mm").arg(name, ShownArgument(text)));
    long double height = 0.0L;
    if (!ParseRenderLength(text, height) || !(height > 0.0L))
        refuse(QStringLiteral("%1 \"%2\" is not a height above 0 wavelengths").arg(name, ShownArgument(text)));
    return static_cast<double>(height);
}

void CheckGroundLength(double M)
{
    if (!(M > 0.0 && IsMeasurableLength(M)))
        refuse(QStringLiteral("a wire over the ground needs a LENGTH above 0 and below %1").arg(LengthLimitText()));
}

void CheckGroundHeight(double M, double radius, double h, GroundOrientation orientation, const QString &text,
                       const char *option)
{
    CheckGroundLength(M);
    const double lowest = LowestHeightAllowed(M, radius, orientation);
    const QString shown = ShownArgument(text);
    if (!(h > lowest)) {
        const QString why = orientation == GroundOrientation::Vertical
                                ? QStringLiteral("half the vertical wire's length %1").arg(M)
                                : QStringLiteral("the horizontal wire's radius %1").arg(radius);
        refuse(QStringLiteral("%1 %2 puts the wire into the ground: the centre must be higher than %3, %4 "
                              "wavelengths")
                   .arg(QLatin1String(option), shown, why, QString::number(lowest, 'g', 10)));
    }
    if (!(h <= kMaxGroundHeight))
        refuse(QStringLiteral("%1 %2 is above the highest centre taken, %3 wavelengths")
                   .arg(QLatin1String(option), shown, QString::number(kMaxGroundHeight)));
}

std::vector<double> ReadHeightRange(const QString &range, std::optional<double> step)
{
    const QStringList ends = range.split(QLatin1Char(':'));
    long double from = 0.0L;
    long double to = 0.0L;
    if (ends.size() != 2 || !ParseRenderLength(ends[0], from) || !ParseRenderLength(ends[1], to))
        refuse(QStringLiteral("--height-sweep \"%1\" is not FROM:TO, two heights in wavelengths with a dot")
                   .arg(ShownArgument(range)));
    if (!(from > 0.0L && from <= to))
        refuse(QStringLiteral("--height-sweep %1 needs 0 < FROM <= TO").arg(ShownArgument(range)));
    const double by = step.value_or(0.01);
    std::vector<double> heights;
    try {
        heights = SteppedLengths(static_cast<double>(from), static_cast<double>(to), by);
    } catch (const std::domain_error &) {
    }
    if (heights.empty() || long(heights.size()) > kMaxHeightRows)
        refuse(QStringLiteral("--height-sweep %1 in steps of %2 is more than %3 rows")
                   .arg(ShownArgument(range), QString::number(by), QString::number(kMaxHeightRows)));
    return heights;
}

HeightSweepRequest ReadHeightSweep(const QString &range, std::optional<double> step, const HeightSweepRequest &wire)
{
    HeightSweepRequest sweep = wire;
    sweep.heights = ReadHeightRange(range, step);
    for (const double h : {sweep.heights.front(), sweep.heights.back()})
        CheckGroundHeight(sweep.length, sweep.radius, h, sweep.orientation, range, "--height-sweep");
    return sweep;
}
