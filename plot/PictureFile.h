#pragma once
// Plot pictures as uncompressed bitmap files (40-byte information header,
// rows bottom-up, each padded to a multiple of 4 bytes, no colour table above
// 8 bits per pixel). A save does not destroy the previous file: the picture
// is written to a temporary file beside the target and renamed over it only
// once every byte is on disk. Only where no temporary can stand beside it (a
// directory closed to new files) or where the target is no plain file (a
// pipe, a device) is the target written in place.
#include "base/AppError.h"

#include <QByteArray>
#include <QImage>
#include <QString>

class DrawingSurface;

// The target could not be created or replaced; names the file as passed.
class FileCreateError : public AppError
{
public:
    explicit FileCreateError(const QString &fileName);
};

// A write to the file fell short (typically a full disk).
class StreamWriteError : public AppError
{
public:
    StreamWriteError();
};

// Replaces the file at fileName by data without ever leaving a partial
// file, as every save does (see above); throws FileCreateError or
// StreamWriteError.
void ReplaceFileContents(const QString &fileName, const QByteArray &data);

// Writes all of data to an open descriptor such as standard output; a pipe
// whose reader has gone is a StreamWriteError, not the end of the program.
void WriteToDescriptor(int fd, const QByteArray &data);

// The whole file for image at 32, 24 or 16 bits per pixel; 16 bits keep the
// top 5 bits of each channel. Other depths throw std::invalid_argument.
QByteArray EncodeBmp(const QImage &image, int bitsPerPixel);

// Writes the surface at its depth (32 bits per pixel). A surface without
// pixels writes nothing.
void SavePicture(const DrawingSurface &surface, const QString &fileName);

// "dn1.bmp" from the polar picture, then "dn2.bmp" from the rectangular
// one, in directory (the current directory when empty); the first failure
// ends the save.
void SavePictures(const DrawingSurface &polar, const DrawingSurface &rect, const QString &directory = QString());
