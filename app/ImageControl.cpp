#include "ImageControl.h"

#include "plot/DrawingSurface.h"

#include <QPaintEvent>
#include <QPainter>

ImageNotBitmapError::ImageNotBitmapError()
    : AppError(QStringLiteral("Can only modify an image if it contains a bitmap"))
{}

TImage::TImage(QWidget *parent) : QWidget(parent)
{
    // Every pixel is painted from the picture, so Qt need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TImage::~TImage() = default;

DrawingSurface &TImage::Canvas()
{
    if (!m_surface) {
        if (!m_picture.isNull())
            throw ImageNotBitmapError();
        m_surface = std::make_unique<DrawingSurface>(width(), height());
        m_surface->setChangedHandler([this] { update(); });
        update();
    }
    return *m_surface;
}

void TImage::setPicture(const QImage &picture)
{
    m_surface.reset();
    m_picture = picture;
    update();
}

const QImage &TImage::shownImage() const
{
    return m_surface ? m_surface->image() : m_picture;
}

void TImage::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    // An empty control shows the form's background, like a picture with no graphic.
    painter.fillRect(event->rect(), palette().color(backgroundRole()));
    const QImage &image = shownImage();
    if (!image.isNull())
        painter.drawImage(QPoint(0, 0), image);
}
