#include "ReadoutsText.h"

#include "numbers/NumberText.h"

#include <QCoreApplication>

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
        return {label + QCoreApplication::translate("Readouts", "нет")};
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
    QStringList lines{QCoreApplication::translate("Readouts", "М = %1").arg(lengthText)};
    if (r.zeroPattern)
        return lines << QCoreApplication::translate("Readouts", "Диаграмма нулевая:")
                     << QCoreApplication::translate("Readouts", "вибратор не излучает");
    const QString ohms = QCoreApplication::translate("Readouts", " Ом");
    lines << angleListLines(QCoreApplication::translate("Readouts", "Максимум при θ = "), r.maxDirectionsDeg);
    lines << QCoreApplication::translate("Readouts", "Ширина ДН по половинной мощности: %1")
                 .arg(r.halfPowerWidthDeg ? degrees(*r.halfPowerWidthDeg)
                                          : QCoreApplication::translate("Readouts", "нет"));
    if (r.width07Deg)
        lines << QCoreApplication::translate("Readouts", "Ширина ДН по уровню %1: %2")
                     .arg(GeneralNumberText(0.7L), degrees(*r.width07Deg));
    lines << QCoreApplication::translate("Readouts", "Скобка на графике (%1): %2")
                 .arg(GeneralNumberText(0.7L), degrees(r.bracketDeg));
    if (r.directivity && r.directivityDbi)
        lines << QCoreApplication::translate("Readouts", "КНД: %1 (%2 дБи)")
                     .arg(FixedNumberText(*r.directivity, 2), FixedNumberText(*r.directivityDbi, 2));
    lines << QCoreApplication::translate("Readouts", "Rизл: %1").arg(FixedNumberText(r.radiationResistance, 1) + ohms);
    if (r.inputResistance)
        lines << QCoreApplication::translate("Readouts", "Rвх: %1").arg(FixedNumberText(*r.inputResistance, 1) + ohms);
    else
        lines << QCoreApplication::translate("Readouts", "Rвх: не определено")
              << QCoreApplication::translate("Readouts", "(узел тока в точке питания)");
    lines << QCoreApplication::translate("Readouts", "Боковые лепестки: %1")
                 .arg(r.sideLobeLevelDb
                          ? FixedNumberText(*r.sideLobeLevelDb, 1) + QCoreApplication::translate("Readouts", " дБ")
                          : QCoreApplication::translate("Readouts", "нет"));
    if (r.rivalLobeDeg && r.rivalLobeLevelDb)
        lines << QCoreApplication::translate("Readouts", "Соперничающий лепесток: θ = %1 (%2 дБ),")
                     .arg(degrees(*r.rivalLobeDeg, 2), FixedNumberText(*r.rivalLobeLevelDb, 2))
              << QCoreApplication::translate("Readouts", "главный лепесток может перескочить");
    lines << angleListLines(QCoreApplication::translate("Readouts", "Нули: "), r.nullsDeg);
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
