#pragma once
// A canvas that records the plots as a scalable drawing, an SVG or a PDF
// document of width × height units, one unit standing for one pixel of the
// raster picture. Lines join the same integer points as on the raster
// surface, through the middle of their pixels, so that the drawing
// rasterised at its own size traces the raster picture; consecutive lines of
// one colour become one path. Text is real text in the raster surface's
// face and size, placed and measured as there, on a box of the brush colour.
#include "VectorDocument.h"
#include "plot/CanvasFont.h"
#include "plot/PlotCanvas.h"

#include <QByteArray>
#include <QPainterPath>
#include <QPoint>

class VectorSurface final : public PlotCanvas
{
public:
    using Kind = VectorDocument::Kind;

    // Starts a document that is white all over, with the initial canvas state.
    VectorSurface(Kind kind, int width, int height);
    ~VectorSurface() override;
    VectorSurface(const VectorSurface &) = delete;
    VectorSurface &operator=(const VectorSurface &) = delete;

    int width() const override { return m_document.width(); }
    int height() const override { return m_document.height(); }

    void fillRect(int left, int top, int right, int bottom) override;
    void setPenColor(TColor c) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void setFontSize(int points) override { m_font.setSize(points); }
    void setFontName(const QString &name) override { m_font.setName(name); }
    void setFontColor(TColor c) override { m_font.setColor(c); }
    void textOut(int x, int y, const QString &text) override;
    int textWidth(const QString &text) const override;

    // Ends the document and returns the whole file. Drawing after it
    // changes nothing.
    QByteArray finish();

private:
    // Draws the lines gathered so far, so that whatever comes next lies
    // above them.
    void strokePendingLines();

    VectorDocument m_document;
    QPainter &m_painter;
    QPainterPath m_lines;
    bool m_linesEndAtPen = false; // the next line continues the last subpath
    TColor m_penColor = clBlack;
    TColor m_brushColor = clWhite;
    QPoint m_penPos;
    CanvasFont m_font;
};
