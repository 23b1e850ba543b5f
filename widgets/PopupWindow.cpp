#include "PopupWindow.h"

#include "colors/Colors.h"

#include <QChildEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

TPopupWindow::TPopupWindow(QWidget *editor)
    : QWidget(editor, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), m_editor(editor)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    setFocusPolicy(Qt::NoFocus);
    setContentsMargins(1, 1, 1, 1);
    setAutoFillBackground(true);
    hide();
}

void TPopupWindow::FinishPopup(bool accept)
{
    Q_EMIT CloseNotify(this, accept);
}

QString TPopupWindow::PopupDisplayText() const
{
    return QString();
}

void TPopupWindow::ShowPopupAt(const QPoint &screenPos)
{
    // Children added after they were polished are caught here.
    for (QWidget *child : findChildren<QWidget *>())
        child->setFocusPolicy(Qt::NoFocus);
    move(screenPos);
    show();
    // The headless platform has no stacking order and warns on every raise.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        raise();
}

void TPopupWindow::HidePopupWindow()
{
    hide();
}

void TPopupWindow::RefreshEditor()
{
    if (m_repaintEditor)
        m_repaintEditor();
    else if (m_editor)
        m_editor->repaint();
}

void TPopupWindow::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QColor(ToQRgb(clWindowFrame)));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TPopupWindow::mousePressEvent(QMouseEvent *event)
{
    // Presses that a child leaves unused (a click on the panel between the
    // keys) are passed up here too; they belong to the child, not to the
    // popup, and must not close it. Nor does a press on the thin border.
    if (event->button() == Qt::LeftButton) {
        const QPoint pos = event->position().toPoint();
        m_pressedOnSelf = contentsRect().contains(pos) && childAt(pos) == nullptr;
    }
    QWidget::mousePressEvent(event);
}

void TPopupWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !std::exchange(m_pressedOnSelf, false))
        return;
    FinishPopup(contentsRect().contains(event->position().toPoint()));
}

bool TPopupWindow::event(QEvent *event)
{
    if (event->type() == QEvent::ChildPolished) {
        if (auto *child = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child())) {
            child->setFocusPolicy(Qt::NoFocus);
            for (QWidget *inner : child->findChildren<QWidget *>())
                inner->setFocusPolicy(Qt::NoFocus);
        }
    }
    return QWidget::event(event);
}
