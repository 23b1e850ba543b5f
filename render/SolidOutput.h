#pragma once
// dipole-render's solid of the pattern: --3d FILE writes the mesh of one
// LENGTH (in free space, over a perfect ground or the monopole) as PLY, OBJ
// or STL by the file's extension, --3d-view FILE.png a shaded picture of it
// seen from --view-azimuth and --view-elevation. Both are saved together
// through the careful file saving: each file wholly replaced or untouched.
#include "CommandOutput.h"
#include "GroundReport.h"

#include "solid/SolidMesh.h"

#include <QSize>
#include <QString>

#include <optional>

inline constexpr QSize kSolidViewSize(800, 800);

struct SolidRequest
{
    QString file;     // --3d: empty for none
    QString viewFile; // --3d-view: empty for none
    SolidOptions mesh;
    double azimuthDegrees = 30.0;
    double elevationDegrees = 20.0;

    bool wanted() const { return !file.isEmpty() || !viewFile.isEmpty(); }
};

// The option setters: each refuses what it cannot take with a
// RenderUsageError naming the option.
void SetSolidFile(SolidRequest &request, const QString &text);
void SetSolidViewFile(SolidRequest &request, const QString &text);
void SetSolidResolution(SolidRequest &request, const QString &text);
void SetSolidScale(SolidRequest &request, const QString &text);
void SetViewAzimuth(SolidRequest &request, const QString &text);
void SetViewElevation(SolidRequest &request, const QString &text);

// Builds the solid of the dipole of length M (over the ground or the
// monopole when ground says so) and saves the files asked for. size is
// the view's (empty: kSolidViewSize). 0, or 1 with the failing file named
// on the error stream.
int WriteSolid(const SolidRequest &request, double M, const std::optional<GroundRequest> &ground, QSize size,
               const CommandStreams &streams);
