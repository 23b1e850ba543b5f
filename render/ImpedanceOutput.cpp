#include "ImpedanceOutput.h"

#include "ArgumentBytes.h"
#include "CommandOutput.h"
#include "WirePictureFiles.h"
#include "base/AppError.h"
#include "labelled/WirePictures.h"
#include "plot/PictureFile.h"
#include "render/ImpedanceTable.h"

int WriteImpedance(const ImpedanceRequest &request, const CommandStreams &streams)
{
    const std::vector<ImpedancePoint> points =
        ComputeImpedanceCurve(request.lengths, request.radius, request.referenceResistance);
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
            const QByteArray file = WirePictureFile(ArgumentBytes(*request.outDirectory), "impedance", request.format);
            SaveImpedancePicture(file, request.format, picture);
        }
    } catch (const AppError &e) {
        WriteError(streams, SaveFailureLine(e));
        return 1;
    }
    return 0;
}
