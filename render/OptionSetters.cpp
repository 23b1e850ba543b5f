#include "OptionSetters.h"

#include "PhysicalArguments.h"

#include "physics/DipoleRules.h"

#include <QRegularExpression>

namespace {

[[noreturn]] void refuse(const QString &message)
{
    throw RenderUsageError(message.toStdString());
}

// A positive number with a dot, at most limit; false for anything else.
bool parsePositive(const QString &text, double limit, double &value)
{
    long double parsed = 0.0L;
    if (!ParseRenderLength(text, parsed) || !(parsed > 0.0L && parsed <= limit))
        return false;
    value = static_cast<double>(parsed);
    return value > 0.0;
}

constexpr double kMinRangeDb = 10.0;
constexpr double kMaxRangeDb = 120.0;
constexpr int kMinSide = 200;
constexpr int kMaxAxisOhms = 1'000'000;
constexpr int kMaxSide = 8000;
constexpr qint64 kMaxPixels = 40'000'000; // two such pictures stay within a few hundred megabytes

} // namespace

void SetColour(RenderOptions &options, const QString &text)
{
    if (!ParseRenderColour(text, options.colour))
        refuse(QStringLiteral("unknown colour \"%1\": use a colour name such as Navy or RRGGBB in hex")
                   .arg(ShownArgument(text)));
}

void SetOutDirectory(RenderOptions &options, const QString &text)
{
    if (text.isEmpty())
        refuse(QStringLiteral("option --out needs a directory"));
    options.outDirectory = text;
}

void SetFormat(RenderOptions &options, const QString &text)
{
    if (!ParsePictureFormat(text, options.format))
        refuse(QStringLiteral("unknown format \"%1\": use bmp, png, svg or pdf").arg(ShownArgument(text)));
}

void SetCsvFile(RenderOptions &options, const QString &text)
{
    if (text.isEmpty())
        refuse(QStringLiteral("option --csv needs a file name or -"));
    options.csvFile = text;
}

// --step is degrees with --csv and wavelengths with --impedance: here only
// a number above 0; its range is checked once the other options are known.
void SetStep(RenderOptions &options, const QString &text)
{
    // A frequency step is read with the frequency sweep's other options.
    if (CarriesUnit(text))
        return;
    if (!ParseRenderLength(text, options.csvStep) || !(options.csvStep > 0))
        refuse(QStringLiteral("--step \"%1\" is not a number above 0").arg(ShownArgument(text)));
}

void SetRadius(RenderOptions &options, const QString &text)
{
    // A radius in metres is read with the frequency sweep's other options.
    if (CarriesUnit(text))
        return;
    long double radius = 0.0L;
    const bool parsed = ParseRenderLength(text, radius);
    // A radius above 0 that is still too thin for the computation has a
    // refusal of its own, so that it does not read as a negative one.
    if (parsed && radius > 0.0L && static_cast<double>(radius) < kMinWireRadius)
        refuse(QStringLiteral("--radius \"%1\" is thinner than the thinnest wire computed, %2 wavelengths")
                   .arg(ShownArgument(text), QString::number(kMinWireRadius)));
    if (!parsed || !IsWireRadius(static_cast<double>(radius)))
        refuse(QStringLiteral("--radius \"%1\" is not a radius above 0 and up to %2 wavelengths")
                   .arg(ShownArgument(text), QString::number(kMaxWireRadius)));
    options.radius = static_cast<double>(radius);
}

void SetReferenceResistance(RenderOptions &options, const QString &text)
{
    double z0 = 0.0;
    if (!parsePositive(text, 1e9, z0))
        refuse(QStringLiteral("--z0 \"%1\" is not a resistance above 0 ohms").arg(ShownArgument(text)));
    options.z0 = z0;
}

void SetOhmsAxis(RenderOptions &options, const QString &text)
{
    const QStringList ends = text.split(QLatin1Char(':'));
    long double low = 0.0L;
    long double high = 0.0L;
    if (ends.size() != 2 || !ParseRenderLength(ends[0], low) || !ParseRenderLength(ends[1], high)
        || !(low >= -kMaxAxisOhms && high <= kMaxAxisOhms && high - low >= 1.0L))
        refuse(QStringLiteral("--ohms \"%1\" is not LOW:HIGH, two resistances from %2 to %3 ohms at least 1 ohm apart")
                   .arg(ShownArgument(text))
                   .arg(-kMaxAxisOhms)
                   .arg(kMaxAxisOhms));
    options.ohmsAxis = std::make_pair(double(low), double(high));
}

void SetMeasuredPattern(RenderOptions &options, const QString &text)
{
    if (text.isEmpty())
        refuse(QStringLiteral("option --measured-pattern needs a file name"));
    options.measuredPatternFile = text;
}

void SetMeasuredScale(RenderOptions &options, const QString &text)
{
    if (text.compare(QLatin1String("db"), Qt::CaseInsensitive) == 0)
        options.measuredScale = MeasuredScale::Decibel;
    else if (text.compare(QLatin1String("linear"), Qt::CaseInsensitive) == 0)
        options.measuredScale = MeasuredScale::Linear;
    else
        refuse(QStringLiteral("unknown --measured-scale \"%1\": use db or linear").arg(ShownArgument(text)));
}

void SetStyle(RenderOptions &options, const QString &text)
{
    if (text.compare(QLatin1String("plain"), Qt::CaseInsensitive) == 0)
        options.style = RenderOptions::Style::Plain;
    else if (text.compare(QLatin1String("labelled"), Qt::CaseInsensitive) == 0)
        options.style = RenderOptions::Style::Labelled;
    else
        refuse(QStringLiteral("unknown style \"%1\": use plain or labelled").arg(ShownArgument(text)));
}

void SetScale(RenderOptions &options, const QString &text)
{
    if (text.compare(QLatin1String("linear"), Qt::CaseInsensitive) == 0)
        options.scale = LabelledScale::Linear;
    else if (text.compare(QLatin1String("db"), Qt::CaseInsensitive) == 0)
        options.scale = LabelledScale::Decibel;
    else
        refuse(QStringLiteral("unknown scale \"%1\": use linear or db").arg(ShownArgument(text)));
}

void SetRange(RenderOptions &options, const QString &text)
{
    long double range = 0.0L;
    if (!ParseRenderLength(text, range) || !(range >= kMinRangeDb && range <= kMaxRangeDb))
        refuse(QStringLiteral("--range \"%1\" is not a number of decibels from %2 to %3")
                   .arg(ShownArgument(text))
                   .arg(kMinRangeDb)
                   .arg(kMaxRangeDb));
    options.rangeDb = static_cast<double>(range);
}

void SetSize(RenderOptions &options, const QString &text)
{
    static const QRegularExpression size(
        QRegularExpression::anchoredPattern(QStringLiteral("(\\d{1,5})[xX](\\d{1,5})")));
    const QRegularExpressionMatch match = size.match(text);
    const int width = match.hasMatch() ? match.captured(1).toInt() : 0;
    const int height = match.hasMatch() ? match.captured(2).toInt() : 0;
    const auto inRange = [](int side) { return side >= kMinSide && side <= kMaxSide; };
    if (!inRange(width) || !inRange(height) || qint64(width) * height > kMaxPixels)
        refuse(QStringLiteral("--size \"%1\" is not WIDTHxHEIGHT in pixels, each from %2 to %3 and at most %4 "
                              "million pixels in all")
                   .arg(ShownArgument(text))
                   .arg(kMinSide)
                   .arg(kMaxSide)
                   .arg(kMaxPixels / 1'000'000));
    options.size = QSize(width, height);
}
