#include "CurrentReport.h"

#include "ReportText.h"

#include "physics/CurrentHalfWaves.h"

#include <QString>

namespace {

// How long the half-waves are: all half a wave, or the middle one not.
QString lengthsText(const CurrentHalfWaves &current)
{
    if (current.feedAtNode)
        return ReportPhrase(QT_TRANSLATE_NOOP(
            "Labelled", "all half a wave long, the feed at the node between two (its phase taken beside it)"));
    const CurrentHalfWave &middle = current.halfWaves[current.halfWaves.size() / 2];
    if (!middle.partial)
        return ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "all half a wave long"));
    const QString length = ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "%1 λ long"))
                               .arg(ReportNumber(QString::number(middle.to - middle.from, 'g', 6)));
    return current.halfWaves.size() == 1
               ? length
               : ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "the middle one %1, the others half a wave")).arg(length);
}

} // namespace

QByteArray CurrentReportLine(double M)
{
    const CurrentHalfWaves current = FindCurrentHalfWaves(M);
    if (current.halfWaves.empty())
        return (ReportLine(QT_TRANSLATE_NOOP("Labelled", "Current half-waves"),
                           ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "none: a wire of no length carries no current")))
                + '\n')
            .toUtf8();
    const QString value = ReportPhrase(QT_TRANSLATE_NOOP("Labelled", "%1: %2 in phase with the feed, %3 opposite; %4"))
                              .arg(current.halfWaves.size())
                              .arg(current.inPhase)
                              .arg(current.opposite)
                              .arg(lengthsText(current));
    return (ReportLine(QT_TRANSLATE_NOOP("Labelled", "Current half-waves"), value) + '\n').toUtf8();
}

JsonField CurrentJsonField(double M)
{
    const CurrentHalfWaves current = FindCurrentHalfWaves(M);
    if (current.halfWaves.empty())
        return {"current_half_waves", "null"};
    const auto flag = [](bool value) { return QByteArray(value ? "true" : "false"); };
    QByteArray list = "[";
    for (const CurrentHalfWave &halfWave : current.halfWaves) {
        list += list.size() > 1 ? ", " : "";
        list += "{\"from\": " + ExactText(halfWave.from) + ", \"to\": " + ExactText(halfWave.to)
                + ", \"in_phase\": " + flag(halfWave.inPhase) + ", \"partial\": " + flag(halfWave.partial) + "}";
    }
    return {"current_half_waves",
            "{\"count\": " + QByteArray::number(qsizetype(current.halfWaves.size())) + ", \"in_phase\": "
                + QByteArray::number(current.inPhase) + ", \"opposite\": " + QByteArray::number(current.opposite)
                + ", \"feed_at_node\": " + flag(current.feedAtNode) + ", \"half_waves\": " + list + "]}"};
}
