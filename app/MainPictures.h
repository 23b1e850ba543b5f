#pragma once
// The main window's two pictures as the picture menu hands them on. In the
// window's own style the SVG and PDF files come from drawing the last
// command again on vector canvases. The labelled style draws the same
// lengths and colours with titles, scales and legends, in the language of the
// window; a printed page always carries the labelled picture.
#include "PictureExport.h"
#include "formats/PicturePair.h"
#include "labelled/LabelledPatterns.h"

#include <QImage>
#include <QString>

#include <vector>

enum class PictureSide { Polar, Rectangular };

// The last build or family command of the window.
struct DrawnCommand
{
    PairDrawing drawing;               // draws both pictures as the window does
    std::vector<LabelledCurve> curves; // its lengths that have a pattern, with their colours
    bool fill = false;
};

// "dn1" for the polar picture, "dn2" for the rectangular one.
QString PictureBaseName(PictureSide side);

// The labelled pictures of the command.
LabelledPatterns LabelledPicturesOf(const DrawnCommand &command);

// One of the two pictures, image being what the window shows of it.
ShownPicture MainShownPicture(PictureSide side, const QImage &image, const DrawnCommand &command);
