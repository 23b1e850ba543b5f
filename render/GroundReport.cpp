#include "GroundReport.h"

#include "ReportText.h"
#include "nec/NecGroundRun.h"

#include "physics/DipoleRules.h"
#include "physics/GroundImpedance.h"
#include "physics/PatternReadouts.h"

#include <QString>

#include <cmath>

namespace {

QByteArray line(const char *name, const QString &value)
{
    return (ReportLine(name, value) + QLatin1Char('\n')).toUtf8();
}

QString degrees(double value)
{
    return ReportFixed(value, 2) + QStringLiteral("°");
}

// "85.60 + j72.42 Ω"; signed is "+12.52 + j29.91 Ω" for a change.
QString complexOhms(const Impedance &z, bool signedResistance = false)
{
    const QString sign = z.reactance < 0.0 ? QStringLiteral(" - j") : QStringLiteral(" + j");
    const QString lead = signedResistance && z.resistance >= 0.0 ? QStringLiteral("+") : QString();
    return lead + ReportFixed(z.resistance, 2) + sign + ReportFixed(std::fabs(z.reactance), 2)
           + ReportPhrase(QT_TRANSLATE_NOOP("Labelled", " Ω"));
}

QString orientationName(GroundOrientation orientation)
{
    return orientation == GroundOrientation::Horizontal ? ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "horizontal"))
                                                        : ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "vertical"));
}

QString halfPowerText(const ElevationReadouts &cut)
{
    return ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "%1 to %2"))
        .arg(degrees(cut.halfPowerLowerDeg), degrees(cut.halfPowerUpperDeg));
}

QString zeroCut()
{
    return ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "none: the field is zero in this plane"));
}

QByteArray cutLines(const std::optional<ElevationReadouts> &cut, const QString &plane)
{
    if (!cut)
        return line(QT_TRANSLATE_NOOP("Labelled", "Elevation of maximum"),
                    zeroCut() + QStringLiteral(" (") + plane + QLatin1Char(')'));
    const QString rival = cut->rivalElevationDeg
                              ? ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "%1 at %2 dB: within 1 dB of the maximum"))
                                    .arg(degrees(*cut->rivalElevationDeg), ReportFixed(*cut->rivalLevelDb, 2))
                              : ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "none"));
    return line(QT_TRANSLATE_NOOP("Labelled", "Elevation of maximum"),
                degrees(cut->maxElevationDeg) + QStringLiteral(" (") + plane + QLatin1Char(')'))
           + line(QT_TRANSLATE_NOOP("Labelled", "Half-power elevations"), halfPowerText(*cut))
           + line(QT_TRANSLATE_NOOP("Labelled", "Rival lobe over ground"), rival);
}

QString directivityText(const GroundFigures &f)
{
    return ReportFixed(f.readouts.directivity, 4)
           + ReportPhrase(QT_TRANSLATE_NOOP("Labelled", " (%1 dBi)")).arg(ReportFixed(f.readouts.directivityDbi, 2));
}

Impedance difference(const Impedance &a, const Impedance &b)
{
    return {a.resistance - b.resistance, a.reactance - b.reactance};
}

QByteArray jsonPair(double first, double second)
{
    return "[" + ExactText(first) + ", " + ExactText(second) + "]";
}

QByteArray jsonImpedance(const std::optional<Impedance> &z)
{
    return z ? jsonPair(z->resistance, z->reactance) : QByteArray("null");
}

void addCut(std::vector<JsonField> &fields, const char *prefix, const std::optional<ElevationReadouts> &cut)
{
    const QByteArray name(prefix);
    fields.emplace_back(name + "elevation_of_max_deg", cut ? ExactText(cut->maxElevationDeg) : "null");
    fields.emplace_back(name + "half_power_elevation_deg",
                        cut ? jsonPair(cut->halfPowerLowerDeg, cut->halfPowerUpperDeg) : "null");
    const bool rival = cut && cut->rivalElevationDeg;
    fields.emplace_back(name + "rival_elevation_deg", rival ? ExactText(*cut->rivalElevationDeg) : "null");
    fields.emplace_back(name + "rival_level_db", rival ? ExactText(*cut->rivalLevelDb) : "null");
}

QString soilText(const std::optional<NecSoil> &soil)
{
    if (!soil)
        return ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "perfect"));
    return ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "real soil, permittivity %1, conductivity %2 S/m at %3 MHz"))
        .arg(ReportNumber(QString::number(soil->permittivity, 'g', 6)),
             ReportNumber(QString::number(soil->conductivity, 'g', 6)),
             ReportNumber(QString::number(soil->frequencyHz / 1e6, 'g', 9)));
}

QString necCutText(const NecElevationCut &cut)
{
    if (!cut.readouts)
        return ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "none: NEC-2 finds no field in this plane"));
    return ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "%1 dBi at %2, half power from %3"))
        .arg(ReportFixed(cut.maxGainDbi, 2), degrees(cut.readouts->maxElevationDeg), halfPowerText(*cut.readouts));
}

// NEC-2's figures, each line named as NEC-2's.
QByteArray necLines(const GroundFigures &f)
{
    const NecGroundSolution &nec = *f.nec;
    const bool horizontal = !f.request.monopole && f.request.orientation == GroundOrientation::Horizontal;
    QByteArray text = line(QT_TRANSLATE_NOOP("Labelled", "NEC-2 ground"), soilText(f.request.soil));
    text += line(QT_TRANSLATE_NOOP("Labelled", "NEC-2 input impedance"), complexOhms(nec.input));
    text += line(QT_TRANSLATE_NOOP("Labelled", "NEC-2 maximum gain"),
                 ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "%1 dBi")).arg(ReportFixed(nec.maxGainDbi, 2)));
    if (nec.cut)
        text += line(horizontal ? QT_TRANSLATE_NOOP("Labelled", "NEC-2 across the wire")
                                : QT_TRANSLATE_NOOP("Labelled", "NEC-2 elevation cut"),
                     necCutText(*nec.cut));
    if (horizontal && nec.alongCut)
        text += line(QT_TRANSLATE_NOOP("Labelled", "NEC-2 along the wire"), necCutText(*nec.alongCut));
    return text + line(QT_TRANSLATE_NOOP("Labelled", "NEC-2 segments"), QString::number(nec.segments));
}

QByteArray necCutJson(const NecElevationCut &cut)
{
    const auto &r = cut.readouts;
    return "{\"max_gain_dbi\": " + ExactText(cut.maxGainDbi) + ", \"elevation_of_max_deg\": "
           + (r ? ExactText(r->maxElevationDeg) : "null") + ", \"half_power_elevation_deg\": "
           + (r ? jsonPair(r->halfPowerLowerDeg, r->halfPowerUpperDeg) : "null") + "}";
}

QByteArray necJson(const GroundFigures &f)
{
    const NecGroundSolution &nec = *f.nec;
    QByteArray text = "{\"ground\": ";
    if (f.request.soil)
        text += "\"real\", \"permittivity\": " + ExactText(f.request.soil->permittivity)
                + ", \"conductivity_s_per_m\": " + ExactText(f.request.soil->conductivity)
                + ", \"frequency_hz\": " + ExactText(f.request.soil->frequencyHz);
    else
        text += "\"perfect\"";
    text += ", \"input_impedance_ohm\": " + jsonPair(nec.input.resistance, nec.input.reactance) + ", \"max_gain_dbi\": "
            + ExactText(nec.maxGainDbi) + ", \"segments\": " + QByteArray::number(nec.segments);
    if (nec.cut)
        text += ", \"cut\": " + necCutJson(*nec.cut);
    if (nec.alongCut)
        text += ", \"along_wire_cut\": " + necCutJson(*nec.alongCut);
    return text + "}";
}

} // namespace

NecGroundModel GroundNecModel(const GroundRequest &request, double M, double radius)
{
    if (request.monopole)
        return MakeNecMonopoleModel(M, radius, request.soil);
    return MakeNecGroundModel(M, radius, request.height, request.orientation, request.soil);
}

GroundFigures ComputeGroundFigures(const GroundRequest &request, double M, std::optional<double> radius)
{
    GroundFigures f;
    f.request = request;
    f.length = M;
    f.radius = radius;
    f.freeSpaceDbi = ComputePatternReadouts(M).directivityDbi;
    if (request.monopole) {
        f.readouts = ComputeMonopoleReadouts(M);
        if (radius)
            f.input = MonopoleInputImpedance(M, *radius);
    } else {
        f.readouts = ComputeGroundReadouts(M, request.height, radius.value_or(kDefaultWireRadius), request.orientation);
        if (radius)
            f.input = GroundInputImpedance(M, *radius, request.height, request.orientation);
    }
    if (radius)
        f.freeSpace = InducedEmfImpedance(M, *radius).atFeed;
    if (radius && request.nec)
        f.nec = SolveNecGroundOnce(GroundNecModel(request, M, *radius));
    return f;
}

QByteArray GroundReportTable(const GroundFigures &f)
{
    const bool horizontal = f.request.orientation == GroundOrientation::Horizontal;
    QByteArray text = line(
        QT_TRANSLATE_NOOP("Labelled", "Ground"),
        ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "perfect; the centre %1 wavelengths high, the wire %2"))
            .arg(ReportNumber(QString::number(f.request.height, 'g', 10)), orientationName(f.request.orientation)));
    text += cutLines(f.readouts.cut, horizontal ? ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "across the wire"))
                                                : ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "every vertical plane")));
    if (horizontal && f.readouts.alongCut)
        text += line(QT_TRANSLATE_NOOP("Labelled", "Along the wire"),
                     ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "maximum at %1, half power from %2"))
                         .arg(degrees(f.readouts.alongCut->maxElevationDeg), halfPowerText(*f.readouts.alongCut)));
    else if (horizontal)
        text += line(QT_TRANSLATE_NOOP("Labelled", "Along the wire"), zeroCut());
    text += line(QT_TRANSLATE_NOOP("Labelled", "Directivity over ground"), directivityText(f));
    if (!f.radius)
        return text;
    if (!f.input || !f.freeSpace)
        text += line(QT_TRANSLATE_NOOP("Labelled", "Input impedance, ground"), NoFeedCurrentText());
    else
        text +=
            line(QT_TRANSLATE_NOOP("Labelled", "Input impedance, ground"), complexOhms(*f.input))
            + line(
                QT_TRANSLATE_NOOP("Labelled", "Change from free space"),
                complexOhms(difference(*f.input, *f.freeSpace), true)
                    + ReportPhrase(QT_TRANSLATE_NOOP("Labelled", " (free space %1)")).arg(complexOhms(*f.freeSpace)));
    return f.nec ? text + necLines(f) : text;
}

QByteArray MonopoleReportTable(const GroundFigures &f)
{
    QByteArray text = line(
        QT_TRANSLATE_NOOP("Labelled", "Monopole of height"),
        ReportPhrase(
            QT_TRANSLATE_NOOP(
                "Labelled", "%1 wavelengths on a perfect ground, fed at its base (the upper half of a dipole %2 long)"))
            .arg(ReportNumber(QString::number(f.length / 2.0, 'g', 10)),
                 ReportNumber(QString::number(f.length, 'g', 10))));
    text += cutLines(f.readouts.cut, ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "every vertical plane")));
    const QString dipole = f.freeSpaceDbi
                               ? ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "; 3.01 dB above the dipole's %1 dBi"))
                                     .arg(ReportFixed(*f.freeSpaceDbi, 2))
                               : QString();
    text += line(QT_TRANSLATE_NOOP("Labelled", "Directivity"), directivityText(f) + dipole);
    if (!f.radius)
        return text;
    if (!f.input || !f.freeSpace)
        text += line(QT_TRANSLATE_NOOP("Labelled", "Input impedance"), NoFeedCurrentText());
    else
        text += line(QT_TRANSLATE_NOOP("Labelled", "Input impedance"),
                     complexOhms(*f.input)
                         + ReportPhrase(QT_TRANSLATE_NOOP("Labelled", " (half the dipole's %1)"))
                               .arg(complexOhms(*f.freeSpace)));
    return f.nec ? text + necLines(f) : text;
}

std::vector<JsonField> GroundJsonFields(const GroundFigures &f)
{
    std::vector<JsonField> fields;
    if (f.request.monopole) {
        fields.emplace_back("monopole_height", ExactText(f.length / 2.0));
    } else {
        fields.emplace_back("ground", "\"perfect\"");
        fields.emplace_back("ground_height", ExactText(f.request.height));
        fields.emplace_back("ground_orientation", "\"" + orientationName(f.request.orientation).toUtf8() + "\"");
    }
    addCut(fields, "", f.readouts.cut);
    if (!f.request.monopole && f.request.orientation == GroundOrientation::Horizontal)
        addCut(fields, "along_wire_", f.readouts.alongCut);
    fields.emplace_back("directivity_over_ground", ExactText(f.readouts.directivity));
    fields.emplace_back("directivity_over_ground_dbi", ExactText(f.readouts.directivityDbi));
    if (f.request.monopole)
        fields.emplace_back("free_space_directivity_dbi", JsonNumber(f.freeSpaceDbi));
    if (!f.radius)
        return fields;
    fields.emplace_back("ground_input_impedance_ohm", jsonImpedance(f.input));
    if (f.request.monopole)
        fields.emplace_back("free_space_input_impedance_ohm", jsonImpedance(f.freeSpace));
    else
        fields.emplace_back("ground_impedance_change_ohm",
                            f.input && f.freeSpace ? jsonImpedance(difference(*f.input, *f.freeSpace)) : "null");
    if (f.nec)
        fields.emplace_back("nec_ground", necJson(f));
    return fields;
}

QByteArray MonopoleJson(const GroundFigures &f)
{
    QByteArray text = "{\"length\": " + ExactText(f.length);
    if (f.radius)
        text += ", \"radius\": " + ExactText(*f.radius);
    for (const auto &[key, value] : GroundJsonFields(f))
        text += ", \"" + key + "\": " + value;
    return text + "}\n";
}
