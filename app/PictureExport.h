#pragma once
// One of the window's two pictures as the picture menu hands it on: copied
// as shown, written in a file type and style of the user's choice, or
// printed. In the window's own style the bitmap and PNG files hold the
// pixels as shown, and the SVG and PDF drawings come from drawing the last
// command again on vector canvases. The labelled style draws the same
// lengths and colours with titles, scales and legends, in Russian like the
// window; a printed page always carries the labelled picture.
#include "base/AppError.h"
#include "formats/PictureFormat.h"
#include "formats/PicturePair.h"
#include "labelled/LabelledPatterns.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <vector>

class QPrinter;

enum class PictureSide { Polar, Rectangular };

// The last build or family command of the window.
struct DrawnCommand
{
    PairDrawing drawing;               // draws both pictures as the window does
    std::vector<LabelledCurve> curves; // its lengths that have a pattern, with their colours
    bool fill = false;
};

struct ShownPicture
{
    PictureSide side = PictureSide::Polar;
    QImage image; // the picture as shown
    DrawnCommand command;
};

// "dn1" for the polar picture, "dn2" for the rectangular one.
QString PictureBaseName(PictureSide side);

// The picture's file in format. Plain: BMP as "Сохранить в файл" writes
// it, PNG of the same pixels, SVG or PDF of the same drawing. Labelled: the
// labelled picture at its usual size.
QByteArray EncodeShownPicture(const ShownPicture &picture, PictureFormat format, bool labelled);

// The labelled pictures of the command.
LabelledPatterns LabelledPicturesOf(const DrawnCommand &command);

// Prints the labelled picture on one page, as large as the page's printable
// area allows, centred. Throws PrintError when the printer cannot start.
void PrintShownPicture(QPrinter &printer, const ShownPicture &picture);

class PrintError : public AppError
{
public:
    PrintError();
};
