#pragma once
// A fixed-size 32-bit true-colour raster with the state of a drawing canvas:
// pen colour and position, a white brush, and a font given by name, size in
// points and colour. The operations follow simple integer pixel rules so that
// a plot lands on the same pixels everywhere: rectangles exclude their right
// and bottom edges, lines draw their start pixel but not their end pixel, and
// text is placed by the top-left corner of its character cells.
#include "CanvasFont.h"
#include "PlotCanvas.h"

#include <QImage>
#include <QPoint>
#include <QString>

#include <functional>

class DrawingSurface final : public PlotCanvas
{
public:
    // Created white with the initial canvas state. A zero size gives a surface
    // without pixels on which every drawing operation does nothing.
    DrawingSurface(int width, int height);

    // Back to the state of a new surface, white with the initial canvas
    // state, keeping the pixel store.
    void reset();

    int width() const override { return m_width; }
    int height() const override { return m_height; }

    void fillRect(int left, int top, int right, int bottom) override;

    void setPenColor(TColor c) override { m_penColor = c; }
    TColor penColor() const { return m_penColor; }
    TColor brushColor() const { return m_brushColor; }

    void moveTo(int x, int y) override { m_penPos = QPoint(x, y); }
    QPoint penPos() const { return m_penPos; }

    // One-pixel line from the pen position to (x, y), end pixel excluded, so
    // that a polyline draws each of its inner vertices exactly once.
    void lineTo(int x, int y) override;

    void setFontSize(int points) override { m_font.setSize(points); }
    int fontSize() const { return m_font.size(); }
    int fontHeight() const { return m_font.height(); }
    void setFontName(const QString &name) override { m_font.setName(name); }
    QString fontName() const { return m_font.name(); }
    void setFontColor(TColor c) override { m_font.setColor(c); }
    TColor fontColor() const { return m_font.color(); }

    void textOut(int x, int y, const QString &text) override;
    int textWidth(const QString &text) const override;

    const QImage &image() const { return m_image; }
    // Resolved colour of one pixel, as a colour value (for tests and tools).
    TColor pixel(int x, int y) const;

    // Called after every operation that may have changed pixels.
    void setChangedHandler(std::function<void()> handler) { m_changed = std::move(handler); }

private:
    void notifyChanged();

    int m_width;
    int m_height;
    QImage m_image;
    TColor m_penColor = clBlack;
    TColor m_brushColor = clWhite;
    QPoint m_penPos;
    CanvasFont m_font;
    std::function<void()> m_changed;
};
