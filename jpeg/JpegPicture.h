#pragma once
// JPEG pictures held as their stored bytes and decoded by libjpeg on first
// use, and the small registry of picture formats the program knows.
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

    const QByteArray &data() const { return m_data; }
    // The decoded picture; decoded once, on the first request.
    const QImage &image() const;

private:
    QByteArray m_data;
    mutable QImage m_image;
};

struct PictureFormat
{
    QString extension;
    QString description;
};

// Adds a format; a later registration of the same extension replaces it.
void RegisterPictureFormat(const QString &extension, const QString &description);
// The format for a file extension (without the dot, any letter case), or nullptr.
const PictureFormat *FindPictureFormat(const QString &extension);
QList<PictureFormat> RegisteredPictureFormats();

// Registers "jpeg" and "jpg" as "JPEG Image File".
void RegisterJpegFormats();
