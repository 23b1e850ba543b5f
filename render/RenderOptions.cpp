#include "RenderOptions.h"

#include "FrequencyOptions.h"
#include "GroundOptions.h"
#include "OptionSetters.h"
#include "PhysicalArguments.h"

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
    throw RenderUsageError(message.toStdString());
}

// What a command line has given so far: the options it sets, the operands
// (LENGTH) and the names of the options seen, for the rules on combinations.
struct CommandLine
{
    RenderOptions options;
    QStringList operands;
    QStringList givenOptions;
    QHash<QString, QString> values; // each option's value as given

    bool given(const char *name) const { return givenOptions.contains(QLatin1String(name)); }
    QString value(const char *name) const { return values.value(QLatin1String(name)); }
};

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
    {"--family", nullptr, Takes::Value, Repeat::Refused,
     [](RenderOptions &o, const QString &text) { o.family = ParseRenderFamily(text); }},
    {"--sweep", nullptr, Takes::Value, Repeat::Refused,
     [](RenderOptions &o, const QString &text) { o.sweep = PlanSweep(text); }},
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

// A rule on the combination of options: the first rule that a command line
// breaks refuses it with its message. An option that would be silently
// ignored is refused rather than dropped.
struct CombinationRule
{
    bool (*breaks)(const CommandLine &line);
    const char *message;
};

bool colourOrFillOrFormatGiven(const CommandLine &line)
{
    return line.given("--colour") || line.given("--no-fill") || line.given("--format");
}

bool labelledOptionGiven(const CommandLine &line)
{
    return line.given("--scale") || line.given("--range") || line.given("--size") || line.given("--fill")
           || line.given("--readouts");
}

bool anyGiven(const CommandLine &line, std::initializer_list<const char *> options)
{
    for (const char *option : options) {
        if (line.given(option))
            return true;
    }
    return false;
}

// --impedance prints a table of its own and takes none of these.
bool impedanceWithOthers(const CommandLine &line)
{
    if (!line.given("--impedance"))
        return false;
    // A frequency sweep's summary is its report.
    if (IsFrequencyRange(line.value("--impedance")) && line.given("--report") && line.operands.isEmpty())
        return line.given("--family") || line.given("--sweep") || line.given("--csv") || line.given("--lobes")
               || line.given("--current");
    return anyGiven(line, {"--family", "--sweep", "--report", "--csv", "--lobes", "--current"})
           || !line.operands.isEmpty();
}

// The forms a wire over the ground does not take; --impedance only in
// wavelengths.
bool groundWithOthers(const CommandLine &line)
{
    if (!line.options.ground)
        return false;
    if (line.given("--impedance") && IsFrequencyRange(line.value("--impedance")))
        return true;
    return anyGiven(line, {"--family", "--sweep", "--csv", "--lobes", "--current", "--measured-pattern"});
}

bool realGround(const CommandLine &line)
{
    return line.options.ground && line.options.ground->soil;
}

// The solid is a form of its own: the files it names and nothing else.
bool solidWithOthers(const CommandLine &line)
{
    return line.options.solid.wanted()
           && anyGiven(line, {"--report",
                              "--json",
                              "--csv",
                              "--lobes",
                              "--family",
                              "--sweep",
                              "--impedance",
                              "--current",
                              "--nec",
                              "--out",
                              "--format",
                              "--style",
                              "--scale",
                              "--range",
                              "--fill",
                              "--no-fill",
                              "--colour",
                              "--readouts",
                              "--measured-pattern",
                              "--height-sweep"});
}

bool heightSweepWithOthers(const CommandLine &line)
{
    return line.given("--height-sweep")
           && anyGiven(line,
                       {"--report", "--json", "--style", "--scale", "--range", "--size", "--frequency", "--impedance"});
}

bool frequencySweep(const CommandLine &line)
{
    return line.given("--impedance") && IsFrequencyRange(line.value("--impedance"));
}

const CombinationRule kCombinationRules[] = {
    {[](const CommandLine &l) {
         return (l.given("--3d-resolution") || l.given("--3d-scale")) && !l.options.solid.wanted();
     },
     "--3d-resolution and --3d-scale go with --3d or --3d-view"},
    {[](const CommandLine &l) {
         return (l.given("--view-azimuth") || l.given("--view-elevation")) && !l.given("--3d-view");
     },
     "--view-azimuth and --view-elevation go with --3d-view"},
    {solidWithOthers, "--3d and --3d-view write the solid of one LENGTH: give them without --report, --json, --csv, "
                      "--lobes, --family, --sweep, --impedance, --current, --nec, --out, --format, --style, --scale, "
                      "--range, --fill, --no-fill, --colour, --readouts, --measured-pattern and --height-sweep"},
    {[](const CommandLine &l) { return l.options.solid.wanted() && l.given("--size") && !l.given("--3d-view"); },
     "--size goes with --3d-view (or with pictures of --style labelled)"},
    {[](const CommandLine &l) { return l.given("--monopole") && l.given("--ground"); },
     "--monopole stands on a perfect ground of its own: give it without --ground"},
    {[](const CommandLine &l) {
         return l.given("--monopole") && (l.given("--orientation") || l.given("--height") || l.given("--height-sweep"));
     },
     "--monopole is vertical and stands on the ground: give it without --orientation, --height and --height-sweep"},
    {[](const CommandLine &l) {
         return (l.given("--height") || l.given("--orientation") || l.given("--height-sweep")) && !l.given("--ground");
     },
     "--height, --height-sweep and --orientation go with --ground perfect"},
    {[](const CommandLine &l) { return l.given("--height") && l.given("--height-sweep"); },
     "give --height or --height-sweep, not both"},
    {[](const CommandLine &l) { return l.given("--ground") && !l.given("--height") && !l.given("--height-sweep"); },
     "--ground perfect needs --height H, the centre's height in wavelengths (or --height-sweep FROM:TO)"},
    {groundWithOthers, "--ground and --monopole take one LENGTH (or --impedance FROM:TO in wavelengths with "
                       "--ground), not --family, --sweep, --csv, --lobes, --current or --measured-pattern"},
    {[](const CommandLine &l) { return (l.given("--permittivity") || l.given("--conductivity")) && !realGround(l); },
     "--permittivity and --conductivity go with --ground real"},
    {[](const CommandLine &l) { return realGround(l) && !l.given("--nec"); },
     "--ground real needs --nec: the closed form knows only the perfect ground (or give --ground perfect)"},
    {[](const CommandLine &l) { return realGround(l) && !l.given("--frequency"); },
     "--ground real needs --frequency F: the soil's conductivity acts at the real frequency"},
    {[](const CommandLine &l) { return realGround(l) && !(l.given("--permittivity") && l.given("--conductivity")); },
     "--ground real needs --permittivity E and --conductivity S (S/m), the soil's figures"},
    {[](const CommandLine &l) {
         return l.options.ground && l.given("--nec") && (l.given("--impedance") || l.given("--height-sweep"));
     },
     "--nec over the ground takes one LENGTH and one --height, not --impedance or --height-sweep"},
    {[](const CommandLine &l) { return l.given("--monopole") && l.given("--impedance"); },
     "--monopole takes one LENGTH, not --impedance"},
    {heightSweepWithOthers, "--height-sweep prints a table of its own: give it without --report, --json, --style, "
                            "--scale, --range, --size, --frequency and --impedance"},
    {[](const CommandLine &l) { return l.given("--height-sweep") && !l.given("--radius"); },
     "--height-sweep needs --radius A, the wire's radius in wavelengths"},
    {[](const CommandLine &l) { return l.given("--height-sweep") && l.given("--format") && !l.given("--out"); },
     "--format applies to the picture of --height-sweep: add --out DIR to write it"},
    // The ground's pictures are always labelled, each cut in its own colour.
    {[](const CommandLine &l) {
         return l.options.ground && l.given("--style") && l.options.style != RenderOptions::Style::Labelled;
     },
     "--ground and --monopole draw labelled pictures: give --style labelled or no --style"},
    {[](const CommandLine &l) {
         return l.options.ground
                && (l.given("--colour") || l.given("--no-fill") || l.given("--fill") || l.given("--readouts"));
     },
     "--colour, --no-fill, --fill and --readouts do not apply to the pictures of --ground and --monopole"},
    {[](const CommandLine &l) {
         return !frequencySweep(l)
                && (l.given("--length") || l.given("--swr-limit") || l.given("--touchstone") || l.given("--measured")
                    || ((l.given("--diameter") || CarriesUnit(l.value("--radius"))) && !l.given("--frequency")));
     },
     "--length, --swr-limit, --touchstone and --measured go with --impedance FROM:TO in frequencies "
     "(13MHz:15MHz), --diameter and a --radius in metres with it or with --frequency"},
    {[](const CommandLine &l) {
         return l.given("--frequency") && (l.given("--impedance") || l.given("--family") || l.given("--sweep"));
     },
     "--frequency takes one LENGTH in metres, not --impedance, --family or --sweep (a frequency sweep's band is "
     "--impedance FROM:TO in Hz)"},
    {[](const CommandLine &l) { return l.given("--diameter") && l.given("--radius"); },
     "give --diameter or --radius, not both"},
    {[](const CommandLine &l) {
         return l.given("--diameter") && !l.given("--impedance") && !l.given("--report") && !l.given("--nec");
     },
     "--diameter goes with --report, --impedance or --nec"},
    {[](const CommandLine &l) { return l.given("--measured-scale") && !l.given("--measured-pattern"); },
     "--measured-scale goes with --measured-pattern"},
    {[](const CommandLine &l) {
         return l.given("--measured-pattern")
                && (l.given("--family") || l.given("--sweep") || l.given("--impedance") || l.given("--current")
                    || (!l.given("--report") && l.options.style != RenderOptions::Style::Labelled));
     },
     "--measured-pattern goes with --report or --style labelled of one LENGTH"},
    {[](const CommandLine &l) { return frequencySweep(l) && l.given("--json"); },
     "--json does not apply to a frequency sweep: its table is comma-separated values"},
    // The plain pictures are drawn to a fixed scale and size, without words.
    {[](const CommandLine &l) {
         return labelledOptionGiven(l) && l.options.style != RenderOptions::Style::Labelled && !l.options.ground
                && !l.options.solid.wanted();
     },
     "--scale, --range, --size, --fill and --readouts go with --style labelled"},
    {[](const CommandLine &l) { return l.given("--range") && l.options.scale != LabelledScale::Decibel; },
     "--range goes with --scale db"},
    {[](const CommandLine &l) { return l.given("--fill") && l.given("--no-fill"); }, "give either --fill or --no-fill"},
    {[](const CommandLine &l) { return l.given("--json") && !l.given("--report") && !l.given("--lobes"); },
     "--json goes with --report or --lobes"},
    {[](const CommandLine &l) {
         return l.given("--step") && !l.given("--csv") && !l.given("--impedance") && !l.given("--height-sweep");
     },
     "--step goes with --csv or --impedance"},
    {impedanceWithOthers, "--impedance prints a table of its own: give it without LENGTH, --family, --sweep, "
                          "--report, --csv, --lobes and --current"},
    {[](const CommandLine &l) { return l.given("--impedance") && (l.given("--colour") || l.given("--no-fill")); },
     "--colour and --no-fill do not apply to --impedance"},
    {[](const CommandLine &l) { return l.given("--z0") && !l.given("--impedance"); }, "--z0 goes with --impedance"},
    // --impedance has a radius of its own by default.
    {[](const CommandLine &l) {
         return l.given("--nec") && !l.given("--radius") && !l.given("--diameter") && !l.given("--impedance");
     },
     "--nec needs --radius A, the wire's radius in wavelengths"},
    {[](const CommandLine &l) {
         return l.given("--nec") && !l.given("--report") && !l.given("--current") && !l.given("--impedance")
                && l.options.style != RenderOptions::Style::Labelled && !l.options.ground;
     },
     "--nec goes with --report, --current, --impedance or --style labelled"},
    {[](const CommandLine &l) { return l.given("--nec") && l.given("--family"); },
     "--nec takes one LENGTH, not --family"},
    {[](const CommandLine &l) {
         return l.given("--radius") && !l.given("--report") && !l.given("--impedance") && !l.given("--nec")
                && !l.given("--height-sweep");
     },
     "--radius goes with --report, --impedance or --nec"},
    {[](const CommandLine &l) { return l.options.wantsReadouts() && (l.given("--family") || l.given("--sweep")); },
     "--report, --csv and --lobes take one LENGTH, not --family or --sweep"},
    {[](const CommandLine &l) {
         return (l.options.report || l.options.lobes) && l.options.csvFile == QLatin1String("-");
     },
     "--report or --lobes and --csv - would all write to standard output: give --csv a file"},
    {[](const CommandLine &l) { return l.given("--current") && l.given("--family"); },
     "--current draws one LENGTH or a --sweep, not --family"},
    {[](const CommandLine &l) { return l.given("--nec") && l.given("--sweep"); },
     "--nec takes one LENGTH, not --sweep"},
    // The wire's pictures are always labelled; a style would be ignored.
    {[](const CommandLine &l) {
         return l.given("--style") && (l.given("--impedance") || (l.given("--current") && !l.given("--sweep")));
     },
     "--style applies to the pattern's pictures, not to --impedance or --current"},
    {[](const CommandLine &l) { return l.given("--current") && l.options.wantsReadouts() && !l.given("--out"); },
     "--current writes a picture: add --out DIR to write it beside the numbers"},
    // Picture options go with the readouts only when pictures are written too;
    // a format with no pictures to write is as useless as a colour.
    {[](const CommandLine &l) {
         return l.options.wantsReadouts() && !l.given("--out") && colourOrFillOrFormatGiven(l);
     },
     "--colour, --no-fill and --format apply to pictures: add --out DIR to write them too"},
    {[](const CommandLine &l) { return l.options.wantsReadouts() && !l.given("--out") && l.given("--style"); },
     "--style applies to pictures: add --out DIR to write them too"},
    {[](const CommandLine &l) { return l.given("--sweep") && (!l.operands.isEmpty() || l.given("--family")); },
     "give one of LENGTH, --family and --sweep"},
    {[](const CommandLine &l) { return l.given("--family") && !l.operands.isEmpty(); },
     "give either LENGTH or --family, not both"},
    // Each family row names its own colour.
    {[](const CommandLine &l) { return l.given("--family") && l.given("--colour"); },
     "--colour does not apply to --family: give each row its colour (LENGTH:COLOUR)"},
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

void checkCombinations(const CommandLine &line)
{
    for (const CombinationRule &rule : kCombinationRules) {
        if (rule.breaks(line))
            refuse(QString::fromUtf8(rule.message));
    }
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
    if (line.given("--step") && line.given("--csv") && !(step >= 0.001L && step <= 360))
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

// --frequency with a LENGTH in metres and a radius or diameter in metres:
// each turned into wavelengths at that frequency, for the forms of one
// LENGTH. A unit on one and none on the other is refused, naming both.
void readPhysicalUnits(CommandLine &line)
{
    const QString length = line.operands.isEmpty() ? QString() : line.operands.first();
    const bool lengthInMetres = CarriesUnit(length);
    const QString radiusOption = line.given("--diameter") ? QStringLiteral("--diameter") : QStringLiteral("--radius");
    const QString radius = line.values.value(radiusOption);
    const bool radiusInMetres = CarriesUnit(radius);
    if (!line.given("--frequency")) {
        if (lengthInMetres)
            refuse(QStringLiteral("LENGTH \"%1\" has a unit: give --frequency F too (14MHz), or the length in "
                                  "wavelengths")
                       .arg(ShownArgument(length)));
        return;
    }
    if (!lengthInMetres && !radiusInMetres)
        refuse(QStringLiteral("--frequency goes with a LENGTH in metres (10.3m) and a %1 in metres").arg(radiusOption));
    if (!length.isEmpty() && !radius.isEmpty() && lengthInMetres != radiusInMetres)
        refuse(QStringLiteral("LENGTH \"%1\" %2 and %3 \"%4\" %5: give both in metres (10.3m, 1mm) or "
                              "both in wavelengths")
                   .arg(ShownArgument(length),
                        lengthInMetres ? QStringLiteral("has a unit") : QStringLiteral("has none"), radiusOption,
                        ShownArgument(radius),
                        radiusInMetres ? QStringLiteral("has one") : QStringLiteral("has none")));
    if (!length.isEmpty() && !lengthInMetres)
        refuse(QStringLiteral("LENGTH \"%1\" needs a unit with --frequency: m, cm or mm").arg(ShownArgument(length)));
    const double frequency =
        ReadQuantity(line.value("--frequency"), UnitDimension::Frequency, QStringLiteral("--frequency"));
    RenderOptions &o = line.options;
    o.frequency = frequency;
    if (lengthInMetres) {
        const double M =
            InWavelengths(ReadQuantity(length, UnitDimension::Length, QStringLiteral("LENGTH")), frequency);
        line.operands.first() = QString::number(M, 'g', 17);
    }
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

bool isOperand(const QString &arg)
{
    return !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-") || LooksLikeNumber(arg);
}

} // namespace

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
    checkCombinations(line);
    if (frequencySweep(line)) {
        readFrequencySweep(line);
        return line.options;
    }
    readPhysicalUnits(line);
    checkCsvStep(line);
    readLength(line);
    checkRadius(line);
    readImpedance(line);
    readGround(line);
    checkImpedanceNec(line);
    // A wire of no length radiates nothing: its solid has no surface.
    if (line.options.solid.wanted() && line.options.length == 0.0L)
        refuse(QStringLiteral("--3d and --3d-view need a LENGTH other than 0: its pattern vanishes everywhere"));
    return line.options;
}
