#pragma once
// TFittedImage: an image control whose picture is painted for the control's
// size by a function it is given, again whenever the control is resized or
// the function changes, so that a window that grows shows its pictures
// drawn larger (lines and texts at the new size) rather than stretched. A
// hidden control (on a tab not shown) draws when it is shown, at the size
// its layout then gives it. The same function draws the picture again for
// the picture menu's vector files and printed page.
#include "ImageControl.h"
#include "PictureExport.h"
#include "formats/PaintedPicture.h"

#include <QPoint>

#include <functional>
#include <optional>

class TFittedImage : public TImage
{
    Q_OBJECT
public:
    explicit TFittedImage(QWidget *parent = nullptr);

    // Paints the picture now if shown, and on every resize after, on a
    // white image with smoothed lines.
    void SetPainting(PicturePaint paint);

    // The picture as shown, for the picture menu; none before it is drawn.
    std::optional<ShownPicture> Shown(const QString &baseName) const;

    // Told where the pointer is over the picture as it moves, and none once
    // it leaves.
    using PointerWatcher = std::function<void(std::optional<QPoint> pos)>;
    void SetPointerWatcher(PointerWatcher watcher);

protected:
    void leaveEvent(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Draws the picture for the present size unless it already is.
    void Fit();

    PicturePaint m_paint;
    PointerWatcher m_pointerWatcher;
    bool m_drawn = false; // the picture is the painting's at the present size
};
