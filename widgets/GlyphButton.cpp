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

// ---- frame ------------------------------------------------------------------

TFrameColors TFrameColors::FromDesktop()
{
    return {toQRgb(clBtnHighlight), toQRgb(clBtnShadow), toQRgb(clWindowFrame), toQRgb(clBtnFace)};
}

namespace {

// One 1-pixel frame: top and left edges in the first colour, bottom and
// right edges (with the two corners they end in) in the second; then the
// rectangle shrinks by one on each side.
void frame(QPainter &p, QRect &r, QRgb first, QRgb second)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.fillRect(r.left(), r.top(), 1, r.height() - 1, QColor(first));
    p.fillRect(r.left(), r.top(), r.width() - 1, 1, QColor(first));
    p.fillRect(r.right(), r.top(), 1, r.height(), QColor(second));
    p.fillRect(r.left(), r.bottom(), r.width(), 1, QColor(second));
    r.adjust(1, 1, -1, -1);
}

} // namespace

void DrawButtonFrame(QPainter &p, QRect &r, bool pressed, bool newStyle, bool flat, const TFrameColors &c)
{
    if (!pressed) {
        if (newStyle && !flat) {
            frame(p, r, c.highlight, c.windowFrame);
            frame(p, r, c.face, c.shadow);
        } else if (newStyle) {
            frame(p, r, c.highlight, c.shadow);
        } else if (!flat) {
            frame(p, r, c.windowFrame, c.windowFrame);
            frame(p, r, c.highlight, c.shadow);
        } else {
            frame(p, r, c.highlight, c.windowFrame);
        }
    } else {
        if (newStyle && !flat) {
            frame(p, r, c.windowFrame, c.highlight);
            frame(p, r, c.shadow, c.face);
        } else if (!newStyle && !flat) {
            frame(p, r, c.windowFrame, c.windowFrame);
            p.fillRect(r.left(), r.top(), 1, r.height(), QColor(c.shadow));
            p.fillRect(r.left(), r.top(), r.width(), 1, QColor(c.shadow));
        } else {
            frame(p, r, c.windowFrame, c.highlight);
        }
    }
    r.adjust(1, 1, -1, -1);
}

QString ShortenCaptionLine(const QFontMetrics &metrics, const QString &line, int width)
{
    if (metrics.horizontalAdvance(line) <= width)
        return line;
    for (int keep = int(line.size()) - 2; keep > 0; --keep) {
        const QString candidate = line.left(keep) + QStringLiteral("...");
        if (metrics.horizontalAdvance(candidate) <= width)
            return candidate;
    }
    return QStringLiteral("...");
}

// ---- TGlyphButton -----------------------------------------------------------

TGlyphButton::TGlyphButton(QWidget *parent) : QWidget(parent)
{
    setGeometry(0, 0, 25, 25);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_glyph.OnChange = [this] { update(); };
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
        m_state = sbsExclusive;
        ReleaseGroupSiblings();
    } else {
        m_state = sbsUp;
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
            other->m_state = sbsUp;
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
        m_state = sbsUp;
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
    if (event->button() == Qt::LeftButton && isEnabled() && !m_menuTracking) {
        if (!m_down) {
            m_state = sbsDown;
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
        m_state = next;
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
        m_state = sbsUp;
        m_mouseIn = false;
        if (inside)
            repaint();
        else
            update();
    } else if (inside) {
        SetDown(!m_down); // going up is refused unless AllowAllUp
        if (m_down)
            m_state = sbsExclusive;
        update();
    } else if (m_down) {
        m_state = sbsExclusive;
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
    if (m_menuTracking)
        return;
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
        showError(window(), error.message());
    }
}

void TGlyphButton::CancelMode()
{
    if (m_repeatTimer)
        m_repeatTimer->stop();
    if (!m_dragging)
        return;
    m_dragging = false;
    m_state = m_down ? sbsExclusive : sbsUp;
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
    if (m_menuTracking || !isEnabled())
        return;
    if (!m_down) {
        m_state = sbsDown;
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
        m_state = sbsUp;
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

void TGlyphButton::PaintButton(QPainter &p)
{
    if (!isEnabled()) {
        m_state = sbsDisabled;
        m_dragging = false;
    } else if (m_state == sbsDisabled) {
        m_state = (m_down && m_groupIndex != 0) ? sbsExclusive : sbsUp;
    }
    TSpeedButtonState paintState = m_state;
    if (m_flat && !m_mouseIn)
        paintState = sbsInactive;

    const TFrameColors colors = TFrameColors::FromDesktop();
    QRect r = rect();
    p.setFont(font());
    if (!m_transparent)
        p.fillRect(r, QColor(colors.face));

    const bool pressed = m_state == sbsDown || m_state == sbsExclusive;
    if (paintState != sbsInactive || m_state == sbsExclusive)
        DrawButtonFrame(p, r, pressed, UsesNewStyle(), m_flat, colors);
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
    if (pressed)
        r.translate(1, 1);

    const TSpeedButtonState glyphState = (m_state == sbsDisabled || !m_grayedInactive) ? m_state : paintState;
    DrawContents(p, r, glyphState);
}

void TGlyphButton::DrawContents(QPainter &p, const QRect &r, TSpeedButtonState glyphState)
{
    const QSize glyphSize = m_glyph.ImageSize();
    const bool hasGlyph = glyphSize.width() > 0 && glyphSize.height() > 0;
    const bool hasText = !m_caption.isEmpty();
    const bool sideBySide = m_layout == blGlyphLeft || m_layout == blGlyphRight;

    // Room for the caption.
    int availW = r.width();
    int availH = r.height();
    int &reduced = sideBySide ? availW : availH;
    reduced -= sideBySide ? glyphSize.width() : glyphSize.height();
    if (m_margin != -1)
        reduced -= m_margin;
    if (m_spacing != -1)
        reduced -= m_spacing;

    const QFontMetrics metrics(font());
    const int alignFlag = m_glyph.Alignment() == taLeftJustify    ? Qt::AlignLeft
                          : m_glyph.Alignment() == taRightJustify ? Qt::AlignRight
                                                                  : Qt::AlignHCenter;
    QString text;
    QSize textSize(0, 0);
    if (hasText) {
        QStringList lines = m_caption.split(QLatin1Char('\n'));
        if (!m_wordWrap) {
            for (QString &line : lines)
                line = ShortenCaptionLine(metrics, line, availW);
        }
        text = lines.join(QLatin1Char('\n'));
        const int flags = alignFlag | (m_wordWrap ? Qt::TextWordWrap : 0);
        textSize = metrics.boundingRect(QRect(0, 0, qMax(availW, 1), qMax(availH, 1)), flags, text).size();
    }

    // Glyph, spacing and caption form one group along the layout's axis.
    const int extent = sideBySide ? r.width() : r.height();
    const int total = sideBySide ? glyphSize.width() + textSize.width() : glyphSize.height() + textSize.height();
    int spacing = (hasGlyph && hasText) ? m_spacing : 0;
    int margin = m_margin;
    if (margin == -1 && spacing == -1) {
        spacing = (extent - total) / 3;
        margin = spacing;
    } else if (margin == -1) {
        margin = (extent - total - spacing) / 2;
    } else if (spacing == -1) {
        spacing = (extent - total - margin) / 2;
    }

    QPoint glyphPos;
    QPoint textPos;
    if (sideBySide) {
        glyphPos.setY(r.top() + (r.height() - glyphSize.height()) / 2);
        textPos.setY(r.top() + (r.height() - textSize.height()) / 2);
        if (m_layout == blGlyphLeft) {
            glyphPos.setX(r.left() + margin);
            textPos.setX(glyphPos.x() + glyphSize.width() + spacing);
        } else {
            textPos.setX(r.left() + margin);
            glyphPos.setX(textPos.x() + textSize.width() + spacing);
        }
    } else {
        glyphPos.setX(r.left() + (r.width() - glyphSize.width()) / 2);
        textPos.setX(r.left() + (r.width() - textSize.width()) / 2);
        if (m_layout == blGlyphTop) {
            glyphPos.setY(r.top() + margin);
            textPos.setY(glyphPos.y() + glyphSize.height() + spacing);
        } else {
            textPos.setY(r.top() + margin);
            glyphPos.setY(textPos.y() + textSize.height() + spacing);
        }
    }

    if (hasGlyph)
        m_glyph.Draw(p, glyphPos.x(), glyphPos.y(), glyphState);
    if (hasText) {
        const QRect block(textPos, textSize);
        const int flags = alignFlag | Qt::AlignVCenter | (m_wordWrap ? Qt::TextWordWrap : 0);
        if (glyphState == sbsDisabled) {
            p.setPen(QColor(toQRgb(clBtnHighlight)));
            p.drawText(block.translated(1, 1), flags, text);
            p.setPen(QColor(toQRgb(clBtnShadow)));
            p.drawText(block, flags, text);
        } else {
            p.setPen(QColor(toQRgb(m_fontColor)));
            p.drawText(block, flags, text);
        }
    }
}
