#include "HeightSweepOutput.h"

#include "ArgumentBytes.h"
#include "ReportText.h"
#include "WirePictureFiles.h"
#include "base/AppError.h"
#include "base/SaveFile.h"
#include "formats/PaintedPicture.h"
#include "labelled/GroundPictures.h"
#include "physics/GroundSweep.h"

namespace {

QByteArray heightCsv(const std::vector<HeightPoint> &points)
{
    QByteArray text = "height,r_in_ohm,x_in_ohm,elevation_of_max_deg\n";
    for (const HeightPoint &point : points) {
        text += ExactText(point.height) + ',';
        if (point.input)
            text += ExactText(point.input->resistance) + ',' + ExactText(point.input->reactance);
        else
            text += ',';
        text += ',';
        if (point.maxElevationDeg)
            text += ExactText(*point.maxElevationDeg);
        text += '\n';
    }
    return text;
}

} // namespace

int WriteHeightSweep(const HeightSweepRequest &request, const CommandStreams &streams)
{
    const std::vector<HeightPoint> points =
        ComputeHeightSweep(request.length, request.radius, request.orientation, request.heights);
    // A reader that leaves early (| head) has had what it wanted: no error.
    if (WriteOutput(streams, heightCsv(points)) == OutputResult::Failed)
        return 1;
    if (!request.outDirectory)
        return 0;
    try {
        HeightSweepPicture picture;
        picture.length = request.length;
        picture.radius = request.radius;
        picture.orientation = request.orientation;
        picture.points = points;
        picture.freeSpace = InducedEmfImpedance(request.length, request.radius).atFeed;
        picture.language = SystemLabelledLanguage();
        const QByteArray bytes =
            EncodePaintedPicture(request.format, kLabelledRectangularSize, [&](QPainter &painter, const QRectF &area) {
                PaintHeightSweepPicture(painter, area, picture);
            });
        SaveFileContents(WirePictureFile(ArgumentBytes(*request.outDirectory), kHeightSweepPictureName, request.format),
                         bytes);
    } catch (const AppError &e) {
        WriteError(streams, SaveFailureLine(e));
        return 1;
    }
    return 0;
}
