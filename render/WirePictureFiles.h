#pragma once
// The wire's pictures as files, in the labelled style and the language of the
// user's locale: current.EXT (the current along the wire, with NEC-2's dashed
// over it when a solution is given), impedance.EXT (R and X against M, with
// the SWR beneath when a reference resistance is given), and a sweep's
// current-NNNN.EXT frames. Text needs a running QGuiApplication.
#include "base/SaveFile.h"
#include "formats/PictureFormat.h"
#include "physics/NecOutput.h"

#include <QSize>
#include <QString>

#include <optional>
#include <vector>

struct ImpedancePicture;

// The name of the current's picture before its extension (and a sweep
// frame's number).
inline constexpr char kCurrentPictureName[] = "current";

// DIRECTORY/NAME.EXT, or NAME.EXT in the current directory.
QByteArray WirePictureFile(const QByteArray &directory, const char *name, PictureFormat format);

// Each picture fits in box in its own proportion; an empty box gives the
// usual size.
void SaveCurrentPicture(const QByteArray &file, PictureFormat format, double M, const std::optional<NecSolution> &nec,
                        QSize box = {}, FileSync sync = FileSync::BeforeRename);

void SaveImpedancePicture(const QByteArray &file, PictureFormat format, const ImpedancePicture &picture,
                          QSize box = {});
