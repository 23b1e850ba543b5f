#include "ImageControl.h"

#include "ToolTipPlacement.h"
#include "plot/DrawingSurface.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

namespace {

// The label that shows text as a tooltip, if one does.
QWidget *toolTipLabelShowing(const QString &text)
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        const auto *label = qobject_cast<QLabel *>(widget);
        if (label && label->isVisible() && label->objectName() == QLatin1String("qtooltip_label")
            && label->text() == text)
            return widget;
    }
    return nullptr;
}

} // namespace

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

void TImage::SetPicture(const QImage &picture)
{
    m_surface.reset();
    m_picture = picture;
    update();
}

const QImage &TImage::ShownImage() const
{
    return m_surface ? m_surface->image() : m_picture;
}

void TImage::SetToolTipSource(std::function<QString(QPoint)> source)
{
    m_toolTipSource = std::move(source);
    // Moves are needed only to follow the pointer with a tooltip's text.
    setMouseTracking(bool(m_toolTipSource));
}

void TImage::ShowToolTip(QPoint pos, QPoint globalPos)
{
    const QString text = m_toolTipSource(pos);
    if (text.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    // Shown for the picture alone: the tooltip goes once the pointer leaves it.
    QToolTip::showText(globalPos, text, this, rect());
    // Qt puts a tooltip just below the pointer and keeps it on the screen;
    // this one is moved beside the pointer and into the window.
    if (QWidget *label = toolTipLabelShowing(text)) {
        // move() places the window's frame, where a platform gives a tooltip one.
        const QPoint frameOffset = label->geometry().topLeft() - label->pos();
        label->move(PlaceToolTip(label->size(), globalPos, ToolTipArea()) - frameOffset);
    }
}

QRect TImage::ToolTipArea() const
{
    const QWidget *form = window();
    QRect area(form->mapToGlobal(QPoint(0, 0)), form->size());
    if (const QScreen *screen = form->screen())
        area &= screen->availableGeometry();
    return area;
}

bool TImage::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip && m_toolTipSource) {
        const auto *help = static_cast<QHelpEvent *>(event);
        ShowToolTip(help->pos(), help->globalPos());
        return true;
    }
    return QWidget::event(event);
}

void TImage::contextMenuEvent(QContextMenuEvent *event)
{
    if (!m_menuSource) {
        QWidget::contextMenuEvent(event);
        return;
    }
    QMenu menu(this);
    m_menuSource(menu);
    if (!menu.isEmpty())
        menu.exec(event->globalPos());
    event->accept();
}

void TImage::mouseMoveEvent(QMouseEvent *event)
{
    if (m_toolTipSource && QToolTip::isVisible())
        ShowToolTip(event->position().toPoint(), event->globalPosition().toPoint());
    QWidget::mouseMoveEvent(event);
}

void TImage::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    // An empty control shows the form's background, like a picture with no graphic.
    painter.fillRect(event->rect(), palette().color(backgroundRole()));
    const QImage &image = ShownImage();
    if (!image.isNull())
        painter.drawImage(QPoint(0, 0), image);
}
