#include "EditButton.h"

#include "UserNotifier.h"
#include "base/AppError.h"

#include <QMouseEvent>
#include <QPainter>

TEditButton::TEditButton(QWidget *container) : TGlyphButton(container) {}

void TEditButton::PrepareForPress(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_suppressNextClick = m_pressHandler ? m_pressHandler() : false;
}

void TEditButton::mousePressEvent(QMouseEvent *event)
{
    PrepareForPress(event);
    TGlyphButton::mousePressEvent(event);
}

// The second press of a double click counts as a press too.
void TEditButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    PrepareForPress(event);
    TGlyphButton::mouseDoubleClickEvent(event);
}

void TEditButton::mouseReleaseEvent(QMouseEvent *event)
{
    TGlyphButton::mouseReleaseEvent(event);
    // A press that closed the popup and was released outside the button
    // must not swallow the next real click.
    if (event->button() == Qt::LeftButton)
        m_suppressNextClick = false;
}

void TEditButton::Click()
{
    if (m_suppressNextClick) {
        m_suppressNextClick = false;
        return;
    }
    try {
        TGlyphButton::Click();
    } catch (const AppError &error) {
        ShowError(window(), error.message());
    }
}

void TEditButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    PaintButton(painter);
    if (State() == sbsDown)
        return;
    // Separates the button from the text beside it. Both lines stop one
    // pixel short of their end point, so the dark bottom edge of the frame
    // runs on to the button's left edge.
    painter.fillRect(0, 0, 1, height() - 1, QColor(ToQRgb(UsesNewStyle() ? clBtnFace : clBtnShadow)));
    painter.fillRect(1, 1, 1, height() - 3, QColor(ToQRgb(clBtnHighlight)));
}
