#pragma once
// Plot pictures as files: uncompressed bitmap files (40-byte information
// header, rows bottom-up, each padded to a multiple of 4 bytes, no colour
// table above 8 bits per pixel), saved the careful way of base/SaveFile.h.
// The other file types are written above, in formats/.
#include "base/SaveFile.h"

#include <QByteArray>
#include <QImage>
#include <QString>

class DrawingSurface;

// The whole file for image at 32, 24 or 16 bits per pixel; 16 bits keep the
// top 5 bits of each channel. Other depths throw std::invalid_argument.
QByteArray EncodeBmp(const QImage &image, int bitsPerPixel);
// The same into out, reusing its memory.
void EncodeBmpInto(const QImage &image, int bitsPerPixel, QByteArray &out);

// The names of the two pictures' files before their extension: the polar
// picture's and the rectangular one's.
inline constexpr char kPolarPictureName[] = "dn1";
inline constexpr char kRectPictureName[] = "dn2";

// Writes the surface at its depth (32 bits per pixel). A surface without
// pixels writes nothing.
void SavePicture(const DrawingSurface &surface, const QString &fileName);

// "dn1.bmp" from the polar picture and "dn2.bmp" from the rectangular one,
// in directory (the current directory when empty), saved as a pair: both
// take their places or, with the error of the first that failed, neither.
// A surface without pixels writes nothing.
void SavePictures(const DrawingSurface &polar, const DrawingSurface &rect, const QByteArray &directory);
void SavePictures(const DrawingSurface &polar, const DrawingSurface &rect, const QString &directory = QString());
