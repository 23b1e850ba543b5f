#include "RefusedPressSwallower.h"

#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

RefusedPressSwallower::RefusedPressSwallower(QWidget *field) : QObject(field), m_field(field)
{
    qApp->installEventFilter(this);
    QTimer::singleShot(0, this, [this] {
        if (!m_pressSwallowed)
            finish();
    });
}

bool RefusedPressSwallower::eventFilter(QObject *watched, QEvent *event)
{
    if (m_finished || !watched->isWidgetType())
        return false;
    const auto *widget = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // A second press means the release was lost to the error box.
        if (m_pressSwallowed || widget == m_field || m_field->isAncestorOf(widget)) {
            finish();
            return false;
        }
        m_pressSwallowed = true;
        if (QGuiApplication::mouseButtons() == Qt::NoButton)
            finish();
        return true;
    case QEvent::MouseButtonRelease:
        if (!m_pressSwallowed)
            return false;
        finish();
        return true;
    default: return false;
    }
}

void RefusedPressSwallower::finish()
{
    m_finished = true;
    qApp->removeEventFilter(this);
    deleteLater();
}
