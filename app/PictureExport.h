#pragma once
// One of the window's two pictures as the picture menu hands it on: copied
// as shown, written in a file type of the user's choice, or printed. The
// bitmap and PNG files hold the pixels as shown; the SVG and PDF drawings
// come from drawing the last command again on vector canvases.
#include "base/AppError.h"
#include "formats/PictureFormat.h"
#include "formats/PicturePair.h"

#include <QByteArray>
#include <QImage>
#include <QString>

class QPrinter;

enum class PictureSide { Polar, Rectangular };

struct ShownPicture
{
    PictureSide side = PictureSide::Polar;
    QImage image;        // the picture as shown
    PairDrawing drawing; // the command that drew both pictures
};

// "dn1" for the polar picture, "dn2" for the rectangular one.
QString PictureBaseName(PictureSide side);

// The picture's file in format: BMP as "Сохранить в файл" writes it, PNG
// of the same pixels, SVG or PDF of the same drawing.
QByteArray EncodeShownPicture(const ShownPicture &picture, PictureFormat format);

// Prints the picture on one page, as large as the page's printable area
// allows, centred. Throws PrintError when the printer cannot be started.
void PrintShownPicture(QPrinter &printer, const ShownPicture &picture);

class PrintError : public AppError
{
public:
    PrintError();
};
