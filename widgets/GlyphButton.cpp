#include "GlyphButton.h"

#include "UserNotifier.h"
#include "base/AppError.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QThread>
#include <QTimer>

// ---- TGlyphButton -----------------------------------------------------------

TGlyphButton::TGlyphButton(QWidget *parent) : QWidget(parent)
{
    setGeometry(0, 0, 25, 25);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_glyph.OnChange = [this] { update(); };
    // A button made inside a disabled parent starts disabled; the enabled
    // change that Qt sends then reaches only the QWidget part.
    if (!isEnabled())
        m_state = sbsDisabled;
}

void TGlyphButton::SetState(TSpeedButtonState state)
{
    m_state = isEnabled() ? state : sbsDisabled;
}

TGlyphButton::~TGlyphButton()
{
    m_glyph.OnChange = nullptr;
}

void TGlyphButton::SetDown(bool down)
{
    if (m_groupIndex == 0)
        down = false;
    if (down == m_down)
        return;
    // A latched button of a group that may not be all up stays down until
    // another button of the group goes down.
    if (m_down && !m_allowAllUp)
        return;
    m_down = down;
    if (down) {
        SetState(sbsExclusive);
        ReleaseGroupSiblings();
    } else {
        SetState(sbsUp);
    }
    update();
}

void TGlyphButton::ReleaseGroupSiblings()
{
    if (!parentWidget())
        return;
    const auto siblings = parentWidget()->findChildren<TGlyphButton *>(Qt::FindDirectChildrenOnly);
    for (TGlyphButton *other : siblings) {
        if (other != this && other->m_groupIndex == m_groupIndex && other->m_down) {
            other->m_down = false;
            other->SetState(sbsUp);
            other->update();
        }
    }
}

void TGlyphButton::SetGroupIndex(int index)
{
    if (index == m_groupIndex)
        return;
    m_groupIndex = index;
    if (index == 0 && m_down) {
        m_down = false;
        SetState(sbsUp);
        update();
    }
}

void TGlyphButton::SetAllowAllUp(bool allow)
{
    m_allowAllUp = allow;
}

void TGlyphButton::SetFlat(bool flat)
{
    if (flat == m_flat)
        return;
    m_flat = flat;
    update();
}

void TGlyphButton::SetTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    update();
}

void TGlyphButton::SetButtonStyle(TButtonStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    update();
}

void TGlyphButton::SetGlyphLayout(TButtonLayout layout)
{
    if (layout == m_layout)
        return;
    m_layout = layout;
    update();
}

void TGlyphButton::SetMargin(int margin)
{
    if (margin == m_margin || margin < -1)
        return;
    m_margin = margin;
    update();
}

void TGlyphButton::SetSpacing(int spacing)
{
    if (spacing == m_spacing)
        return;
    m_spacing = spacing;
    update();
}

void TGlyphButton::SetGrayedInactive(bool grayed)
{
    if (grayed == m_grayedInactive)
        return;
    m_grayedInactive = grayed;
    update();
}

void TGlyphButton::SetWordWrap(bool wrap)
{
    if (wrap == m_wordWrap)
        return;
    m_wordWrap = wrap;
    update();
}

void TGlyphButton::SetAllowTimer(bool allow)
{
    m_allowTimer = allow;
    if (!allow && m_repeatTimer)
        m_repeatTimer->stop();
}

void TGlyphButton::SetCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void TGlyphButton::SetFontColor(TColor color)
{
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    update();
}

bool TGlyphButton::UsesNewStyle() const
{
    // The desktops this program runs on draw new-style controls.
    return m_style == bsNew || m_style == bsAutoDetect;
}

// ---- mouse ------------------------------------------------------------------

bool TGlyphButton::InsideForDrag(const QPoint &pos) const
{
    return pos.x() >= 0 && pos.x() < width() && pos.y() >= 0 && pos.y() <= height();
}

void TGlyphButton::HandlePress(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && isEnabled()) {
        if (!m_down) {
            SetState(sbsDown);
            repaint();
        }
        m_dragging = true;
        if (m_allowTimer) {
            if (!m_repeatTimer) {
                m_repeatTimer = new QTimer(this);
                connect(m_repeatTimer, &QTimer::timeout, this, &TGlyphButton::RepeatTick);
            }
            m_repeatTimer->start(m_initPause);
        }
    }
    if (isEnabled() && !m_mouseIn) {
        m_mouseIn = true;
        update();
    }
}

void TGlyphButton::mousePressEvent(QMouseEvent *event)
{
    HandlePress(event);
}

void TGlyphButton::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    TSpeedButtonState next;
    if (m_down)
        next = sbsExclusive;
    else
        next = InsideForDrag(event->position().toPoint()) ? sbsDown : sbsUp;
    if (next != m_state) {
        SetState(next);
        repaint();
    }
}

void TGlyphButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_dragging)
        return;
    m_dragging = false;
    const bool inside = InsideForDrag(event->position().toPoint());
    if (m_groupIndex == 0) {
        SetState(sbsUp);
        m_mouseIn = false;
        if (inside)
            repaint();
        else
            update();
    } else if (inside) {
        SetDown(!m_down); // going up is refused unless AllowAllUp
        if (m_down)
            SetState(sbsExclusive);
        update();
    } else if (m_down) {
        SetState(sbsExclusive);
        update();
    }
    QPointer<TGlyphButton> alive(this);
    if (inside)
        Click();
    if (!alive)
        return;
    UpdateMouseIn();
    if (m_repeatTimer)
        m_repeatTimer->stop();
}

void TGlyphButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    HandlePress(event);
    if (m_down)
        Q_EMIT OnDblClick();
}

void TGlyphButton::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    if (isEnabled() && !m_mouseIn) {
        m_mouseIn = true;
        if (m_flat)
            update();
    }
}

void TGlyphButton::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    if (m_mouseIn && !m_dragging) {
        m_mouseIn = false;
        if (m_flat)
            update();
    }
}

void TGlyphButton::UpdateMouseIn()
{
    m_mouseIn = isEnabled() && isVisible() && rect().contains(mapFromGlobal(QCursor::pos()));
}

void TGlyphButton::RepeatTick()
{
    m_repeatTimer->setInterval(m_repeatInterval);
    if (m_state != sbsDown || !m_dragging)
        return;
    try {
        Click();
    } catch (const AppError &error) {
        m_repeatTimer->stop();
        ShowError(window(), error.message());
    }
}

void TGlyphButton::CancelMode()
{
    if (m_repeatTimer)
        m_repeatTimer->stop();
    if (!m_dragging)
        return;
    m_dragging = false;
    SetState(m_down ? sbsExclusive : sbsUp);
    update();
}

void TGlyphButton::Click()
{
    auto *dialog = qobject_cast<QDialog *>(window());
    if (dialog && m_modalResult != 0)
        dialog->setResult(m_modalResult);
    QPointer<QDialog> guard(dialog);
    Q_EMIT OnClick();
    if (guard && m_modalResult != 0)
        guard->done(m_modalResult);
}

void TGlyphButton::PressByKey()
{
    if (!isEnabled())
        return;
    if (!m_down) {
        SetState(sbsDown);
        repaint();
    }
    // Long enough for the pressed look to reach the screen.
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < 20)
        QThread::usleep(500);
    QPointer<TGlyphButton> alive(this);
    auto release = [&] {
        if (!alive)
            return;
        SetState(sbsUp);
        if (m_groupIndex == 0)
            repaint();
    };
    try {
        if (m_groupIndex == 0)
            Click();
    } catch (...) {
        release();
        throw;
    }
    release();
    if (alive && m_groupIndex != 0) {
        SetDown(!m_down);
        Click();
    }
}

void TGlyphButton::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        if (!isEnabled()) {
            m_state = sbsDisabled;
            m_dragging = false;
        } else if (m_state == sbsDisabled) {
            m_state = (m_down && m_groupIndex != 0) ? sbsExclusive : sbsUp;
        }
        m_glyph.StateImage(!isEnabled() ? sbsDisabled : (m_flat ? sbsInactive : sbsUp));
        UpdateMouseIn();
        update();
        break;
    case QEvent::PaletteChange:
    case QEvent::ApplicationPaletteChange:
        m_glyph.Invalidate();
        update();
        break;
    case QEvent::FontChange: update(); break;
    default: break;
    }
}

// ---- painting ---------------------------------------------------------------

void TGlyphButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    PaintButton(painter);
}

TSpeedButtonState TGlyphButton::PaintState() const
{
    return m_flat && !m_mouseIn ? sbsInactive : m_state;
}

void TGlyphButton::PaintButton(QPainter &p)
{
    const TSpeedButtonState paintState = PaintState();
    const TFrameColors colors = TFrameColors::FromDesktop();
    QRect r = rect();
    p.setFont(font());
    if (!m_transparent)
        p.fillRect(r, QColor(colors.face));

    TFrameLook look;
    look.pressed = m_state == sbsDown || m_state == sbsExclusive;
    look.newStyle = UsesNewStyle();
    look.flat = m_flat;
    if (paintState != sbsInactive || m_state == sbsExclusive)
        DrawButtonFrame(p, r, look, colors);
    else if (m_flat)
        r.adjust(2, 2, -2, -2);

    if (m_state == sbsExclusive && !m_transparent && (!m_flat || paintState == sbsInactive)) {
        QImage pattern(2, 2, QImage::Format_RGB32);
        pattern.setPixel(0, 0, colors.face);
        pattern.setPixel(1, 1, colors.face);
        pattern.setPixel(1, 0, colors.highlight);
        pattern.setPixel(0, 1, colors.highlight);
        p.setBrushOrigin(0, 0);
        p.fillRect(r.adjusted(-1, -1, 1, 1), QBrush(pattern));
    }
    if (look.pressed)
        r.translate(1, 1);

    const TSpeedButtonState glyphState = (m_state == sbsDisabled || !m_grayedInactive) ? m_state : paintState;
    DrawContents(p, r, glyphState);
}

void TGlyphButton::DrawContents(QPainter &p, const QRect &r, TSpeedButtonState glyphState)
{
    TButtonContents contents;
    contents.rect = r;
    contents.glyph = m_glyph.ImageSize();
    contents.hasCaption = !m_caption.isEmpty();
    contents.layout = m_layout;
    contents.margin = m_margin;
    contents.spacing = m_spacing;

    const QFontMetrics metrics(font());
    QString text;
    if (contents.hasCaption) {
        const QSize room = CaptionRoom(contents);
        text = FittedCaption(metrics, room);
        const QRect bounds(0, 0, qMax(room.width(), 1), qMax(room.height(), 1));
        contents.caption = metrics.boundingRect(bounds, CaptionFlags(), text).size();
    }

    const TButtonContentsPlaces places = LayoutButtonContents(contents);
    if (!contents.glyph.isEmpty())
        m_glyph.Draw(p, places.glyph.x(), places.glyph.y(), glyphState);
    if (contents.hasCaption)
        DrawCaption(p, QRect(places.caption, contents.caption), text, glyphState);
}

QString TGlyphButton::FittedCaption(const QFontMetrics &metrics, const QSize &room) const
{
    QStringList lines = m_caption.split(QLatin1Char('\n'));
    if (!m_wordWrap) {
        for (QString &line : lines)
            line = ShortenCaptionLine(metrics, line, room.width());
    }
    return lines.join(QLatin1Char('\n'));
}

int TGlyphButton::CaptionFlags() const
{
    const TAlignment alignment = m_glyph.Alignment();
    const int horizontal = alignment == taLeftJustify    ? Qt::AlignLeft
                           : alignment == taRightJustify ? Qt::AlignRight
                                                         : Qt::AlignHCenter;
    return horizontal | (m_wordWrap ? Qt::TextWordWrap : 0);
}

void TGlyphButton::DrawCaption(QPainter &p, const QRect &block, const QString &text, TSpeedButtonState glyphState)
{
    const int flags = CaptionFlags() | Qt::AlignVCenter;
    if (glyphState == sbsDisabled) {
        p.setPen(QColor(ToQRgb(clBtnHighlight)));
        p.drawText(block.translated(1, 1), flags, text);
        p.setPen(QColor(ToQRgb(clBtnShadow)));
        p.drawText(block, flags, text);
    } else {
        p.setPen(QColor(ToQRgb(m_fontColor)));
        p.drawText(block, flags, text);
    }
}
