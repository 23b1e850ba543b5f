#include "ImpedanceOutput.h"

#include "antenna/ImpedanceTable.h"
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
    } catch (const AppError &e) {
        std::fprintf(stderr, "dipole-render: %s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
