#include "SolidImage.h"

#include "labelled/SolidPicture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr double kDegreesPerPixel = 0.5;
constexpr double kZoomPerNotch = 1.25;
constexpr double kWheelNotch = 120.0;

} // namespace

SolidTurn DraggedTurn(const SolidTurn &turn, QPointF delta)
{
    SolidTurn next = turn;
    // The solid follows the pointer: dragged to the right it turns to the
    // right, so the viewer goes round the other way; dragged down it tips
    // its top toward the viewer, who then looks from higher up.
    next.azimuthDegrees = std::fmod(turn.azimuthDegrees - kDegreesPerPixel * delta.x(), 360.0);
    if (next.azimuthDegrees < 0.0)
        next.azimuthDegrees += 360.0;
    next.elevationDegrees = std::clamp(turn.elevationDegrees + kDegreesPerPixel * delta.y(), -90.0, 90.0);
    return next;
}

SolidTurn ZoomedTurn(const SolidTurn &turn, double steps)
{
    SolidTurn next = turn;
    next.zoom = std::clamp(turn.zoom * std::pow(kZoomPerNotch, steps), kMinSolidZoom, kMaxSolidZoom);
    return next;
}

void PaintTurnedSolid(QPainter &painter, const QRectF &area, const SolidMesh &mesh, const SolidTurn &turn)
{
    const QSizeF size = area.size() * turn.zoom;
    const QRectF zoomed(area.center() - QPointF(size.width(), size.height()) / 2.0, size);
    SolidViewpoint view;
    view.azimuthDegrees = turn.azimuthDegrees;
    view.elevationDegrees = turn.elevationDegrees;
    painter.save();
    // Zoomed in, the solid reaches beyond the picture; a file or a printed
    // page keeps to the picture's bounds as the window does.
    if (turn.zoom > 1.0)
        painter.setClipRect(area, Qt::IntersectClip);
    PaintSolid(painter, zoomed, mesh, view);
    painter.restore();
}

TSolidImage::TSolidImage(QWidget *parent) : TFittedImage(parent)
{
    setCursor(Qt::OpenHandCursor);
}

void TSolidImage::SetMesh(std::shared_ptr<const SolidMesh> mesh)
{
    m_mesh = std::move(mesh);
    Paint();
}

void TSolidImage::SetTurn(const SolidTurn &turn)
{
    if (turn == m_turn)
        return;
    m_turn = turn;
    Paint();
}

void TSolidImage::Paint()
{
    // The painting holds its mesh and view, so that the picture menu's files
    // and page show the picture as it was when the menu was opened.
    SetPainting([mesh = m_mesh, turn = m_turn](QPainter &painter, const QRectF &area) {
        if (mesh)
            PaintTurnedSolid(painter, area, *mesh, turn);
    });
}

void TSolidImage::mousePressEvent(QMouseEvent *event)
{
    TFittedImage::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    m_dragFrom = event->position();
    setCursor(Qt::ClosedHandCursor);
}

void TSolidImage::mouseMoveEvent(QMouseEvent *event)
{
    TFittedImage::mouseMoveEvent(event);
    if (!m_dragFrom || !(event->buttons() & Qt::LeftButton))
        return;
    const QPointF delta = event->position() - *m_dragFrom;
    m_dragFrom = event->position();
    SetTurn(DraggedTurn(m_turn, delta));
}

void TSolidImage::mouseReleaseEvent(QMouseEvent *event)
{
    TFittedImage::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    m_dragFrom.reset();
    setCursor(Qt::OpenHandCursor);
}

void TSolidImage::wheelEvent(QWheelEvent *event)
{
    const double steps = event->angleDelta().y() / kWheelNotch;
    if (steps == 0.0) {
        event->ignore();
        return;
    }
    event->accept();
    SetTurn(ZoomedTurn(m_turn, steps));
}
