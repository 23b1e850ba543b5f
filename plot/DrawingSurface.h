#pragma once
// A fixed-size 32-bit true-colour raster with the state of a drawing canvas:
// pen colour and position, a white brush, and a font given by name, size in
// points and colour. The operations follow simple integer pixel rules so that
// a plot lands on the same pixels everywhere: rectangles exclude their right
// and bottom edges, lines draw their start pixel but not their end pixel, and
// text is placed by the top-left corner of its character cells.
#include "colors/Colors.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>

#include <functional>

class DrawingSurface
{
public:
    // Created white with the initial canvas state. A zero size gives a surface
    // without pixels on which every drawing operation does nothing.
    DrawingSurface(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }

    // Paints left <= x < right, top <= y < bottom with the brush colour.
    void fillRect(int left, int top, int right, int bottom);

    void setPenColor(TColor c) { m_penColor = c; }
    TColor penColor() const { return m_penColor; }
    TColor brushColor() const { return m_brushColor; }

    void moveTo(int x, int y) { m_penPos = QPoint(x, y); }
    QPoint penPos() const { return m_penPos; }

    // One-pixel line from the pen position to (x, y), end pixel excluded, so
    // that a polyline draws each of its inner vertices exactly once.
    void lineTo(int x, int y);

    // Height = -(points * ppi / 72), rounded half away from zero.
    void setFontSize(int points);
    int fontSize() const { return m_fontSize; }
    int fontHeight() const { return m_fontHeight; }
    // An empty name is ignored; longer names are cut to 31 characters.
    void setFontName(const QString &name);
    QString fontName() const { return m_fontName; }
    void setFontColor(TColor c) { m_fontColor = c; }
    TColor fontColor() const { return m_fontColor; }

    // Draws text with its cells' top-left corner at (x, y) on a box of the
    // brush colour, then leaves the pen at (x + text width, y).
    void textOut(int x, int y, const QString &text);
    int textWidth(const QString &text) const;

    const QImage &image() const { return m_image; }
    // Resolved colour of one pixel, as a colour value (for tests and tools).
    TColor pixel(int x, int y) const;

    // Called after every operation that may have changed pixels.
    void setChangedHandler(std::function<void()> handler) { m_changed = std::move(handler); }

    // Pixels per inch used for font sizes: the primary screen's logical
    // resolution when a GUI application with a screen exists, else 96.
    static int displayPpi();
    // The height rule for a size in points at a given resolution.
    static int heightForPoints(int points, int ppi);

private:
    QFont currentFont() const;
    void notifyChanged();

    int m_width;
    int m_height;
    QImage m_image;
    TColor m_penColor = clBlack;
    TColor m_brushColor = clWhite;
    QPoint m_penPos;
    QString m_fontName = QStringLiteral("MS Sans Serif");
    int m_fontSize = 8;
    int m_fontHeight;
    TColor m_fontColor = clWindowText;
    std::function<void()> m_changed;
};
