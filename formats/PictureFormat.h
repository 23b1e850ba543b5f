#pragma once
// The file types a picture can be written in: the raster bitmap and PNG with
// the surface's exact pixels, and the scalable SVG and PDF drawings.
#include <QString>

enum class PictureFormat { Bmp, Png, Svg, Pdf };

// "bmp", "png", "svg" or "pdf": the name on the command line and the
// files' extension.
QString PictureFormatName(PictureFormat format);

// A name in any letter case; false for anything else.
bool ParsePictureFormat(const QString &text, PictureFormat &format);

bool IsVectorFormat(PictureFormat format);
