#include "PictureFile.h"

#include "DrawingSurface.h"

#include "base/FilePath.h"

#include <QFile>

#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

void putU16(char *p, quint16 v)
{
    p[0] = char(v & 0xFF);
    p[1] = char(v >> 8);
}

void putU32(char *p, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = char((v >> (8 * i)) & 0xFF);
}

} // namespace

QByteArray EncodeBmp(const QImage &source, int bitsPerPixel)
{
    QByteArray out;
    EncodeBmpInto(source, bitsPerPixel, out);
    return out;
}

void EncodeBmpInto(const QImage &source, int bitsPerPixel, QByteArray &out)
{
    if (bitsPerPixel != 32 && bitsPerPixel != 24 && bitsPerPixel != 16)
        throw std::invalid_argument("EncodeBmp: unsupported depth");
    const QImage image = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
                             ? source
                             : source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width();
    const int height = image.height();
    const qint64 stride = ((qint64(width) * bitsPerPixel + 31) / 32) * 4;
    const qint64 imageSize = stride * height;
    const int offset = kFileHeaderSize + kInfoHeaderSize;
    const qint64 fileSize = offset + imageSize;

    out.resize(fileSize);
    char *p = out.data();
    std::memset(p, 0, offset);
    p[0] = 'B';
    p[1] = 'M';
    putU32(p + 2, quint32(fileSize));
    putU32(p + 10, quint32(offset));
    putU32(p + 14, kInfoHeaderSize);
    putU32(p + 18, quint32(width));
    putU32(p + 22, quint32(height)); // positive: rows stored bottom-up
    putU16(p + 26, 1);
    putU16(p + 28, quint16(bitsPerPixel));
    putU32(p + 34, quint32(imageSize));
    // Compression, resolutions and colour counts stay 0.

    for (int y = 0; y < height; ++y) {
        const QRgb *src = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        char *row = p + offset + qint64(height - 1 - y) * stride;
        std::memset(row + qint64(width) * bitsPerPixel / 8, 0, size_t(stride - qint64(width) * bitsPerPixel / 8));
        if (bitsPerPixel == 32 && Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
            // A pixel in memory is already blue, green, red, alpha; the
            // file wants 0 in place of the alpha.
            for (int x = 0; x < width; ++x) {
                const quint32 bgr0 = src[x] & 0x00FFFFFFu;
                std::memcpy(row + 4 * x, &bgr0, 4);
            }
            continue;
        }
        for (int x = 0; x < width; ++x) {
            const QRgb c = src[x];
            switch (bitsPerPixel) {
            case 32:
                row[4 * x] = char(qBlue(c));
                row[4 * x + 1] = char(qGreen(c));
                row[4 * x + 2] = char(qRed(c));
                break;
            case 24:
                row[3 * x] = char(qBlue(c));
                row[3 * x + 1] = char(qGreen(c));
                row[3 * x + 2] = char(qRed(c));
                break;
            default:
                putU16(row + 2 * x, quint16(((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3)));
                break;
            }
        }
    }
}

void SavePicture(const DrawingSurface &surface, const QString &fileName)
{
    if (surface.image().isNull())
        return;
    SaveFileContents(fileName, EncodeBmp(surface.image(), 32));
}

void SavePictures(const DrawingSurface &polar, const DrawingSurface &rect, const QByteArray &directory)
{
    std::vector<FileToSave> files;
    if (!polar.image().isNull())
        files.push_back({JoinPath(directory, QByteArray(kPolarPictureName) + ".bmp"), EncodeBmp(polar.image(), 32)});
    if (!rect.image().isNull())
        files.push_back({JoinPath(directory, QByteArray(kRectPictureName) + ".bmp"), EncodeBmp(rect.image(), 32)});
    SaveFiles(files);
}

void SavePictures(const DrawingSurface &polar, const DrawingSurface &rect, const QString &directory)
{
    SavePictures(polar, rect, QFile::encodeName(directory));
}
