#include "FrequencySweepOutput.h"

#include "ArgumentBytes.h"
#include "FrequencyTable.h"
#include "MeasuredFiles.h"
#include "NecImpedanceSweep.h"
#include "ReportText.h"
#include "WirePictureFiles.h"
#include "base/AppError.h"
#include "base/SaveFile.h"
#include "formats/PaintedPicture.h"
#include "labelled/FrequencyPictures.h"
#include "nec/NecCrossCheck.h"
#include "physics/PhysicalUnits.h"
#include "physics/Reflection.h"
#include "physics/StandingWaveRatio.h"
#include "touchstone/MeasuredSweep.h"
#include "touchstone/TouchstoneReader.h"
#include "touchstone/TouchstoneWriter.h"

#include <QStringList>

#include <cmath>

namespace {

// The measurement's points, or the line that refuses its file.
struct MeasuredFile
{
    std::optional<OnePortData> data;
    QByteArray failure;
};

MeasuredFile readMeasured(const QString &fileName)
{
    const MeasuredText file = ReadMeasuredText(fileName);
    if (!file.text)
        return {std::nullopt, file.failure};
    try {
        const QByteArray &text = *file.text;
        return {ReadTouchstone(std::string_view(text.constData(), std::size_t(text.size())),
                               ArgumentBytes(fileName).toStdString()),
                {}};
    } catch (const TouchstoneError &e) {
        return {std::nullopt, MeasuredFailureLine(fileName, e)};
    }
}

QString megahertzText(double value)
{
    return FixedText(value / 1e6, 6) + QStringLiteral(" MHz");
}

// "14.147474 MHz", "14.147474 MHz, 27.9 MHz", or "none in the band".
QString resonanceText(const std::vector<double> &frequencies)
{
    QStringList list;
    for (const double f : frequencies)
        list << megahertzText(f);
    return list.isEmpty() ? QStringLiteral("none in the band") : list.join(QStringLiteral(", "));
}

QString bandText(const std::optional<SwrBand> &band)
{
    if (!band)
        return QStringLiteral("none in the band");
    const double centre = (band->low + band->high) / 2.0;
    QString text =
        QStringLiteral("%1 to %2, %3 kHz (%4 % of its centre)")
            .arg(megahertzText(band->low), megahertzText(band->high), FixedText((band->high - band->low) / 1e3, 3),
                 FixedText((band->high - band->low) / centre * 100.0, 2));
    if (band->openLow || band->openHigh)
        text += QStringLiteral(", cut by the band's end");
    return text;
}

// How far the measurement's first resonance and band width lie from the
// model's, in per cent.
QString differenceText(double measured, double model)
{
    return QStringLiteral("%1 % against the model").arg(FixedText((measured - model) / model * 100.0, 2));
}

QByteArray summary(const FrequencySweepRequest &request, const std::vector<FrequencyPoint> &theory,
                   const std::vector<FrequencyPoint> &nec, const std::vector<FrequencyPoint> &measured,
                   bool withMeasured)
{
    const WireInMetres wire{request.lengthMetres, request.radiusMetres, request.referenceResistance};
    const std::vector<double> model = ResonantFrequencies(wire, theory);
    const std::optional<SwrBand> modelBand = BandWithinSwr(wire, theory, request.swrLimit);
    QStringList lines;
    lines << ReportLine("Wire", QStringLiteral("%1 m long, radius %2 mm")
                                    .arg(ExactText(request.lengthMetres), ExactText(request.radiusMetres * 1e3)));
    lines << ReportLine("Band",
                        QStringLiteral("%1 to %2, %3 frequencies")
                            .arg(megahertzText(request.frequencies.front()), megahertzText(request.frequencies.back()))
                            .arg(request.frequencies.size()));
    lines << ReportLine("Line", QStringLiteral("%1 Ω").arg(ExactText(request.referenceResistance)));
    const QString limit = QStringLiteral("SWR <= %1").arg(ExactText(request.swrLimit));
    lines << ReportLine("Resonance", resonanceText(model));
    lines << ReportLine(qPrintable(limit), bandText(modelBand));
    if (!nec.empty()) {
        const std::vector<double> necResonances = ResonantFrequencies(nec);
        QString resonance = resonanceText(necResonances);
        if (!model.empty() && !necResonances.empty())
            resonance += QStringLiteral(" (%1)").arg(differenceText(necResonances.front(), model.front()));
        lines << ReportLine("NEC-2 resonance", resonance);
        lines << ReportLine(qPrintable(QStringLiteral("NEC-2 ") + limit),
                            bandText(BandWithinSwr(nec, request.swrLimit)));
    }
    if (withMeasured) {
        const std::vector<double> seen = ResonantFrequencies(measured);
        QString resonance = resonanceText(seen);
        if (!model.empty() && !seen.empty())
            resonance += QStringLiteral(" (%1)").arg(differenceText(seen.front(), model.front()));
        lines << ReportLine("Measured resonance", resonance);
        const std::optional<SwrBand> seenBand = BandWithinSwr(measured, request.swrLimit);
        QString band = bandText(seenBand);
        if (modelBand && seenBand)
            band += QStringLiteral("; width %1")
                        .arg(differenceText(seenBand->high - seenBand->low, modelBand->high - modelBand->low));
        lines << ReportLine(qPrintable(QStringLiteral("Measured ") + limit), band);
    }
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

void savePictures(const FrequencySweepRequest &request, const FrequencyPicture &picture)
{
    const QByteArray directory = ArgumentBytes(*request.outDirectory);
    const auto encode = [&](QSize size, void (*paint)(QPainter &, const QRectF &, const FrequencyPicture &)) {
        return EncodePaintedPicture(request.format, size,
                                    [&](QPainter &painter, const QRectF &area) { paint(painter, area, picture); });
    };
    SaveFiles({{WirePictureFile(directory, "impedance", request.format),
                encode(kFrequencyPictureSize, PaintFrequencyImpedance)},
               {WirePictureFile(directory, "swr", request.format), encode(kFrequencyPictureSize, PaintFrequencySwr)},
               {WirePictureFile(directory, "smith", request.format), encode(kSmithPictureSize, PaintFrequencySmith)}});
}

void saveTouchstone(const FrequencySweepRequest &request, const QString &fileName, const char *model,
                    const std::vector<FrequencyPoint> &points)
{
    OnePortData data;
    data.referenceResistance = request.referenceResistance;
    for (const FrequencyPoint &point : points)
        data.points.push_back({point.frequency, point.reflection});
    const std::string text =
        WriteTouchstone(data, {std::string("S11 of a centre-fed dipole by ") + model,
                               "length " + ExactText(request.lengthMetres).toStdString() + " m, radius "
                                   + ExactText(request.radiusMetres).toStdString() + " m"});
    SaveFileContents(ArgumentBytes(fileName), QByteArray::fromStdString(text));
}

// NEC-2's solution at every frequency, as the closed form's points are.
std::vector<FrequencyPoint> solveNec(const FrequencySweepRequest &request, const CommandStreams &streams)
{
    const double length = request.lengthMetres;
    const double radius = request.radiusMetres;
    const std::vector<Impedance> inputs = SolveNecRuns(
        request.frequencies,
        [length, radius](double f) {
            return RunNecCrossCheck(InWavelengths(length, f), InWavelengths(radius, f)).input;
        },
        streams);
    std::vector<FrequencyPoint> points;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        FrequencyPoint point;
        point.frequency = request.frequencies[i];
        point.length = InWavelengths(length, point.frequency);
        point.radius = InWavelengths(radius, point.frequency);
        point.input = inputs[i];
        point.swr = StandingWaveRatio(inputs[i], request.referenceResistance);
        point.reflection = ReflectionCoefficient(inputs[i], request.referenceResistance);
        points.push_back(point);
    }
    return points;
}

// FILE.s1p's NEC-2 sibling, FILE-nec.s1p (-nec after a name without an
// extension).
QString necSibling(const QString &fileName)
{
    const int slash = fileName.lastIndexOf(QLatin1Char('/'));
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot > slash + 1 ? fileName.left(dot) + QStringLiteral("-nec") + fileName.mid(dot)
                           : fileName + QStringLiteral("-nec");
}

} // namespace

MeasuredInput ReadMeasuredInput(const FrequencySweepRequest &request, const CommandStreams &streams)
{
    if (request.measuredFile.isEmpty())
        return {};
    const MeasuredFile file = readMeasured(request.measuredFile);
    if (!file.data) {
        WriteError(streams, file.failure);
        return {{}, 2};
    }
    return {MeasuredPoints(*file.data, request.referenceResistance), 0};
}

int WriteFrequencySweep(const FrequencySweepRequest &request, const std::vector<FrequencyPoint> &measured,
                        const CommandStreams &streams)
{
    const bool withMeasured = !request.measuredFile.isEmpty();
    const std::vector<FrequencyPoint> theory = ComputeFrequencySweep(request.lengthMetres, request.radiusMetres,
                                                                     request.frequencies, request.referenceResistance);
    // Every run is solved before anything is written.
    const std::vector<FrequencyPoint> nec = request.nec ? solveNec(request, streams) : std::vector<FrequencyPoint>();
    try {
        if (!request.touchstoneFile.isEmpty()) {
            saveTouchstone(request, request.touchstoneFile, "the induced-EMF method", theory);
            if (request.nec)
                saveTouchstone(request, necSibling(request.touchstoneFile), "NEC-2 (nec2c)", nec);
        }
        if (request.outDirectory) {
            FrequencyPicture picture{request.lengthMetres,
                                     request.radiusMetres,
                                     request.referenceResistance,
                                     request.swrLimit,
                                     {{FrequencySource::Theory, theory}},
                                     SystemLabelledLanguage()};
            if (request.nec)
                picture.series.push_back({FrequencySource::Nec, nec});
            if (withMeasured)
                picture.series.push_back({FrequencySource::Measured, measured});
            savePictures(request, picture);
        }
    } catch (const AppError &e) {
        WriteError(streams, SaveFailureLine(e));
        return 1;
    }
    const QByteArray output =
        request.report ? summary(request, theory, nec, measured, withMeasured) : FrequencyCsv(theory, nec);
    return WriteOutput(streams, output) == OutputResult::Failed ? 1 : 0;
}
