#pragma once
// TImage: a control that shows its picture unscaled from its top-left
// corner. The picture is either a drawing surface, created white at the
// control's size on the first request for its canvas, or a fixed picture such
// as a decoded JPEG, which has no canvas.
#include "base/AppError.h"

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

class DrawingSurface;
class QMenu;

// The canvas of a control that holds a picture other than a bitmap was asked for.
class ImageNotBitmapError : public AppError
{
public:
    ImageNotBitmapError();
};

class TImage : public QWidget
{
    Q_OBJECT
public:
    explicit TImage(QWidget *parent = nullptr);
    ~TImage() override;

    // The drawing surface; the first request creates it at the control's size.
    DrawingSurface &Canvas();
    // The surface if one was created, else nullptr.
    const DrawingSurface *Surface() const { return m_surface.get(); }

    void SetPicture(const QImage &picture);
    // What the control shows: the surface's pixels or the fixed picture.
    const QImage &ShownImage() const;

    // The tooltip text for a point of the control, asked for when the pointer
    // rests there and again as it moves while the tooltip shows; an empty
    // text shows none. The tooltip is placed beside the pointer, inside the
    // window (ToolTipPlacement.h).
    void SetToolTipSource(std::function<QString(QPoint)> source);

    // Fills the menu that a right click opens; a menu left empty is not shown.
    void SetMenuSource(std::function<void(QMenu &menu)> source) { m_menuSource = std::move(source); }

protected:
    bool event(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void ShowToolTip(QPoint pos, QPoint globalPos);
    // The window's client area on the screen, where tooltips are kept.
    QRect ToolTipArea() const;

    std::function<QString(QPoint)> m_toolTipSource;
    std::function<void(QMenu &)> m_menuSource;
    std::unique_ptr<DrawingSurface> m_surface;
    QImage m_picture;
};
