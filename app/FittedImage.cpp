#include "FittedImage.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

TFittedImage::TFittedImage(QWidget *parent) : TImage(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TFittedImage::SetPainting(PicturePaint paint)
{
    m_paint = std::move(paint);
    m_drawn = false;
    Fit();
}

std::optional<ShownPicture> TFittedImage::Shown(const QString &baseName) const
{
    if (!m_drawn || !m_paint)
        return std::nullopt;
    return PaintedShownPicture(baseName, ShownImage(), m_paint);
}

void TFittedImage::SetPointerWatcher(PointerWatcher watcher)
{
    m_pointerWatcher = std::move(watcher);
    setMouseTracking(bool(m_pointerWatcher));
}

void TFittedImage::mouseMoveEvent(QMouseEvent *event)
{
    TImage::mouseMoveEvent(event);
    if (m_pointerWatcher)
        m_pointerWatcher(event->position().toPoint());
}

void TFittedImage::leaveEvent(QEvent *event)
{
    TImage::leaveEvent(event);
    if (m_pointerWatcher)
        m_pointerWatcher(std::nullopt);
}

void TFittedImage::resizeEvent(QResizeEvent *event)
{
    TImage::resizeEvent(event);
    Fit();
}

void TFittedImage::showEvent(QShowEvent *event)
{
    TImage::showEvent(event);
    Fit();
}

void TFittedImage::Fit()
{
    if (m_drawn && ShownImage().size() == size())
        return;
    if (!m_paint || !isVisible() || size().isEmpty())
        return;
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    m_paint(painter, QRectF(QPointF(0, 0), QSizeF(size())));
    painter.end();
    SetPicture(image);
    m_drawn = true;
}
