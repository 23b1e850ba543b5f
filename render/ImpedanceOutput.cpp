#include "ImpedanceOutput.h"

#include "WirePictureFiles.h"
#include "antenna/ImpedanceTable.h"
#include "antenna/WirePictures.h"
#include "base/AppError.h"
#include "plot/PictureFile.h"

#include <cstdio>
#include <unistd.h>

int WriteImpedance(const ImpedanceRequest &request)
{
    const std::vector<ImpedancePoint> points =
        ComputeImpedanceCurve(request.lengths, request.radius, request.referenceResistance);
    try {
        WriteToDescriptor(STDOUT_FILENO, ImpedanceCsv(points, request.referenceResistance.has_value()));
        if (request.outDirectory) {
            ImpedancePicture picture;
            picture.radius = request.radius;
            picture.points = points;
            picture.zeros = ReactanceZeros(request.radius, request.lengths.front(), request.lengths.back());
            picture.referenceResistance = request.referenceResistance;
            const QString file = WirePictureFile(*request.outDirectory, QStringLiteral("impedance"), request.format);
            SaveImpedancePicture(file, request.format, picture);
        }
    } catch (const AppError &e) {
        std::fprintf(stderr, "dipole-render: %s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
