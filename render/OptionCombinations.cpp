#include "OptionCombinations.h"

#include "FrequencyOptions.h"
#include "PhysicalArguments.h"

namespace {

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

// The wire's pictures, always labelled, take a size of their own.
bool wirePictureSized(const CommandLine &line)
{
    return line.given("--size") && !line.given("--sweep") && (line.given("--impedance") || line.given("--current"))
           && !anyGiven(line, {"--scale", "--range", "--fill", "--readouts"});
}

bool heightSweepWithOthers(const CommandLine &line)
{
    return line.given("--height-sweep")
           && anyGiven(line,
                       {"--report", "--json", "--style", "--scale", "--range", "--size", "--frequency", "--impedance"});
}

} // namespace

bool IsFrequencySweepLine(const CommandLine &line)
{
    return line.given("--impedance") && IsFrequencyRange(line.value("--impedance"));
}

namespace {

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
    {[](const CommandLine &l) {
         return l.given("--ground") && !l.given("--monopole") && !l.given("--height") && !l.given("--height-sweep");
     },
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
         return !IsFrequencySweepLine(l)
                && (l.given("--length") || l.given("--swr-limit") || l.given("--touchstone") || l.given("--measured")
                    || ((l.given("--diameter") || CarriesUnit(l.value("--radius"))) && !l.given("--frequency")));
     },
     "--length, --swr-limit, --touchstone and --measured go with --impedance FROM:TO in frequencies "
     "(13MHz:15MHz), --diameter and a --radius in metres with it or with --frequency"},
    {[](const CommandLine &l) { return IsFrequencySweepLine(l) && l.given("--frequency"); },
     "--frequency does not apply to a frequency sweep: its band is --impedance FROM:TO (13MHz:15MHz)"},
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
    {[](const CommandLine &l) { return IsFrequencySweepLine(l) && l.given("--json"); },
     "--json does not apply to a frequency sweep: its table is comma-separated values"},
    // The plain pictures are drawn to a fixed scale and size, without words.
    {[](const CommandLine &l) {
         return labelledOptionGiven(l) && !wirePictureSized(l) && l.options.style != RenderOptions::Style::Labelled
                && !l.options.ground && !l.options.solid.wanted();
     },
     "--scale, --range, --size, --fill and --readouts go with --style labelled (--size also with --impedance and "
     "--current)"},
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
    {[](const CommandLine &l) {
         return l.given("--impedance") && !IsFrequencySweepLine(l) && !l.given("--out")
                && (l.given("--format") || l.given("--size"));
     },
     "--format and --size apply to the picture of --impedance: add --out DIR to write it"},
    {[](const CommandLine &l) {
         return l.given("--ohms") && (!l.given("--impedance") || IsFrequencySweepLine(l) || !l.given("--out"));
     },
     "--ohms sets the axis of the picture of --impedance FROM:TO in wavelengths: give it with --out DIR"},
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

} // namespace

void CheckOptionCombinations(const CommandLine &line)
{
    for (const CombinationRule &rule : kCombinationRules) {
        if (rule.breaks(line))
            RefuseCommandLine(QString::fromUtf8(rule.message));
    }
}
