#pragma once
// TFittedImage: an image control whose picture is drawn for the control's
// size by a function it is given, again whenever the control is resized or
// the function changes, so that a window that grows shows its pictures
// drawn larger (lines and texts at the new size) rather than stretched. A
// hidden control (on a tab not shown) draws when it is shown, at the size
// its layout then gives it.
#include "ImageControl.h"

#include <QImage>
#include <QSize>

#include <functional>

class TFittedImage : public TImage
{
    Q_OBJECT
public:
    using Drawing = std::function<QImage(QSize size)>;

    explicit TFittedImage(QWidget *parent = nullptr);

    // Draws the picture now if shown, and on every resize after.
    void SetDrawing(Drawing drawing);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Draws the picture for the present size unless it already is.
    void Fit();

    Drawing m_drawing;
    bool m_drawn = false; // the picture is the drawing's at the present size
};
