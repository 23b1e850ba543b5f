#include "SolidOutput.h"

#include "ArgumentBytes.h"
#include "RenderArguments.h"

#include "base/AppError.h"
#include "base/SaveFile.h"
#include "formats/PngWriter.h"
#include "labelled/SolidPicture.h"
#include "solid/SolidFiles.h"

#include <cmath>
#include <vector>

namespace {

[[noreturn]] void refuse(const QString &message)
{
    throw RenderUsageError(message.toStdString());
}

double readNumber(const QString &text, const char *option)
{
    long double value = 0.0L;
    if (!ParseRenderLength(text, value) || !std::isfinite(static_cast<double>(value)))
        refuse(QStringLiteral("%1 \"%2\" is not a number of degrees").arg(QLatin1String(option), ShownArgument(text)));
    return static_cast<double>(value);
}

QString lengthText(double value)
{
    return QString::number(value, 'g', 10);
}

std::string solidTitle(double M, const std::optional<GroundRequest> &ground)
{
    QString title;
    if (!ground)
        title = QStringLiteral("dipole %1 wavelengths long in free space").arg(lengthText(M));
    else if (ground->monopole)
        title = QStringLiteral("monopole %1 wavelengths high on a perfect ground").arg(lengthText(M / 2.0));
    else
        title = QStringLiteral("%1 dipole %2 wavelengths long, centre %3 wavelengths over a perfect ground")
                    .arg(ground->orientation == GroundOrientation::Horizontal ? QStringLiteral("horizontal")
                                                                              : QStringLiteral("vertical"),
                         lengthText(M), lengthText(ground->height));
    return title.toStdString();
}

SolidMesh buildMesh(const SolidRequest &request, double M, const std::optional<GroundRequest> &ground)
{
    if (!ground)
        return DipoleSolid(M, request.mesh);
    if (ground->monopole)
        return MonopoleSolid(M, request.mesh);
    return GroundSolid(M, ground->height, ground->orientation, request.mesh);
}

} // namespace

void SetSolidFile(SolidRequest &request, const QString &text)
{
    const std::string error = SolidFormatError(text.toStdString());
    if (!error.empty())
        refuse(QStringLiteral("--3d \"%1\" %2").arg(ShownArgument(text), QString::fromStdString(error)));
    request.file = text;
}

void SetSolidViewFile(SolidRequest &request, const QString &text)
{
    if (!text.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        refuse(QStringLiteral("--3d-view \"%1\" needs a file name ending in .png").arg(ShownArgument(text)));
    request.viewFile = text;
}

void SetSolidResolution(SolidRequest &request, const QString &text)
{
    const double step = readNumber(text, "--3d-resolution");
    const std::string error = SolidStepError(step);
    if (!error.empty())
        refuse(QStringLiteral("--3d-resolution %1 %2").arg(ShownArgument(text), QString::fromStdString(error)));
    request.mesh.stepDegrees = step;
}

void SetSolidScale(SolidRequest &request, const QString &text)
{
    if (text.compare(QLatin1String("linear"), Qt::CaseInsensitive) == 0)
        request.mesh.scale = SolidScale::Linear;
    else if (text.compare(QLatin1String("db"), Qt::CaseInsensitive) == 0)
        request.mesh.scale = SolidScale::Decibel;
    else
        refuse(QStringLiteral("unknown --3d-scale \"%1\": use linear or db").arg(ShownArgument(text)));
}

void SetViewAzimuth(SolidRequest &request, const QString &text)
{
    const double azimuth = readNumber(text, "--view-azimuth");
    if (!(std::fabs(azimuth) <= 360.0))
        refuse(QStringLiteral("--view-azimuth %1 is not an azimuth from -360 to 360 degrees").arg(ShownArgument(text)));
    request.azimuthDegrees = azimuth;
}

void SetViewElevation(SolidRequest &request, const QString &text)
{
    const double elevation = readNumber(text, "--view-elevation");
    if (!(std::fabs(elevation) <= 90.0))
        refuse(
            QStringLiteral("--view-elevation %1 is not an elevation from -90 to 90 degrees").arg(ShownArgument(text)));
    request.elevationDegrees = elevation;
}

int WriteSolid(const SolidRequest &request, double M, const std::optional<GroundRequest> &ground, QSize size,
               const CommandStreams &streams)
{
    const SolidMesh mesh = buildMesh(request, M, ground);
    std::vector<FileToSave> files;
    if (!request.file.isEmpty()) {
        const std::string bytes =
            SolidFileBytes(mesh, *SolidFormatOfName(request.file.toStdString()), solidTitle(M, ground));
        files.push_back({ArgumentBytes(request.file), QByteArray(bytes.data(), qsizetype(bytes.size()))});
    }
    if (!request.viewFile.isEmpty()) {
        SolidViewpoint view;
        view.azimuthDegrees = request.azimuthDegrees;
        view.elevationDegrees = request.elevationDegrees;
        const QImage image = DrawSolid(mesh, view, size.isEmpty() ? kSolidViewSize : size);
        files.push_back({ArgumentBytes(request.viewFile), EncodePicturePng(image)});
    }
    try {
        // Both take their places, or neither.
        SaveFiles(files);
    } catch (const AppError &e) {
        WriteError(streams, SaveFailureLine(e));
        return 1;
    }
    return 0;
}
