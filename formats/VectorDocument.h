#pragma once
// An SVG or a PDF document of width × height units with a painter on it, in
// memory: one unit is one pixel of the SVG (at 96 per inch) and one point of
// the PDF page. Shared by the plots' vector surface and by pictures that
// paint straight on a QPainter.
#include <QBuffer>
#include <QByteArray>
#include <QPainter>

#include <memory>

class QPaintDevice;

class VectorDocument
{
public:
    enum class Kind { Svg, Pdf };

    // Starts the document and the painter on it; throws CanvasError when
    // the painter cannot begin. Sizes below 1 become 1.
    VectorDocument(Kind kind, int width, int height);
    ~VectorDocument();
    VectorDocument(const VectorDocument &) = delete;
    VectorDocument &operator=(const VectorDocument &) = delete;

    int width() const { return m_width; }
    int height() const { return m_height; }
    QPainter &painter() { return m_painter; }

    // Ends the painter and the document and returns the whole file; later
    // calls return the same bytes.
    QByteArray finish();

private:
    void giveSvgPixelSize();

    Kind m_kind;
    int m_width;
    int m_height;
    QByteArray m_data;
    QBuffer m_buffer;
    std::unique_ptr<QPaintDevice> m_device;
    QPainter m_painter;
};
