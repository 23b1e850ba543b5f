#include "RenderArguments.h"

#include "colors/StandardColors.h"
#include "physics/DipoleRules.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <locale>
#include <sstream>

QString LengthLimitText()
{
    return QString::number(static_cast<double>(kLengthLimit));
}

QString ShownArgument(const QString &argument)
{
    constexpr int kShownLength = 60;
    if (argument.size() <= kShownLength)
        return argument;
    // Never cut between the two halves of a character outside the basic plane.
    const int cut = argument.at(kShownLength - 1).isHighSurrogate() ? kShownLength - 1 : kShownLength;
    return argument.left(cut) + QStringLiteral("...");
}

bool LooksLikeNumber(const QString &text)
{
    // Anchored patterns: a plain "$" would also match before a final line break.
    // Possessive runs of digits never backtrack, so that a long argument
    // that is almost a number is refused at once, not in quadratic time.
    static const QRegularExpression number(
        QRegularExpression::anchoredPattern(QStringLiteral("[-+]?(?:\\d++(?:\\.\\d*+)?|\\.\\d++)(?:[eE][-+]?\\d++)?")));
    return number.match(text).hasMatch();
}

bool ParseRenderColour(const QString &text, TColor &colour)
{
    if (FindStandardColor(text, colour))
        return true;
    static const QRegularExpression hex(QRegularExpression::anchoredPattern(QStringLiteral("[0-9A-Fa-f]{6}")));
    if (!hex.match(text).hasMatch())
        return false;
    const uint rgb = text.toUInt(nullptr, 16);
    colour = RgbColor(int(rgb >> 16), int(rgb >> 8), int(rgb));
    return true;
}

bool ParseRenderLength(const QString &text, long double &length)
{
    if (!LooksLikeNumber(text))
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
                                       .arg(ShownArgument(entry))
                                       .toStdString());
        rows.push_back(row);
    }
    return rows;
}
