#include "ModelLimitsReport.h"

#include "ReportText.h"

#include "physics/DipoleRules.h"

#include <QString>

#include <cmath>

namespace {

QByteArray line(const char *name, const QString &value)
{
    return (ReportLine(name, value) + QLatin1Char('\n')).toUtf8();
}

QString radiusText(double radius)
{
    return ReportNumber(QString::fromLatin1(ExactText(radius)));
}

} // namespace

ModelLimits FindModelLimits(double M, const std::optional<WireReadouts> &wire)
{
    ModelLimits limits;
    limits.wire = wire.has_value();
    limits.radius = wire ? wire->radius : kDefaultWireRadius;
    limits.fullWaveBand = FullWaveBand(M, limits.radius);
    limits.loopBeyondEnds = M != 0.0 && std::fabs(M) < 0.5;
    if (wire) {
        if (ThickForClosedForm(M, wire->radius))
            limits.thickLengthToRadius = std::fabs(M) / wire->radius;
        limits.resonanceOutside =
            wire->resonantLength && ResonanceBeyondClosedForm(*wire->resonantLength, wire->radius);
    }
    return limits;
}

QByteArray ModelLimitsTable(const ModelLimits &limits)
{
    QByteArray text;
    if (limits.fullWaveBand)
        text += line(
            QT_TRANSLATE_NOOP("Labelled", "Near a full wave"),
            ReportPhrase(QT_TRANSLATE_NOOP(
                             "Labelled", "input values outside the model's validity (%1 to %2 wavelengths, radius %3)"))
                .arg(ReportFixed(limits.fullWaveBand->from, 3), ReportFixed(limits.fullWaveBand->to, 3),
                     radiusText(limits.radius)));
    if (limits.thickLengthToRadius)
        text +=
            line(QT_TRANSLATE_NOOP("Labelled", "Thick wire"),
                 ReportPhrase(QT_TRANSLATE_NOOP(
                                  "Labelled", "reactance outside the closed form's validity: %1 radii long, below %2"))
                     .arg(ReportFixed(*limits.thickLengthToRadius, 1))
                     .arg(kMinLengthToRadius));
    if (limits.resonanceOutside)
        text += line(
            QT_TRANSLATE_NOOP("Labelled", "Resonant length"),
            ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "the closed form's, outside its validity for this radius")));
    if (limits.loopBeyondEnds) {
        text += line(QT_TRANSLATE_NOOP("Labelled", "Reference current"),
                     ReportPhrase(QT_TRANSLATE_NOOP(
                         "Labelled", "loop current I_m of the standing wave, beyond the wire's ends for M < 0.5:")));
        text +=
            line("", limits.wire
                         ? ReportPhrase(QT_TRANSLATE_NOOP(
                             "Labelled", "the radiation resistance and the reactance at I maximum are referred to it"))
                         : ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "the radiation resistance is referred to it")));
    }
    return text;
}

std::vector<JsonField> ModelLimitsJson(const ModelLimits &limits)
{
    std::vector<JsonField> fields;
    if (limits.fullWaveBand)
        fields.emplace_back("outside_model_near_full_wave", "[" + ExactText(limits.fullWaveBand->from) + ", "
                                                                + ExactText(limits.fullWaveBand->to) + "]");
    if (limits.thickLengthToRadius)
        fields.emplace_back("outside_model_thick_wire", ExactText(*limits.thickLengthToRadius));
    if (limits.resonanceOutside)
        fields.emplace_back("outside_model_resonant_length", "true");
    if (limits.loopBeyondEnds)
        fields.emplace_back("reference_current", "\"standing-wave loop current I_m, beyond the wire's ends\"");
    return fields;
}
