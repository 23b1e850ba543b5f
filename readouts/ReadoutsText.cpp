#include "ReadoutsText.h"

#include "numbers/NumberText.h"

QString ReadoutsSummaryText(const PatternReadouts &r, const QString &lengthText)
{
    const QString head = QStringLiteral("М = %1: ").arg(lengthText);
    if (r.zeroPattern)
        return head + QStringLiteral("диаграмма нулевая, вибратор не излучает");
    const QString ohms = QStringLiteral(" Ом");
    const QString input = r.inputResistance ? FixedNumberText(*r.inputResistance, 1) + ohms
                                            : QStringLiteral("не определено (узел тока в точке питания)");
    const QString text = QStringLiteral("ширина ДН по половинной мощности %1°, КНД %2 (%3 дБи), Rизл %4 Ом, Rвх %5");
    return head
           + text.arg(FixedNumberText(*r.halfPowerWidthDeg, 1), FixedNumberText(*r.directivity, 2),
                      FixedNumberText(*r.directivityDbi, 2), FixedNumberText(r.radiationResistance, 1), input);
}

QString PointerReadoutText(double angleDeg, double F)
{
    return QStringLiteral("θ = %1°, F = %2").arg(GeneralNumberText(angleDeg), GeneralNumberText(F, 4));
}
