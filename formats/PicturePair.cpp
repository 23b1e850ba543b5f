#include "PicturePair.h"

#include "PngWriter.h"
#include "VectorSurface.h"
#include "plot/DrawingSurface.h"
#include "plot/PlotCommands.h"

#include "base/FilePath.h"

#include <QFile>

#include <future>
#include <utility>

PicturePairWriter::PicturePairWriter(PictureFormat format) : m_format(format) {}

PicturePairWriter::~PicturePairWriter() = default;

const std::pair<QByteArray, QByteArray> &PicturePairWriter::encode(const PairDrawing &draw)
{
    if (IsVectorFormat(m_format)) {
        const auto kind = m_format == PictureFormat::Svg ? VectorSurface::Kind::Svg : VectorSurface::Kind::Pdf;
        VectorSurface polar(kind, kPictureWidth, kPictureHeight);
        VectorSurface rect(kind, kPictureWidth, kPictureHeight);
        draw(polar, rect);
        m_files = {polar.finish(), rect.finish()};
        return m_files;
    }
    if (!m_polar) {
        m_polar = std::make_unique<DrawingSurface>(kPictureWidth, kPictureHeight);
        m_rect = std::make_unique<DrawingSurface>(kPictureWidth, kPictureHeight);
    } else {
        m_polar->reset();
        m_rect->reset();
    }
    draw(*m_polar, *m_rect);
    if (m_format == PictureFormat::Png) {
        // Compressing is most of a PNG pair's cost; the two pictures are
        // independent, so they are compressed side by side.
        const QImage &polarImage = m_polar->image();
        auto polarPng = std::async(std::launch::async, [&polarImage] { return EncodePicturePng(polarImage); });
        QByteArray rectPng = EncodePicturePng(m_rect->image());
        m_files = {polarPng.get(), std::move(rectPng)};
    } else {
        EncodeBmpInto(m_polar->image(), 32, m_files.first);
        EncodeBmpInto(m_rect->image(), 32, m_files.second);
    }
    return m_files;
}

void PicturePairWriter::save(const PairDrawing &draw, const QByteArray &polarFile, const QByteArray &rectFile,
                             FileSync sync)
{
    const std::pair<QByteArray, QByteArray> &files = encode(draw);
    SaveFiles({{polarFile, files.first}, {rectFile, files.second}}, sync);
}

void PicturePairWriter::save(const PairDrawing &draw, const QString &polarFile, const QString &rectFile, FileSync sync)
{
    save(draw, QFile::encodeName(polarFile), QFile::encodeName(rectFile), sync);
}

std::pair<QByteArray, QByteArray> EncodePicturePair(PictureFormat format, const PairDrawing &draw)
{
    return PicturePairWriter(format).encode(draw);
}

void SavePicturePair(PictureFormat format, const PairDrawing &draw, const QByteArray &polarFile,
                     const QByteArray &rectFile)
{
    PicturePairWriter(format).save(draw, polarFile, rectFile);
}

void SavePicturePair(PictureFormat format, const PairDrawing &draw, const QString &polarFile, const QString &rectFile)
{
    PicturePairWriter(format).save(draw, polarFile, rectFile);
}

std::pair<QByteArray, QByteArray> PicturePairFiles(PictureFormat format, const QByteArray &directory)
{
    const QByteArray extension = '.' + PictureFormatName(format).toLatin1();
    return {JoinPath(directory, kPolarPictureName + extension), JoinPath(directory, kRectPictureName + extension)};
}

std::pair<QString, QString> PicturePairFiles(PictureFormat format, const QString &directory)
{
    const auto files = PicturePairFiles(format, QFile::encodeName(directory));
    return {QFile::decodeName(files.first), QFile::decodeName(files.second)};
}

std::pair<QString, QString> PicturePairFiles(PictureFormat format, const char *directory)
{
    return PicturePairFiles(format, QString::fromUtf8(directory));
}
