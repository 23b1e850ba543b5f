#include "ReadoutsText.h"

#include "numbers/NumberText.h"

#include <vector>

namespace {

// Angles per line of a list, so that the many nulls of a long dipole wrap
// into a narrow block instead of one wide line.
constexpr int kAnglesPerLine = 5;

// Widths to a tenth of a degree; directions to the hundredth the readouts
// find them to, which tells apart the close pairs of nulls of a length
// just short of a whole number of wavelengths.
QString degrees(double value, unsigned decimals = 1)
{
    return FixedNumberText(value, decimals) + QStringLiteral("°");
}

// "label: a; b; c", continued on indented lines of kAnglesPerLine angles.
// A semicolon parts the angles because a comma may be the decimal separator.
QStringList angleListLines(const QString &label, const std::vector<double> &anglesDeg)
{
    if (anglesDeg.empty())
        return {label + QStringLiteral("нет")};
    QStringList lines;
    QString line = label;
    for (size_t i = 0; i < anglesDeg.size(); ++i) {
        if (i > 0 && i % kAnglesPerLine == 0) {
            lines << line + QLatin1Char(';');
            line = QStringLiteral("    ");
        } else if (i > 0) {
            line += QStringLiteral("; ");
        }
        line += degrees(anglesDeg[i], 2);
    }
    return lines << line;
}

} // namespace

QStringList ReadoutsSummaryLines(const PatternReadouts &r, const QString &lengthText)
{
    QStringList lines{QStringLiteral("М = %1").arg(lengthText)};
    if (r.zeroPattern)
        return lines << QStringLiteral("Диаграмма нулевая:") << QStringLiteral("вибратор не излучает");
    const QString ohms = QStringLiteral(" Ом");
    lines << angleListLines(QStringLiteral("Максимум при θ = "), r.maxDirectionsDeg);
    lines << QStringLiteral("Ширина ДН по половинной мощности: %1")
                 .arg(r.halfPowerWidthDeg ? degrees(*r.halfPowerWidthDeg) : QStringLiteral("нет"));
    if (r.width07Deg)
        lines << QStringLiteral("Ширина ДН по уровню %1: %2").arg(GeneralNumberText(0.7L), degrees(*r.width07Deg));
    lines << QStringLiteral("Скобка на графике (%1): %2").arg(GeneralNumberText(0.7L), degrees(r.bracketDeg));
    if (r.directivity && r.directivityDbi)
        lines << QStringLiteral("КНД: %1 (%2 дБи)")
                     .arg(FixedNumberText(*r.directivity, 2), FixedNumberText(*r.directivityDbi, 2));
    lines << QStringLiteral("Rизл: %1").arg(FixedNumberText(r.radiationResistance, 1) + ohms);
    if (r.inputResistance)
        lines << QStringLiteral("Rвх: %1").arg(FixedNumberText(*r.inputResistance, 1) + ohms);
    else
        lines << QStringLiteral("Rвх: не определено") << QStringLiteral("(узел тока в точке питания)");
    lines << QStringLiteral("Боковые лепестки: %1")
                 .arg(r.sideLobeLevelDb ? FixedNumberText(*r.sideLobeLevelDb, 1) + QStringLiteral(" дБ")
                                        : QStringLiteral("нет"));
    if (r.rivalLobeDeg && r.rivalLobeLevelDb)
        lines << QStringLiteral("Соперничающий лепесток: θ = %1 (%2 дБ),")
                     .arg(degrees(*r.rivalLobeDeg, 2), FixedNumberText(*r.rivalLobeLevelDb, 2))
              << QStringLiteral("главный лепесток может перескочить");
    lines << angleListLines(QStringLiteral("Нули: "), r.nullsDeg);
    return lines;
}

QString ReadoutsSummaryText(const PatternReadouts &readouts, const QString &lengthText)
{
    return ReadoutsSummaryLines(readouts, lengthText).join(QLatin1Char('\n'));
}

QString PointerReadoutText(double angleDeg, double F)
{
    return QStringLiteral("θ = %1°, F = %2").arg(GeneralNumberText(angleDeg), GeneralNumberText(F, 4));
}
