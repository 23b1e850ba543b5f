#include "RenderOptions.h"

#include "CommandLine.h"
#include "FrequencyOptions.h"
#include "GroundOptions.h"
#include "OptionCombinations.h"
#include "OptionSetters.h"
#include "PhysicalArguments.h"

#include "labelled/GroundPictures.h"
#include "labelled/LabelledPatterns.h"
#include "labelled/LabelledStyle.h"
#include "physics/DipoleRules.h"
#include "physics/ImpedanceCurve.h"
#include "physics/InducedEmf.h"
#include "physics/NecDeck.h"
#include "physics/StandingWaveRatio.h"
#include "render/NecImpedanceSweep.h"

#include <QHash>
#include <QLocale>

#include <cmath>
#include <stdexcept>

namespace {

[[noreturn]] void refuse(const QString &message)
{
    RefuseCommandLine(message);
}

// One row of the option table. apply reads the value (empty for an option
// that takes none) into the options and refuses a value it cannot use.
enum class Takes { Nothing, Value };
enum class Repeat { Refused, Allowed };
using ApplyOption = void (*)(RenderOptions &options, const QString &value);

struct OptionRow
{
    const char *name;
    const char *alias; // another spelling of the same option, or nullptr
    Takes takes;
    Repeat repeat; // a repeated option would silently replace its first value
    ApplyOption apply;
};

const OptionRow kOptionTable[] = {
    {"--help", "-h", Takes::Nothing, Repeat::Refused, [](RenderOptions &o, const QString &) { o.help = true; }},
    {"--no-fill", nullptr, Takes::Nothing, Repeat::Refused, [](RenderOptions &o, const QString &) { o.fill = false; }},
    {"--colour", "--color", Takes::Value, Repeat::Refused, SetColour},
    {"--out", nullptr, Takes::Value, Repeat::Refused, SetOutDirectory},
    {"--format", nullptr, Takes::Value, Repeat::Refused, SetFormat},
    // A family's and a sweep's lengths may be in metres at --frequency: read with LENGTH.
    {"--family", nullptr, Takes::Value, Repeat::Refused, [](RenderOptions &, const QString &) {}},
    {"--sweep", nullptr, Takes::Value, Repeat::Refused, [](RenderOptions &, const QString &) {}},
    {"--report", nullptr, Takes::Nothing, Repeat::Refused, [](RenderOptions &o, const QString &) { o.report = true; }},
    {"--json", nullptr, Takes::Nothing, Repeat::Refused, [](RenderOptions &o, const QString &) { o.json = true; }},
    {"--csv", nullptr, Takes::Value, Repeat::Refused, SetCsvFile},
    {"--step", nullptr, Takes::Value, Repeat::Refused, SetStep},
    {"--lobes", nullptr, Takes::Nothing, Repeat::Refused, [](RenderOptions &o, const QString &) { o.lobes = true; }},
    {"--radius", nullptr, Takes::Value, Repeat::Refused, SetRadius},
    {"--nec", nullptr, Takes::Nothing, Repeat::Refused, [](RenderOptions &o, const QString &) { o.nec = true; }},
    // The range is read with --step and --radius once all options are known.
    {"--impedance", nullptr, Takes::Value, Repeat::Refused, [](RenderOptions &, const QString &) {}},
    {"--z0", nullptr, Takes::Value, Repeat::Refused, SetReferenceResistance},
    {"--ohms", nullptr, Takes::Value, Repeat::Refused, SetOhmsAxis},
    // A frequency gives lengths and radii in metres; read with them.
    {"--frequency", nullptr, Takes::Value, Repeat::Refused, [](RenderOptions &, const QString &) {}},
    {"--measured-pattern", nullptr, Takes::Value, Repeat::Refused, SetMeasuredPattern},
    {"--measured-scale", nullptr, Takes::Value, Repeat::Refused, SetMeasuredScale},
    // A frequency sweep's wire and files are read once all options are known.
    {"--length", nullptr, Takes::Value, Repeat::Refused, [](RenderOptions &, const QString &) {}},
    {"--diameter", nullptr, Takes::Value, Repeat::Refused, [](RenderOptions &, const QString &) {}},
    {"--swr-limit", nullptr, Takes::Value, Repeat::Refused, [](RenderOptions &, const QString &) {}},
    {"--touchstone", nullptr, Takes::Value, Repeat::Refused, [](RenderOptions &, const QString &) {}},
    {"--measured", nullptr, Takes::Value, Repeat::Refused, [](RenderOptions &, const QString &) {}},
    {"--current", nullptr, Takes::Nothing, Repeat::Refused,
     [](RenderOptions &o, const QString &) { o.current = true; }},
    {"--style", nullptr, Takes::Value, Repeat::Refused, SetStyle},
    {"--scale", nullptr, Takes::Value, Repeat::Refused, SetScale},
    {"--range", nullptr, Takes::Value, Repeat::Refused, SetRange},
    {"--size", nullptr, Takes::Value, Repeat::Refused, SetSize},
    {"--fill", nullptr, Takes::Nothing, Repeat::Refused,
     [](RenderOptions &o, const QString &) { o.fillFamily = true; }},
    {"--readouts", nullptr, Takes::Nothing, Repeat::Refused,
     [](RenderOptions &o, const QString &) { o.readoutsLine = true; }},
    {"--ground", nullptr, Takes::Value, Repeat::Refused, SetGround},
    // The height may be in metres at --frequency: read with LENGTH.
    {"--height", nullptr, Takes::Value, Repeat::Refused, [](RenderOptions &, const QString &) {}},
    {"--orientation", nullptr, Takes::Value, Repeat::Refused, SetOrientation},
    {"--height-sweep", nullptr, Takes::Value, Repeat::Refused, [](RenderOptions &, const QString &) {}},
    {"--monopole", nullptr, Takes::Nothing, Repeat::Refused,
     [](RenderOptions &o, const QString &) {
         // It stands on --ground real's soil when that is given too.
         if (!o.ground)
             o.ground = GroundRequest{};
         o.ground->monopole = true;
     }},
    // --ground real's soil, read with the frequency it acts at.
    {"--permittivity", nullptr, Takes::Value, Repeat::Refused, [](RenderOptions &, const QString &) {}},
    {"--conductivity", nullptr, Takes::Value, Repeat::Refused, [](RenderOptions &, const QString &) {}},
    {"--3d", nullptr, Takes::Value, Repeat::Refused,
     [](RenderOptions &o, const QString &text) { SetSolidFile(o.solid, text); }},
    {"--3d-view", nullptr, Takes::Value, Repeat::Refused,
     [](RenderOptions &o, const QString &text) { SetSolidViewFile(o.solid, text); }},
    {"--3d-resolution", nullptr, Takes::Value, Repeat::Refused,
     [](RenderOptions &o, const QString &text) { SetSolidResolution(o.solid, text); }},
    {"--3d-scale", nullptr, Takes::Value, Repeat::Refused,
     [](RenderOptions &o, const QString &text) { SetSolidScale(o.solid, text); }},
    {"--view-azimuth", nullptr, Takes::Value, Repeat::Refused,
     [](RenderOptions &o, const QString &text) { SetViewAzimuth(o.solid, text); }},
    {"--view-elevation", nullptr, Takes::Value, Repeat::Refused,
     [](RenderOptions &o, const QString &text) { SetViewElevation(o.solid, text); }},
};

const OptionRow *findOption(const QString &name)
{
    for (const OptionRow &row : kOptionTable) {
        if (name == QLatin1String(row.name) || (row.alias && name == QLatin1String(row.alias)))
            return &row;
    }
    return nullptr;
}

// Applies the option at arguments[i], taking its value from "--name=value"
// or from the next argument (which may start with a minus sign).
void applyOption(CommandLine &line, const QStringList &arguments, int &i)
{
    const QString &arg = arguments.at(i);
    const int eq = arg.indexOf(QLatin1Char('='));
    const bool hasInlineValue = arg.startsWith(QLatin1String("--")) && eq > 0;
    const QString name = hasInlineValue ? arg.left(eq) : arg;
    const OptionRow *row = findOption(name);
    if (!row)
        refuse(QStringLiteral("unknown option %1 (see --help)").arg(ShownArgument(arg)));
    if (row->takes == Takes::Nothing && hasInlineValue)
        refuse(QStringLiteral("option %1 takes no value").arg(name));
    if (row->repeat == Repeat::Refused && line.given(row->name))
        refuse(QStringLiteral("%1 given twice: give it once").arg(name));
    line.givenOptions << QLatin1String(row->name);
    QString value;
    if (hasInlineValue)
        value = arg.mid(eq + 1);
    else if (row->takes == Takes::Value && i + 1 >= arguments.size())
        refuse(QStringLiteral("option %1 needs a value").arg(name));
    else if (row->takes == Takes::Value)
        value = arguments.at(++i);
    line.values.insert(QLatin1String(row->name), value);
    row->apply(line.options, value);
}

// The one LENGTH, unless a family, a sweep or an impedance range gives the
// lengths.
void readLength(CommandLine &line)
{
    if (line.given("--family") || line.given("--sweep") || line.given("--impedance"))
        return;
    if (line.operands.isEmpty())
        refuse(QStringLiteral("missing LENGTH (see --help)"));
    if (line.operands.size() > 1)
        refuse(QStringLiteral("unexpected argument \"%1\": give one LENGTH").arg(ShownArgument(line.operands.at(1))));
    if (!ParseRenderLength(line.operands.first(), line.options.length))
        refuse(QStringLiteral("LENGTH \"%1\" is not a number (use a dot as decimal separator)")
                   .arg(ShownArgument(line.operands.first())));
}

// The --step of --csv: degrees.
void checkCsvStep(const CommandLine &line)
{
    const long double step = line.options.csvStep;
    if (line.given("--step") && line.given("--csv")
        && (CarriesUnit(line.value("--step")) || !(step >= 0.001L && step <= 360)))
        refuse(QStringLiteral("--step \"%1\" is not a number of degrees from 0.001 to 360")
                   .arg(ShownArgument(line.value("--step"))));
}

// The radius against the one LENGTH, and against NEC-2's thin-wire model.
void checkRadius(const CommandLine &line)
{
    const RenderOptions &o = line.options;
    if (!o.radius || line.given("--impedance"))
        return;
    const double M = static_cast<double>(o.length);
    if (!WireRadiusFits(M, *o.radius))
        refuse(QStringLiteral("--radius %1 is not below half of LENGTH %2: the wire must be longer than it is thick")
                   .arg(ShownArgument(line.value("--radius")), ShownArgument(line.operands.first())));
    if (o.nec && *o.radius > MaxNecRadius(M))
        refuse(QStringLiteral("--radius %1: NEC-2's thin-wire model needs segments at least %2 radii long (with its "
                              "extended kernel), and at M = %3 at least %4 segments; the largest radius is %5")
                   .arg(ShownArgument(line.value("--radius")))
                   .arg(kMinExtendedSegmentToRadius)
                   .arg(ShownArgument(line.operands.first()))
                   .arg(NecFewestSegments(M))
                   .arg(QString::number(MaxNecRadius(M), 'g', 4)));
}

// --impedance FROM:TO with its --step and --radius (kDefaultWireRadius unless given).
void readImpedance(CommandLine &line)
{
    if (!line.given("--impedance"))
        return;
    const QString range = line.value("--impedance");
    const QStringList ends = range.split(QLatin1Char(':'));
    long double from = 0.0L;
    long double to = 0.0L;
    if (ends.size() != 2 || !ParseRenderLength(ends[0], from) || !ParseRenderLength(ends[1], to))
        refuse(QStringLiteral("--impedance \"%1\" is not FROM:TO, two lengths with a dot").arg(ShownArgument(range)));
    if (!(from > 0.0L && from <= to && IsMeasurableLength(to)))
        refuse(QStringLiteral("--impedance %1 needs 0 < FROM <= TO < %2").arg(ShownArgument(range), LengthLimitText()));
    if (CarriesUnit(line.value("--step")))
        refuse(QStringLiteral("--step \"%1\" has a unit: give --impedance's lengths in metres with --frequency too")
                   .arg(ShownArgument(line.value("--step"))));
    RenderOptions &o = line.options;
    if (!o.radius)
        o.radius = kDefaultWireRadius;
    if (!WireRadiusFits(static_cast<double>(from), *o.radius))
        refuse(QStringLiteral("--radius %1 is not below half of FROM %2: the wire must be longer than it is thick")
                   .arg(QString::number(*o.radius), ShownArgument(ends[0])));
    const double step = line.given("--step") ? static_cast<double>(o.csvStep) : 0.01;
    try {
        o.impedanceLengths = SteppedLengths(static_cast<double>(from), static_cast<double>(to), step);
    } catch (const std::domain_error &) {
        refuse(QStringLiteral("--impedance %1 in steps of %2 is more than %3 rows")
                   .arg(ShownArgument(range), QString::number(step), QString::number(kMaxCurveLengths)));
    }
}

// --impedance FROM:TO in frequencies with the wire and files it goes with.
void readFrequencySweep(CommandLine &line)
{
    FrequencyArguments arguments;
    arguments.range = line.value("--impedance");
    arguments.length = line.value("--length");
    arguments.diameter = line.value("--diameter");
    arguments.radius = line.value("--radius");
    arguments.step = line.value("--step");
    arguments.swrLimit = line.value("--swr-limit");
    arguments.touchstone = line.value("--touchstone");
    arguments.measured = line.value("--measured");
    arguments.z0 = line.options.z0;
    arguments.report = line.options.report;
    arguments.nec = line.options.nec;
    if (line.given("--radius") && !CarriesUnit(arguments.radius))
        refuse(QStringLiteral("--radius \"%1\" needs a unit in a frequency sweep: m, cm or mm")
                   .arg(ShownArgument(arguments.radius)));
    for (const char *file : {"--touchstone", "--measured"}) {
        if (line.given(file) && line.value(file).isEmpty())
            refuse(QStringLiteral("option %1 needs a file name").arg(QLatin1String(file)));
    }
    FrequencySweepRequest request = ReadFrequencySweep(arguments);
    if (line.given("--out"))
        request.outDirectory = line.options.outDirectory;
    request.format = line.options.format;
    line.options.frequencySweep = request;
}

// --impedance with --nec: one nec2c run a row, each length within NEC-2's
// thin-wire model for the radius.
void checkImpedanceNec(const CommandLine &line)
{
    const RenderOptions &o = line.options;
    if (!o.nec || o.impedanceLengths.empty())
        return;
    const QString range = ShownArgument(line.value("--impedance"));
    const long rows = long(o.impedanceLengths.size());
    if (rows > kMaxNecSweepLengths) {
        // The smallest step of two significant digits that gives few enough
        // rows, rounded up so that it does.
        const double span = o.impedanceLengths.back() - o.impedanceLengths.front();
        const double least = span / (kMaxNecSweepLengths - 1);
        const double unit = std::pow(10.0, std::floor(std::log10(least)) - 1.0);
        refuse(QStringLiteral("--nec runs nec2c once a row, and --impedance %1 has %2 rows, more than %3: give a "
                              "--step of at least %4")
                   .arg(range)
                   .arg(rows)
                   .arg(kMaxNecSweepLengths)
                   .arg(QString::number(std::ceil(least / unit) * unit, 'g', 2)));
    }
    for (const double M : o.impedanceLengths) {
        if (*o.radius > MaxNecRadius(M))
            refuse(QStringLiteral("--nec: NEC-2's thin-wire model takes a radius of at most %1 wavelengths at length "
                                  "%2 of --impedance %3, less than --radius %4")
                       .arg(QString::number(MaxNecRadius(M), 'g', 4), QString::number(M), range,
                            QString::number(*o.radius)));
    }
}

// Where the lengths of a command line are written, to read them from and
// write them back in wavelengths: the one LENGTH, a family's lengths (each
// row's text before its colon), a sweep's FROM, TO and STEP, or
// --impedance's FROM and TO with its --step.
struct LengthTexts
{
    QString name;         // for messages: "LENGTH", "--family", ...
    QStringList lengths;  // the lengths as given
    QStringList suffixes; // what follows each length in its piece (":Navy")
    QChar separator;      // what joins the pieces
    QString text() const
    {
        QStringList pieces;
        for (int i = 0; i < lengths.size(); ++i)
            pieces << lengths.at(i) + suffixes.at(i);
        return pieces.join(separator);
    }
};

LengthTexts lengthTexts(const CommandLine &line)
{
    LengthTexts texts;
    const char *range = line.given("--family")      ? "--family"
                        : line.given("--sweep")     ? "--sweep"
                        : line.given("--impedance") ? "--impedance"
                                                    : nullptr;
    if (!range) {
        texts.name = QStringLiteral("LENGTH");
        texts.lengths = line.operands.mid(0, 1);
        texts.suffixes = QStringList(texts.lengths.size(), QString());
        return texts;
    }
    texts.name = QLatin1String(range);
    const bool family = line.given("--family");
    texts.separator = family ? QLatin1Char(',') : QLatin1Char(':');
    for (const QString &piece : line.value(range).split(texts.separator)) {
        const int colon = family ? int(piece.lastIndexOf(QLatin1Char(':'))) : -1;
        texts.lengths << (colon < 0 ? piece : piece.left(colon));
        texts.suffixes << (colon < 0 ? QString() : piece.mid(colon));
    }
    return texts;
}

// Whether every length of texts carries a unit; refuses a mix, naming it.
bool lengthsInMetres(const LengthTexts &texts)
{
    qsizetype withUnit = 0;
    for (const QString &length : texts.lengths)
        withUnit += CarriesUnit(length) ? 1 : 0;
    if (withUnit != 0 && withUnit != texts.lengths.size())
        refuse(QStringLiteral("%1 \"%2\" gives some lengths in metres and some in wavelengths: give them all one way")
                   .arg(texts.name, ShownArgument(texts.text())));
    return withUnit != 0;
}

// A length in metres in wavelengths at frequency, as text.
QString wavelengthsText(const QString &length, double frequency, const QString &what)
{
    return QString::number(InWavelengths(ReadQuantity(length, UnitDimension::Length, what), frequency), 'g', 17);
}

// texts' lengths (and --impedance's --step where it is in metres) in
// wavelengths at frequency, written back where they came from.
void writeInWavelengths(CommandLine &line, LengthTexts &texts, double frequency)
{
    for (QString &length : texts.lengths)
        length = wavelengthsText(length, frequency, texts.name);
    if (texts.name == QLatin1String("LENGTH")) {
        line.operands.first() = texts.text();
        return;
    }
    line.values.insert(texts.name, texts.text());
    const QString step = line.value("--step");
    if (texts.name == QLatin1String("--impedance") && CarriesUnit(step)) {
        line.values.insert(QStringLiteral("--step"), wavelengthsText(step, frequency, QStringLiteral("--step")));
        line.options.csvStep = line.value("--step").toDouble();
    }
}

// --frequency with lengths in metres (LENGTH, a family's, a sweep's or
// --impedance's) and a radius or diameter in metres: each turned into
// wavelengths at that frequency. A unit on one and none on the other is
// refused, naming both.
void readPhysicalUnits(CommandLine &line)
{
    LengthTexts texts = lengthTexts(line);
    const QString length = texts.text();
    const bool lengthInMetres = lengthsInMetres(texts);
    const QString radiusOption = line.given("--diameter") ? QStringLiteral("--diameter") : QStringLiteral("--radius");
    const QString radius = line.values.value(radiusOption);
    const bool radiusInMetres = CarriesUnit(radius);
    if (!line.given("--frequency")) {
        if (lengthInMetres)
            refuse(QStringLiteral("%1 \"%2\" has a unit: give --frequency F too (14MHz), or the length in "
                                  "wavelengths")
                       .arg(texts.name, ShownArgument(length)));
        return;
    }
    if (!lengthInMetres && !radiusInMetres)
        refuse(QStringLiteral(
                   "--frequency goes with a LENGTH in metres (10.3m; or a --family, --sweep or --impedance of them) "
                   "and a %1 in metres")
                   .arg(radiusOption));
    if (!length.isEmpty() && !radius.isEmpty() && lengthInMetres != radiusInMetres)
        refuse(QStringLiteral("%1 \"%2\" %3 and %4 \"%5\" %6: give both in metres (10.3m, 1mm) or "
                              "both in wavelengths")
                   .arg(texts.name, ShownArgument(length),
                        lengthInMetres ? QStringLiteral("has a unit") : QStringLiteral("has none"), radiusOption,
                        ShownArgument(radius),
                        radiusInMetres ? QStringLiteral("has one") : QStringLiteral("has none")));
    if (!length.isEmpty() && !lengthInMetres)
        refuse(QStringLiteral("%1 \"%2\" needs a unit with --frequency: m, cm or mm")
                   .arg(texts.name, ShownArgument(length)));
    const double frequency =
        ReadQuantity(line.value("--frequency"), UnitDimension::Frequency, QStringLiteral("--frequency"));
    RenderOptions &o = line.options;
    o.frequency = frequency;
    if (lengthInMetres)
        writeInWavelengths(line, texts, frequency);
    if (radiusInMetres) {
        double metres = ReadQuantity(radius, UnitDimension::Length, radiusOption);
        if (radiusOption == QLatin1String("--diameter"))
            metres /= 2.0;
        const double A = InWavelengths(metres, frequency);
        if (!IsWireRadius(A))
            refuse(QStringLiteral("%1 \"%2\" at --frequency %3 is %4 wavelengths; a radius must be from %5 to %6")
                       .arg(radiusOption, ShownArgument(radius), ShownArgument(line.value("--frequency")),
                            QString::number(A, 'g', 4), QString::number(kMinWireRadius),
                            QString::number(kMaxWireRadius)));
        o.radius = A;
        line.values.insert(QStringLiteral("--radius"), QString::number(A, 'g', 17));
    }
}

// A family's rows and a sweep's frames, once their lengths are in
// wavelengths.
void readLengthLists(CommandLine &line)
{
    if (line.given("--family"))
        line.options.family = ParseRenderFamily(line.value("--family"));
    if (line.given("--sweep"))
        line.options.sweep = PlanSweep(line.value("--sweep"));
}

// --ground's height against the one LENGTH or the longest of --impedance,
// --monopole's LENGTH, and --height-sweep's heights.
void readGround(CommandLine &line)
{
    RenderOptions &o = line.options;
    if (!o.ground)
        return;
    const bool table = !o.impedanceLengths.empty();
    const double M = table ? o.impedanceLengths.back() : static_cast<double>(o.length);
    const double radius = o.radius.value_or(kDefaultWireRadius);
    o.ground->nec = o.nec;
    if (o.ground->soil)
        o.ground->soil = ReadSoil(line.value("--permittivity"), line.value("--conductivity"), *o.frequency);
    if (o.ground->monopole) {
        CheckGroundLength(M);
        return;
    }
    o.ground->orientation = o.groundOrientation;
    if (line.given("--height-sweep")) {
        const std::optional<double> step = line.given("--step") ? std::optional<double>(o.csvStep) : std::nullopt;
        HeightSweepRequest wire;
        wire.length = M;
        wire.radius = radius;
        wire.orientation = o.groundOrientation;
        o.heightSweep = ReadHeightSweep(line.value("--height-sweep"), step, wire);
        if (line.given("--out"))
            o.heightSweep->outDirectory = o.outDirectory;
        o.heightSweep->format = o.format;
        return;
    }
    o.ground->height = ReadGroundHeight(line.value("--height"), o.frequency);
    CheckGroundHeight(M, radius, o.ground->height, o.ground->orientation, line.value("--height"));
}

// A --size whose pictures, each in its own proportion within it, would
// draw text too small to read; the solid's view has no text.
void checkPictureSize(const CommandLine &line)
{
    const QSize box = line.options.size;
    if (box.isEmpty() || line.options.solid.wanted())
        return;
    const QSize shapes[] = {kLabelledPolarSize, kLabelledRectangularSize, kGroundPolarSize};
    const auto smallest = [&](double scale) {
        double pixels = 1e9;
        for (const QSize shape : shapes)
            pixels = std::min(pixels, SmallestTextPixels(FittedToBox(box * scale, shape)));
        return pixels;
    };
    if (smallest(1.0) >= kLeastReadableTextPixels)
        return;
    double scale = 1.0;
    while (smallest(scale) < kLeastReadableTextPixels)
        scale *= 1.01;
    const QSize least = box * scale;
    refuse(QStringLiteral("--size %1x%2 would draw text %3 pixels high, too small to read: give at least %4x%5")
               .arg(box.width())
               .arg(box.height())
               .arg(QString::number(smallest(1.0), 'f', 1))
               .arg(least.width())
               .arg(least.height()));
}

bool isOperand(const QString &arg)
{
    return !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-") || LooksLikeNumber(arg);
}

} // namespace

void RefuseCommandLine(const QString &message)
{
    throw RenderUsageError(message.toStdString());
}

RenderOptions ParseRenderOptions(const QStringList &arguments)
{
    CommandLine line;
    bool optionsEnded = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (optionsEnded || isOperand(arg))
            line.operands << arg;
        else if (arg == QLatin1String("--"))
            optionsEnded = true;
        else
            applyOption(line, arguments, i);
    }
    if (line.options.help)
        return line.options;
    CheckOptionCombinations(line);
    if (IsFrequencySweepLine(line)) {
        readFrequencySweep(line);
        return line.options;
    }
    readPhysicalUnits(line);
    readLengthLists(line);
    checkCsvStep(line);
    readLength(line);
    checkRadius(line);
    readImpedance(line);
    readGround(line);
    checkImpedanceNec(line);
    checkPictureSize(line);
    // A wire of no length radiates nothing: its solid has no surface.
    if (line.options.solid.wanted() && line.options.length == 0.0L)
        refuse(QStringLiteral("--3d and --3d-view need a LENGTH other than 0: its pattern vanishes everywhere"));
    return line.options;
}
