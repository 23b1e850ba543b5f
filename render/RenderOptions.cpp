#include "RenderOptions.h"

#include <QRegularExpression>

#include <cmath>
#include <locale>
#include <sstream>

namespace {

struct NamedColour
{
    const char *name;
    TColor value;
};

const NamedColour kColourNames[] = {
    {"Black", clBlack},   {"Maroon", clMaroon},   {"Green", clGreen}, {"Olive", clOlive},
    {"Navy", clNavy},     {"Purple", clPurple},   {"Teal", clTeal},   {"Gray", clGray},
    {"Silver", clSilver}, {"Red", clRed},         {"Lime", clLime},   {"Yellow", clYellow},
    {"Blue", clBlue},     {"Fuchsia", clFuchsia}, {"Aqua", clAqua},   {"White", clWhite},
};

bool looksLikeNumber(const QString &arg)
{
    // Anchored patterns: a plain "$" would also match before a final line break.
    static const QRegularExpression number(
        QRegularExpression::anchoredPattern(QStringLiteral("[-+]?(\\d+\\.?\\d*|\\.\\d+)([eE][-+]?\\d+)?")));
    return number.match(arg).hasMatch();
}

// An argument as echoed in a message: a long one is cut to a readable length.
QString shown(const QString &arg)
{
    constexpr int kShownLength = 60;
    return arg.size() <= kShownLength ? arg : arg.left(kShownLength) + QStringLiteral("...");
}

QString optionValue(const QStringList &arguments, int &i, const QString &option)
{
    if (i + 1 >= arguments.size())
        throw RenderUsageError(QStringLiteral("option %1 needs a value").arg(option).toStdString());
    return arguments.at(++i);
}

// The readout options need one length, and the picture options need
// pictures: an option that would be silently ignored is refused.
void checkReadoutOptions(const RenderOptions &options, bool colourGiven, bool stepGiven)
{
    if (options.json && !options.report)
        throw RenderUsageError("--json goes with --report");
    if (stepGiven && options.csvFile.isEmpty())
        throw RenderUsageError("--step goes with --csv");
    if (!options.wantsReadouts())
        return;
    if (!options.family.empty() || !options.sweep.empty())
        throw RenderUsageError("--report and --csv take one LENGTH, not --family or --sweep");
    if (options.report && options.csvFile == QLatin1String("-"))
        throw RenderUsageError("--report and --csv - would both write to standard output: give --csv a file");
    if ((colourGiven || !options.fill || options.format != PictureFormat::Bmp) && options.outDirectory.isEmpty())
        throw RenderUsageError("--colour, --no-fill and --format apply to pictures: add --out DIR to write them too");
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
                          "  --help           show this text\n"
                          "\n"
                          "Exit status: 0 when everything asked for is written, 1 when a file cannot be\n"
                          "written, 2 for a command line that cannot be run or a LENGTH of 30 or more.\n");
}

bool ParseRenderColour(const QString &text, TColor &colour)
{
    for (const NamedColour &named : kColourNames) {
        if (text.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0) {
            colour = named.value;
            return true;
        }
    }
    static const QRegularExpression hex(QRegularExpression::anchoredPattern(QStringLiteral("[0-9A-Fa-f]{6}")));
    if (!hex.match(text).hasMatch())
        return false;
    const uint rgb = text.toUInt(nullptr, 16);
    colour = rgbColor(int(rgb >> 16), int(rgb >> 8), int(rgb));
    return true;
}

bool ParseRenderLength(const QString &text, long double &length)
{
    if (!looksLikeNumber(text))
        return false;
    // The classic locale keeps the dot whatever the user's locale says.
    std::istringstream in(text.toStdString());
    in.imbue(std::locale::classic());
    long double value = 0.0L;
    in >> value;
    if (in.fail() || !std::isfinite(value))
        return false;
    length = value;
    return true;
}

std::vector<RenderFamilyRow> ParseRenderFamily(const QString &text)
{
    std::vector<RenderFamilyRow> rows;
    const QStringList entries = text.split(QLatin1Char(','));
    if (entries.size() > kMaxFamilyRows)
        throw RenderUsageError(QStringLiteral("--family takes at most %1 rows").arg(kMaxFamilyRows).toStdString());
    for (const QString &entry : entries) {
        const int colon = entry.lastIndexOf(QLatin1Char(':'));
        RenderFamilyRow row;
        if (colon <= 0 || !ParseRenderLength(entry.left(colon), row.length)
            || !ParseRenderColour(entry.mid(colon + 1), row.colour))
            throw RenderUsageError(QStringLiteral("family row \"%1\" is not LENGTH:COLOUR (for example 0.5:Navy)")
                                       .arg(shown(entry))
                                       .toStdString());
        rows.push_back(row);
    }
    return rows;
}

RenderOptions ParseRenderOptions(const QStringList &arguments)
{
    RenderOptions options;
    QStringList positional;
    bool optionsEnded = false;
    bool colourGiven = false;
    QString stepText;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-") || looksLikeNumber(arg)) {
            positional << arg;
            continue;
        }
        QString name = arg;
        QString inlineValue;
        bool hasInlineValue = false;
        const int eq = arg.indexOf(QLatin1Char('='));
        if (arg.startsWith(QLatin1String("--")) && eq > 0) {
            name = arg.left(eq);
            inlineValue = arg.mid(eq + 1);
            hasInlineValue = true;
        }
        const auto value = [&]() { return hasInlineValue ? inlineValue : optionValue(arguments, i, name); };
        if (name == QLatin1String("--")) {
            optionsEnded = true;
        } else if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
            options.help = true;
        } else if (name == QLatin1String("--no-fill") && !hasInlineValue) {
            options.fill = false;
        } else if (name == QLatin1String("--colour") || name == QLatin1String("--color")) {
            const QString text = value();
            colourGiven = true;
            if (!ParseRenderColour(text, options.colour))
                throw RenderUsageError(
                    QStringLiteral("unknown colour \"%1\": use a colour name such as Navy or RRGGBB in hex")
                        .arg(shown(text))
                        .toStdString());
        } else if (name == QLatin1String("--family")) {
            // A second list would silently replace the first.
            if (!options.family.empty())
                throw RenderUsageError("--family given twice: give all rows in one list");
            options.family = ParseRenderFamily(value());
        } else if (name == QLatin1String("--report") && !hasInlineValue) {
            options.report = true;
        } else if (name == QLatin1String("--json") && !hasInlineValue) {
            options.json = true;
        } else if (name == QLatin1String("--csv")) {
            options.csvFile = value();
            if (options.csvFile.isEmpty())
                throw RenderUsageError("option --csv needs a file name or -");
        } else if (name == QLatin1String("--step")) {
            stepText = value();
            if (!ParseRenderLength(stepText, options.csvStep) || !(options.csvStep >= 0.001L && options.csvStep <= 360))
                throw RenderUsageError(QStringLiteral("--step \"%1\" is not a number of degrees from 0.001 to 360")
                                           .arg(stepText)
                                           .toStdString());
        } else if (name == QLatin1String("--format")) {
            const QString text = value();
            if (!ParsePictureFormat(text, options.format))
                throw RenderUsageError(
                    QStringLiteral("unknown format \"%1\": use bmp, png, svg or pdf").arg(text).toStdString());
        } else if (name == QLatin1String("--sweep")) {
            options.sweep = PlanSweep(value());
        } else if (name == QLatin1String("--out")) {
            options.outDirectory = value();
            if (options.outDirectory.isEmpty())
                throw RenderUsageError("option --out needs a directory");
        } else {
            throw RenderUsageError(QStringLiteral("unknown option %1 (see --help)").arg(shown(arg)).toStdString());
        }
    }
    if (options.help)
        return options;
    checkReadoutOptions(options, colourGiven, !stepText.isEmpty());
    if (!options.sweep.empty()) {
        if (!positional.isEmpty() || !options.family.empty())
            throw RenderUsageError("give one of LENGTH, --family and --sweep");
        return options;
    }
    if (!options.family.empty()) {
        if (!positional.isEmpty())
            throw RenderUsageError("give either LENGTH or --family, not both");
        // Each family row names its own colour; a lone --colour would be
        // silently ignored, so it is refused instead.
        if (colourGiven)
            throw RenderUsageError("--colour does not apply to --family: give each row its colour (LENGTH:COLOUR)");
        return options;
    }
    if (positional.isEmpty())
        throw RenderUsageError("missing LENGTH (see --help)");
    if (positional.size() > 1)
        throw RenderUsageError(
            QStringLiteral("unexpected argument \"%1\": give one LENGTH").arg(shown(positional.at(1))).toStdString());
    if (!ParseRenderLength(positional.first(), options.length))
        throw RenderUsageError(QStringLiteral("LENGTH \"%1\" is not a number (use a dot as decimal separator)")
                                   .arg(shown(positional.first()))
                                   .toStdString());
    return options;
}
