#include "PopupPlacement.h"

QPoint PopupOrigin(const QRect &field, const QSize &popup, const QRect &screen, TPopupAlign align)
{
    const QPoint p = field.topLeft();
    const int screenRight = screen.x() + screen.width();
    const int pw = popup.width();

    int y = p.y() + field.height();
    if (screen.y() + screen.height() < y + popup.height())
        y = p.y() - popup.height();

    // Lining up the right edges: x is the field's left minus the overhang.
    const int rightAligned = p.x() - (pw - field.width());
    int x;
    if (align == epaRight)
        x = rightAligned < screen.x() ? p.x() : rightAligned;
    else
        x = screenRight < p.x() + pw ? rightAligned : p.x();
    if (x < screen.x())
        x = screen.x();
    else if (screenRight < x + pw)
        x = screenRight - pw;
    return QPoint(x, y);
}
