#include "ImpedanceOutput.h"

#include "ArgumentBytes.h"
#include "CommandOutput.h"
#include "WirePictureFiles.h"
#include "base/AppError.h"
#include "labelled/WirePictures.h"
#include "physics/GroundSweep.h"
#include "plot/PictureFile.h"
#include "render/ImpedanceTable.h"

namespace {

// The resonances over the ground, where the sampled reactance changes
// sign: the free-space zeros that the picture marks otherwise are not the
// wire's there.
std::vector<ReactanceZero> groundZeros(const std::vector<ImpedancePoint> &points)
{
    std::vector<SampledImpedance> samples;
    for (const ImpedancePoint &point : points) {
        if (point.input)
            samples.push_back({point.length, *point.input, std::nullopt});
    }
    return SampledReactanceZeros(samples);
}

} // namespace

int WriteImpedance(const ImpedanceRequest &request, const CommandStreams &streams)
{
    const std::vector<ImpedancePoint> points =
        request.groundHeight ? ComputeGroundImpedanceCurve(request.lengths, request.radius, *request.groundHeight,
                                                           request.groundOrientation, request.referenceResistance)
                             : ComputeImpedanceCurve(request.lengths, request.radius, request.referenceResistance);
    // A reader that leaves early (| head) has had what it wanted: no error.
    const OutputResult written = WriteOutput(
        streams, ImpedanceCsv(points, request.referenceResistance.has_value(), request.nec ? &*request.nec : nullptr));
    if (written == OutputResult::Failed)
        return 1;
    try {
        if (request.outDirectory) {
            ImpedancePicture picture = CurvePicture(request.radius, points, request.referenceResistance);
            if (request.nec)
                picture.nec = NecCurvePicture(*request.nec);
            picture.ohmsAxis = request.ohmsAxis;
            if (request.groundHeight) {
                picture.zeros = groundZeros(points);
                picture.groundHeight = request.groundHeight;
                picture.groundOrientation = request.groundOrientation;
            }
            const QByteArray file = WirePictureFile(ArgumentBytes(*request.outDirectory), "impedance", request.format);
            SaveImpedancePicture(file, request.format, picture, request.pictureBox);
        }
    } catch (const AppError &e) {
        WriteError(streams, SaveFailureLine(e));
        return 1;
    }
    return 0;
}
