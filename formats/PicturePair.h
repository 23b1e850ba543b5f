#pragma once
// The two plot pictures in one file type: a drawing is run once against a
// pair of canvases of that type (raster surfaces for BMP and PNG, vector
// surfaces for SVG and PDF) and each canvas becomes one file.
#include "PictureFormat.h"
#include "plot/PictureFile.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <utility>

class DrawingSurface;
class PlotCanvas;

// Draws both pictures: the polar one on the first canvas, the rectangular
// one on the second. Both canvases are kPictureWidth × kPictureHeight and
// start as new surfaces do.
using PairDrawing = std::function<void(PlotCanvas &polar, PlotCanvas &rect)>;

// Draws pairs one after another, keeping the raster surfaces and the file
// buffers from one pair to the next, so that a series of pairs costs their
// drawing and encoding and no fresh memory for each.
class PicturePairWriter
{
public:
    explicit PicturePairWriter(PictureFormat format);
    ~PicturePairWriter();
    PicturePairWriter(const PicturePairWriter &) = delete;
    PicturePairWriter &operator=(const PicturePairWriter &) = delete;

    // The two files' contents; valid until the next call.
    const std::pair<QByteArray, QByteArray> &encode(const PairDrawing &draw);

    // Draws, then saves polarFile and rectFile as a pair (SaveFiles): both
    // take their places or, with the error of the first that failed,
    // neither.
    void save(const PairDrawing &draw, const QByteArray &polarFile, const QByteArray &rectFile,
              FileSync sync = FileSync::BeforeRename);
    void save(const PairDrawing &draw, const QString &polarFile, const QString &rectFile,
              FileSync sync = FileSync::BeforeRename);

private:
    PictureFormat m_format;
    std::unique_ptr<DrawingSurface> m_polar;
    std::unique_ptr<DrawingSurface> m_rect;
    std::pair<QByteArray, QByteArray> m_files;
};

// One pair's files' contents.
std::pair<QByteArray, QByteArray> EncodePicturePair(PictureFormat format, const PairDrawing &draw);

// One pair drawn and saved.
void SavePicturePair(PictureFormat format, const PairDrawing &draw, const QByteArray &polarFile,
                     const QByteArray &rectFile);
void SavePicturePair(PictureFormat format, const PairDrawing &draw, const QString &polarFile, const QString &rectFile);

// "dn1.EXT" and "dn2.EXT" in directory (the current directory when empty).
std::pair<QByteArray, QByteArray> PicturePairFiles(PictureFormat format, const QByteArray &directory);
std::pair<QString, QString> PicturePairFiles(PictureFormat format, const QString &directory);
std::pair<QString, QString> PicturePairFiles(PictureFormat format, const char *directory);
