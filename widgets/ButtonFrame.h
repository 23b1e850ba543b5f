#pragma once
// The raised or sunken frame of a glyph button, drawn in the desktop's
// button colours.
#include <QRect>
#include <QRgb>

class QPainter;

// The desktop colours a button frame is drawn in.
struct TFrameColors
{
    QRgb highlight;
    QRgb shadow;
    QRgb windowFrame;
    QRgb face;
    static TFrameColors FromDesktop();
};

// Which frame a button gets.
struct TFrameLook
{
    bool pressed = false; // sunken (held down or latched) rather than raised
    bool newStyle = true; // the new-style controls' frame rather than the old one
    bool flat = false;    // the flat look's single frame
};

// Draws the frame of a button into rect and leaves in rect the area inside
// it, one more pixel in on each side.
void DrawButtonFrame(QPainter &painter, QRect &rect, const TFrameLook &look, const TFrameColors &colors);
