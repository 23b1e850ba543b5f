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

// The whole file for image at 32, 24 or 16 bits per pixel; 16 bits keep the
// top 5 bits of each channel. Other depths throw std::invalid_argument.
QByteArray EncodeBmp(const QImage &image, int bitsPerPixel);
// The same into out, reusing its memory.
void EncodeBmpInto(const QImage &image, int bitsPerPixel, QByteArray &out);

// The whole PNG file for image: the same pixels, lossless, 8 bits per
// channel without alpha, marked as 96 pixels per inch like the screen.
QByteArray EncodePng(const QImage &image);

// When a save waits for the disk: before the new file replaces the old one,
// or not at all, for a caller that writes many files and then makes them
// durable together with SyncFileSystem.
enum class FileSync { BeforeRename, Deferred };

// Writes data as the file fileName with the care of a picture save: the
// previous file stays whole until the new one is complete. Throws
// FileCreateError or StreamWriteError.
void SaveFileContents(const QString &fileName, const QByteArray &data, FileSync sync = FileSync::BeforeRename);

// Waits until everything written to the file system of directory (the
// current directory when empty) is on disk; throws StreamWriteError when
// the directory cannot be opened or a write back failed.
void SyncFileSystem(const QString &directory);

// Writes all of data to an open descriptor (standard output, say); a reader
// that leaves early or a full disk raise StreamWriteError.
void WriteToDescriptor(int fd, const QByteArray &data);

// Writes the surface at its depth (32 bits per pixel). A surface without
// pixels writes nothing.
void SavePicture(const DrawingSurface &surface, const QString &fileName);

// "dn1.bmp" from the polar picture, then "dn2.bmp" from the rectangular
// one, in directory (the current directory when empty); the first failure
// ends the save.
void SavePictures(const DrawingSurface &polar, const DrawingSurface &rect, const QString &directory = QString());
