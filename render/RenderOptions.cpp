#include "RenderOptions.h"

#include <QRegularExpression>

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

    bool given(const char *name) const { return givenOptions.contains(QLatin1String(name)); }
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

void setColour(RenderOptions &options, const QString &text)
{
    if (!ParseRenderColour(text, options.colour))
        refuse(QStringLiteral("unknown colour \"%1\": use a colour name such as Navy or RRGGBB in hex")
                   .arg(ShownArgument(text)));
}

void setOutDirectory(RenderOptions &options, const QString &text)
{
    if (text.isEmpty())
        refuse(QStringLiteral("option --out needs a directory"));
    options.outDirectory = text;
}

void setFormat(RenderOptions &options, const QString &text)
{
    if (!ParsePictureFormat(text, options.format))
        refuse(QStringLiteral("unknown format \"%1\": use bmp, png, svg or pdf").arg(ShownArgument(text)));
}

void setCsvFile(RenderOptions &options, const QString &text)
{
    if (text.isEmpty())
        refuse(QStringLiteral("option --csv needs a file name or -"));
    options.csvFile = text;
}

void setCsvStep(RenderOptions &options, const QString &text)
{
    if (!ParseRenderLength(text, options.csvStep) || !(options.csvStep >= 0.001L && options.csvStep <= 360))
        refuse(QStringLiteral("--step \"%1\" is not a number of degrees from 0.001 to 360").arg(ShownArgument(text)));
}

void setStyle(RenderOptions &options, const QString &text)
{
    if (text.compare(QLatin1String("plain"), Qt::CaseInsensitive) == 0)
        options.style = RenderOptions::Style::Plain;
    else if (text.compare(QLatin1String("labelled"), Qt::CaseInsensitive) == 0)
        options.style = RenderOptions::Style::Labelled;
    else
        refuse(QStringLiteral("unknown style \"%1\": use plain or labelled").arg(ShownArgument(text)));
}

void setScale(RenderOptions &options, const QString &text)
{
    if (text.compare(QLatin1String("linear"), Qt::CaseInsensitive) == 0)
        options.scale = LabelledScale::Linear;
    else if (text.compare(QLatin1String("db"), Qt::CaseInsensitive) == 0)
        options.scale = LabelledScale::Decibel;
    else
        refuse(QStringLiteral("unknown scale \"%1\": use linear or db").arg(ShownArgument(text)));
}

constexpr double kMinRangeDb = 10.0;
constexpr double kMaxRangeDb = 120.0;

void setRange(RenderOptions &options, const QString &text)
{
    long double range = 0.0L;
    if (!ParseRenderLength(text, range) || !(range >= kMinRangeDb && range <= kMaxRangeDb))
        refuse(QStringLiteral("--range \"%1\" is not a number of decibels from %2 to %3")
                   .arg(ShownArgument(text))
                   .arg(kMinRangeDb)
                   .arg(kMaxRangeDb));
    options.rangeDb = static_cast<double>(range);
}

constexpr int kMinSide = 200;
constexpr int kMaxSide = 8000;
constexpr qint64 kMaxPixels = 40'000'000; // two such pictures stay within a few hundred megabytes

void setSize(RenderOptions &options, const QString &text)
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

const OptionRow kOptionTable[] = {
    {"--help", "-h", Takes::Nothing, Repeat::Refused, [](RenderOptions &o, const QString &) { o.help = true; }},
    {"--no-fill", nullptr, Takes::Nothing, Repeat::Refused, [](RenderOptions &o, const QString &) { o.fill = false; }},
    {"--colour", "--color", Takes::Value, Repeat::Refused, setColour},
    {"--out", nullptr, Takes::Value, Repeat::Refused, setOutDirectory},
    {"--format", nullptr, Takes::Value, Repeat::Refused, setFormat},
    {"--family", nullptr, Takes::Value, Repeat::Refused,
     [](RenderOptions &o, const QString &text) { o.family = ParseRenderFamily(text); }},
    {"--sweep", nullptr, Takes::Value, Repeat::Refused,
     [](RenderOptions &o, const QString &text) { o.sweep = PlanSweep(text); }},
    {"--report", nullptr, Takes::Nothing, Repeat::Refused, [](RenderOptions &o, const QString &) { o.report = true; }},
    {"--json", nullptr, Takes::Nothing, Repeat::Refused, [](RenderOptions &o, const QString &) { o.json = true; }},
    {"--csv", nullptr, Takes::Value, Repeat::Refused, setCsvFile},
    {"--step", nullptr, Takes::Value, Repeat::Refused, setCsvStep},
    {"--style", nullptr, Takes::Value, Repeat::Refused, setStyle},
    {"--scale", nullptr, Takes::Value, Repeat::Refused, setScale},
    {"--range", nullptr, Takes::Value, Repeat::Refused, setRange},
    {"--size", nullptr, Takes::Value, Repeat::Refused, setSize},
    {"--fill", nullptr, Takes::Nothing, Repeat::Refused,
     [](RenderOptions &o, const QString &) { o.fillFamily = true; }},
    {"--readouts", nullptr, Takes::Nothing, Repeat::Refused,
     [](RenderOptions &o, const QString &) { o.readoutsLine = true; }},
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

const CombinationRule kCombinationRules[] = {
    // The plain pictures are drawn to a fixed scale and size, without words.
    {[](const CommandLine &l) { return labelledOptionGiven(l) && l.options.style != RenderOptions::Style::Labelled; },
     "--scale, --range, --size, --fill and --readouts go with --style labelled"},
    {[](const CommandLine &l) { return l.given("--range") && l.options.scale != LabelledScale::Decibel; },
     "--range goes with --scale db"},
    {[](const CommandLine &l) { return l.given("--fill") && l.given("--no-fill"); }, "give either --fill or --no-fill"},
    {[](const CommandLine &l) { return l.given("--json") && !l.given("--report"); }, "--json goes with --report"},
    {[](const CommandLine &l) { return l.given("--step") && !l.given("--csv"); }, "--step goes with --csv"},
    {[](const CommandLine &l) { return l.options.wantsReadouts() && (l.given("--family") || l.given("--sweep")); },
     "--report and --csv take one LENGTH, not --family or --sweep"},
    {[](const CommandLine &l) { return l.options.report && l.options.csvFile == QLatin1String("-"); },
     "--report and --csv - would both write to standard output: give --csv a file"},
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
    row->apply(line.options, value);
}

void checkCombinations(const CommandLine &line)
{
    for (const CombinationRule &rule : kCombinationRules) {
        if (rule.breaks(line))
            refuse(QString::fromUtf8(rule.message));
    }
}

// The one LENGTH, unless a family or a sweep gives the lengths.
void readLength(CommandLine &line)
{
    if (line.given("--family") || line.given("--sweep"))
        return;
    if (line.operands.isEmpty())
        refuse(QStringLiteral("missing LENGTH (see --help)"));
    if (line.operands.size() > 1)
        refuse(QStringLiteral("unexpected argument \"%1\": give one LENGTH").arg(ShownArgument(line.operands.at(1))));
    if (!ParseRenderLength(line.operands.first(), line.options.length))
        refuse(QStringLiteral("LENGTH \"%1\" is not a number (use a dot as decimal separator)")
                   .arg(ShownArgument(line.operands.first())));
}

bool isOperand(const QString &arg)
{
    return !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-") || LooksLikeNumber(arg);
}

} // namespace

QString RenderUsage()
{
    return QStringLiteral("Usage: dipole-render [--format F] [--no-fill] [--colour COLOUR] [--out DIR] LENGTH\n"
                          "       dipole-render [--format F] [--no-fill] [--out DIR] --family LENGTH:COLOUR[,...]\n"
                          "       dipole-render [--format F] [--no-fill] [--colour COLOUR] [--out DIR]\n"
                          "                     --sweep FROM:TO:STEP\n"
                          "       dipole-render --report [--json] LENGTH\n"
                          "       dipole-render --csv FILE|- [--step DEGREES] LENGTH\n"
                          "Each picture form also takes --style labelled [--scale linear|db [--range DB]]\n"
                          "[--size WxH] [--fill] [--readouts].\n"
                          "Draws the polar and the rectangular pattern of a dipole LENGTH wavelengths long\n"
                          "and writes them as dn1.bmp and dn2.bmp.\n"
                          "\n"
                          "  LENGTH           relative length below 30, with a dot as decimal separator;\n"
                          "                   may be negative (-0.5 or -- -0.5)\n"
                          "  --no-fill        join the polar samples into one line instead of spokes\n"
                          "  --colour COLOUR  curve colour: Black, Maroon, Green, Olive, Navy, Purple, Teal,\n"
                          "                   Gray, Silver, Red, Lime, Yellow, Blue, Fuchsia, Aqua, White\n"
                          "                   (any letter case) or RRGGBB in hex; default Navy\n"
                          "  --out DIR        directory for the files; default the current directory\n"
                          "  --family LIST    draw a family of up to seven rows LENGTH:COLOUR, separated\n"
                          "                   by commas, each labelled M= and its length; lengths of 0 or\n"
                          "                   less and of 30 or more are skipped, as the window does\n"
                          "  --format F       file type: bmp (default), png (the same pixels), svg or pdf\n"
                          "                   (scalable drawings of the same lines and text)\n"
                          "  --sweep FROM:TO:STEP\n"
                          "                   draw every length from FROM to TO in steps of STEP, counted\n"
                          "                   in decimal, as dn1-0001.EXT, dn2-0001.EXT, ... and list them\n"
                          "                   in sweep.csv; at most 10000 frames, all below 30\n"
                          "  --report         print the beam width, directivity, resistances, side-lobe\n"
                          "                   level and nulls of LENGTH\n"
                          "  --json           with --report: print them as one JSON object\n"
                          "  --csv FILE       write the pattern as a table theta_deg,F,F_norm,dB from 0 to\n"
                          "                   360 degrees to FILE (- for standard output)\n"
                          "  --step DEGREES   with --csv: degrees between rows, 0.001 to 360; default 0.5\n"
                          "                   --report and --csv write no pictures unless --out DIR is\n"
                          "                   given, and refuse lengths of 30 or more in either sign\n"
                          "  --style STYLE    plain (default): the window's pictures; labelled: pictures\n"
                          "                   for handouts, each curve scaled to fill its plot, with a\n"
                          "                   title, grid, angle and scale labels, in Russian with the\n"
                          "                   decimal comma under a Russian locale\n"
                          "  --scale SCALE    with --style labelled: linear (default) or db\n"
                          "  --range DB       with --scale db: decibels below the maximum shown, 10 to\n"
                          "                   120; default 40\n"
                          "  --size WxH       with --style labelled: the pictures' size in pixels (in\n"
                          "                   points for svg and pdf); default 800x800 for the polar\n"
                          "                   and 960x600 for the rectangular picture\n"
                          "  --fill           with --style labelled: fill a family's curves too (a\n"
                          "                   single length is filled unless --no-fill)\n"
                          "  --readouts       with --style labelled: directivity, half-power width and\n"
                          "                   input resistance under the title, or in a family's legend\n"
                          "  --help           show this text\n"
                          "\n"
                          "Exit status: 0 when everything asked for is written, 1 when a file cannot be\n"
                          "written, 2 for a command line that cannot be run or a LENGTH of 30 or more.\n");
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
    checkCombinations(line);
    readLength(line);
    return line.options;
}
