#pragma once
// A picture as a window shows it, as the picture menu hands it on: copied
// as shown, written in a file type of the user's choice, or printed. The
// bitmap and PNG files hold the pixels as shown; the SVG and PDF files come
// from drawing the picture again on a vector canvas, and a printed page
// from drawing it again on the printer, as large as the page allows. A
// picture may have a labelled style besides the one shown (the main
// window's plain pictures do): the save dialog then offers it, and a
// printed page carries it.
#include "base/AppError.h"
#include "formats/PaintedPicture.h"
#include "formats/PictureFormat.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class QPrinter;

// A picture that can be drawn again in any area on any device.
struct RedrawnPicture
{
    // Its own size: in pixels for BMP and PNG, in units for SVG and PDF; a
    // page takes its shape.
    QSize size;
    PicturePaint paint;
};

struct ShownPicture
{
    QString baseName; // the offered file's name before its extension
    QImage image;     // as shown
    // Its SVG or PDF file.
    std::function<QByteArray(PictureFormat format)> vectorFile;
    // What a printed page carries.
    RedrawnPicture page;
    // The labelled style, where the picture has one besides the one shown.
    std::optional<RedrawnPicture> labelled;
};

// A picture that paint draws at the size it is shown: its SVG and PDF files
// are that drawing at that size, its page the same drawing scaled to the
// page, so that both look as the window does.
ShownPicture PaintedShownPicture(const QString &baseName, const QImage &image, const PicturePaint &paint);

// The picture's file in format: BMP of the pixels as shown, PNG of the same
// pixels, SVG or PDF of the same drawing; labelled, the labelled picture at
// its own size.
QByteArray EncodeShownPicture(const ShownPicture &picture, PictureFormat format, bool labelled);

// Prints the picture's page: the picture on one page, as large as the
// page's printable area allows, centred. Throws PrintError when the printer
// cannot start.
void PrintShownPicture(QPrinter &printer, const ShownPicture &picture);

class PrintError : public AppError
{
public:
    PrintError();
};
