#pragma once
// JPEG pictures held as their stored bytes and decoded by libjpeg on first
// use, and the small registry of picture file types the program knows (the
// file formats that dipole-render writes are formats/PictureFormat's).
#include "base/AppError.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

// libjpeg refused the data; the message is libjpeg's own.
class JpegError : public AppError
{
public:
    explicit JpegError(const QString &message);
};

// Decodes baseline or progressive JPEG data into an RGB32 image.
QImage DecodeJpeg(const QByteArray &data);

class TJPEGImage
{
public:
    explicit TJPEGImage(QByteArray data) : m_data(std::move(data)) {}

    const QByteArray &Data() const { return m_data; }
    // The decoded picture; decoded once, on the first request.
    const QImage &Image() const;

private:
    QByteArray m_data;
    mutable QImage m_image;
};

// A picture file type: its extension (lower case, no dot) and description.
struct PictureFileType
{
    QString extension;
    QString description;
};

// Adds a file type; a later registration of the same extension replaces it.
void RegisterPictureFileType(const QString &extension, const QString &description);
// The file type of a file extension (without the dot, any letter case), or nullptr.
const PictureFileType *FindPictureFileType(const QString &extension);
QList<PictureFileType> RegisteredPictureFileTypes();

// Registers "jpeg" and "jpg" as "JPEG Image File".
void RegisterJpegFormats();
