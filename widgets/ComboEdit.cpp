#include "ComboEdit.h"

#include "UserNotifier.h"
#include "base/AppError.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>

// ---- glyph pictures ---------------------------------------------------------

QImage DrawEllipsisGlyph(int buttonWidth)
{
    const int bw = qMax(1, buttonWidth - 6);
    QImage image(bw, 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int gap = qBound(1, (bw - 6) / 2, 3);
    const int x0 = (bw - 6 - 2 * gap) / 2;
    QPainter painter(&image);
    for (int x : {x0, x0 + gap + 2, x0 + 2 * gap + 4})
        painter.fillRect(x, 1, 2, 2, Qt::black);
    return image;
}

QImage DropDownArrowGlyph(const QWidget *widget)
{
    // Drawn on a clear image first: the style smooths its arrow, and the
    // half-covered pixels must not blend with the transparent colour.
    QImage clear(9, 7, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    {
        QPainter painter(&clear);
        QStyleOption option;
        option.initFrom(widget);
        option.rect = clear.rect();
        option.state = QStyle::State_Enabled;
        option.palette.setColor(QPalette::ButtonText, Qt::black);
        option.palette.setColor(QPalette::WindowText, Qt::black);
        widget->style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &painter, widget);
    }
    QImage glyph(clear.size(), QImage::Format_RGB32);
    for (int y = 0; y < clear.height(); ++y)
        for (int x = 0; x < clear.width(); ++x)
            glyph.setPixel(x, y, qAlpha(clear.pixel(x, y)) >= 128 ? qRgb(0, 0, 0) : qRgb(255, 0, 255));
    glyph.setPixel(0, glyph.height() - 1, qRgb(255, 0, 255));
    return glyph;
}

namespace {

// A single-line field takes pasted text up to its first line break, so a
// spreadsheet cell or a terminal line ("5" and a line break) pastes as "5".
QString firstLineOf(const QString &text)
{
    for (int i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u'\n' || c == u'\r' || c == u'\u2028' || c == u'\u2029')
            return text.left(i);
    }
    return text;
}

} // namespace

// ---- TEditButton ------------------------------------------------------------

TEditButton::TEditButton(TCustomComboEdit *field, QWidget *container) : TGlyphButton(container), m_field(field) {}

void TEditButton::PrepareForPress(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_suppressNextClick = m_field->Popup() && m_field->PopupVisible();
    try {
        if (m_field->PopupVisible())
            m_field->ClosePopup(true);
        else if ((m_field->focusPolicy() & Qt::TabFocus) && m_field->isEnabled() && !m_field->hasFocus())
            m_field->setFocus(Qt::MouseFocusReason);
    } catch (const AppError &error) {
        showError(window(), error.message());
    }
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
        showError(window(), error.message());
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
    painter.fillRect(0, 0, 1, height() - 1, QColor(toQRgb(UsesNewStyle() ? clBtnFace : clBtnShadow)));
    painter.fillRect(1, 1, 1, height() - 3, QColor(toQRgb(clBtnHighlight)));
}

// ---- TCustomComboEdit: construction and properties --------------------------

TCustomComboEdit::TCustomComboEdit(QWidget *parent) : QLineEdit(parent)
{
    m_container = new QWidget(this);
    m_container->setGeometry(0, 0, 21, 17);
    m_container->setFocusPolicy(Qt::NoFocus);
    m_container->setCursor(Qt::ArrowCursor);
    m_button = new TEditButton(this, m_container);
    m_button->setGeometry(0, 0, 21, 17);
    connect(m_button, &TGlyphButton::OnClick, this, &TCustomComboEdit::EditButtonClicked);
    connect(this, &QLineEdit::textChanged, this, &TCustomComboEdit::Change);
    // Dropping text in would bypass the paste rules.
    setAcceptDrops(false);
    resize(121, 21);
}

TCustomComboEdit::~TCustomComboEdit()
{
    disconnect(m_button, &TGlyphButton::OnClick, this, &TCustomComboEdit::EditButtonClicked);
    WatchClicks(false);
}

void TCustomComboEdit::ApplyEditReadOnly()
{
    QLineEdit::setReadOnly(m_readOnly || !m_directInput);
}

void TCustomComboEdit::SetFieldReadOnly(bool readOnly)
{
    if (readOnly == m_readOnly)
        return;
    m_readOnly = readOnly;
    ApplyEditReadOnly();
}

void TCustomComboEdit::SetDirectInput(bool direct)
{
    m_directInput = direct;
    ApplyEditReadOnly();
}

int TCustomComboEdit::ButtonWidth() const
{
    return m_button->width();
}

void TCustomComboEdit::SetButtonWidth(int width)
{
    if (width == ButtonWidth())
        return;
    m_container->setVisible(width > 1);
    if (m_creating) {
        m_container->resize(width, m_container->height());
        m_button->resize(width, m_button->height());
        m_button->SetWidthFixed(false);
        PlaceButton();
        LoadGlyphForKind();
    } else if (width < ClientRect().width()) {
        m_button->resize(width, m_button->height());
        m_button->SetWidthFixed(false);
        PlaceButton();
        LoadGlyphForKind();
    }
}

QString TCustomComboEdit::ButtonHint() const
{
    return m_button->toolTip();
}
void TCustomComboEdit::SetButtonHint(const QString &hint)
{
    m_button->setToolTip(hint);
}

QImage TCustomComboEdit::Glyph() const
{
    return m_button->Glyph();
}

void TCustomComboEdit::SetGlyph(const QImage &bitmap)
{
    m_button->SetGlyph(bitmap);
    m_glyphKind = gkCustom;
}

int TCustomComboEdit::NumGlyphs() const
{
    return m_button->NumGlyphs();
}

void TCustomComboEdit::SetNumGlyphs(int count)
{
    switch (m_glyphKind) {
    case gkDropDown:
    case gkEllipsis: m_button->SetNumGlyphs(1); break;
    case gkDefault: m_button->SetNumGlyphs(m_defaultNumGlyphs); break;
    case gkCustom: m_button->SetNumGlyphs(count); break;
    }
}

void TCustomComboEdit::SetGlyphKind(TGlyphKind kind)
{
    if (kind == m_glyphKind)
        return;
    m_glyphKind = kind;
    LoadGlyphForKind();
    if (kind == gkDefault) {
        const int glyphWidth = m_button->Glyph().width() / m_button->NumGlyphs();
        SetButtonWidth(qMax(glyphWidth + 6, ButtonWidth()));
    } else if (kind == gkDropDown) {
        SetButtonWidth(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
        m_button->SetWidthFixed(true);
    }
}

void TCustomComboEdit::LoadGlyphForKind()
{
    switch (m_glyphKind) {
    case gkCustom: break;
    case gkDefault:
        m_button->SetGlyph(DefaultGlyphBitmap());
        m_button->SetNumGlyphs(m_defaultNumGlyphs);
        break;
    case gkDropDown:
        m_button->SetGlyph(DropDownArrowGlyph(this));
        m_button->SetNumGlyphs(1);
        break;
    case gkEllipsis:
        m_button->SetGlyph(DrawEllipsisGlyph(ButtonWidth()));
        m_button->SetNumGlyphs(1);
        break;
    }
}

void TCustomComboEdit::SetEditAlignment(TAlignment alignment)
{
    m_editAlignment = alignment;
    const Qt::Alignment horizontal = alignment == taRightJustify ? Qt::AlignRight
                                     : alignment == taCenter     ? Qt::AlignHCenter
                                                                 : Qt::AlignLeft;
    setAlignment(horizontal | Qt::AlignTop);
}

void TCustomComboEdit::SetCtl3D(bool ctl3D)
{
    if (ctl3D == m_ctl3D)
        return;
    m_ctl3D = ctl3D;
    PlaceButton();
}

void TCustomComboEdit::SetPopup(TPopupWindow *popup)
{
    if (popup == m_popup)
        return;
    if (m_popup) {
        disconnect(m_popup, &TPopupWindow::CloseNotify, this, nullptr);
        m_popup->SetEditorRepaint(nullptr);
    }
    m_popup = popup;
    if (popup) {
        connect(popup, &TPopupWindow::CloseNotify, this, [this](TPopupWindow *, bool accept) { ClosePopup(accept); });
        popup->SetEditorRepaint([this] { repaint(EditRect()); });
        popup->setLayoutDirection(layoutDirection());
    }
}

// ---- geometry ---------------------------------------------------------------

int TCustomComboEdit::BorderInset() const
{
    if (!hasFrame())
        return 0;
    return m_ctl3D ? 2 : 1;
}

QRect TCustomComboEdit::ClientRect() const
{
    const int inset = BorderInset();
    return rect().adjusted(inset, inset, -inset, -inset);
}

QRect TCustomComboEdit::EditRect() const
{
    const QRect client = ClientRect();
    return QRect(client.left(), client.top(), client.width() - m_container->width() - 2, client.height() + 1);
}

int TCustomComboEdit::FontLineHeight() const
{
    return qMin(QFontMetrics(QApplication::font()).height(), fontMetrics().height());
}

int TCustomComboEdit::MinimumFieldHeight() const
{
    // Four border heights of one pixel each.
    return FontLineHeight() + 4 * 1 + 1;
}

void TCustomComboEdit::PlaceButton()
{
    const int w = width();
    const int h = height();
    const int b = ButtonWidth();
    const int inset = BorderInset();
    // Positions are in client coordinates, inside the border.
    QRect bounds;
    if (inset == 2)
        bounds = QRect(w - b - 4, 0, b, h - 4);
    else if (inset == 1)
        bounds = QRect(w - b - 2, 2, b, h - 4);
    else
        bounds = QRect(w - b, 0, b, h);
    m_container->setGeometry(bounds.translated(inset, inset));
    m_button->setGeometry(0, 0, b, m_container->height());
    NarrowEditRect();
}

void TCustomComboEdit::NarrowEditRect()
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const int textRight = EditRect().right() + 1;
    setTextMargins(0, 0, qMax(0, contents.right() + 1 - textRight), 0);
}

void TCustomComboEdit::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    const int minimum = MinimumFieldHeight();
    if (height() < minimum) {
        resize(width(), minimum);
        return;
    }
    PlaceButton();
}

// ---- popup ------------------------------------------------------------------

void TCustomComboEdit::OpenPopup(bool disableEdit)
{
    if (!m_popup || FieldReadOnly() || m_popupVisible)
        return;
    const QPoint p = mapToGlobal(QPoint(0, 0));
    const QScreen *screen = this->screen();
    const QRect s = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const int screenRight = s.x() + s.width();
    const int pw = m_popup->width();
    const int ph = m_popup->height();

    int y = p.y() + height();
    if (s.y() + s.height() < y + ph)
        y = p.y() - ph;
    int x;
    if (m_popupAlign == epaRight) {
        x = p.x() - (pw - width());
        if (x < s.x())
            x = p.x();
    } else {
        x = p.x();
        if (screenRight < x + pw)
            x = p.x() - (pw - width());
    }
    if (x < s.x())
        x = s.x();
    else if (screenRight < x + pw)
        x = screenRight - pw;

    WritePopupValue(text().isEmpty() ? QVariant() : QVariant(text()));
    if (isEnabled() && focusPolicy() != Qt::NoFocus)
        setFocus(Qt::OtherFocusReason);
    ShowPopupAt(QPoint(x, y));
    m_popupVisible = true;
    m_windowGeometryAtOpening = window()->geometry();
    WatchClicks(true);
    if (disableEdit)
        QLineEdit::setReadOnly(true); // a read-only edit shows no caret
}

void TCustomComboEdit::ClosePopup(bool accept)
{
    if (!m_popup || !m_popupVisible)
        return;
    struct MarkClosed
    {
        TCustomComboEdit *field;
        ~MarkClosed()
        {
            field->m_popupVisible = false;
            field->WatchClicks(false);
        }
    } markClosed{this};

    // A press in progress inside the popup is dropped with it.
    if (QWidget *grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    for (TGlyphButton *key : m_popup->findChildren<TGlyphButton *>())
        key->CancelMode();

    const QVariant value = ReadPopupValue();
    HidePopupWindow();
    try {
        // When the focus is on its way to another control, closing must not
        // pull it back.
        if (!m_losingFocus && isEnabled() && focusPolicy() != Qt::NoFocus)
            setFocus(Qt::OtherFocusReason);
    } catch (...) {
        // Giving the focus back is a courtesy; the popup closes regardless.
    }
    SetDirectInput(m_directInput);
    update();
    if (accept && MayTakePopupValue(value) && !m_readOnly) {
        TakePopupValue(value);
        if (m_focused)
            selectAll();
    }
}

void TCustomComboEdit::ShowPopupAt(const QPoint &screenPos)
{
    if (m_popup)
        m_popup->ShowPopupAt(screenPos);
}

void TCustomComboEdit::HidePopupWindow()
{
    if (m_popup)
        m_popup->HidePopupWindow();
}

void TCustomComboEdit::WritePopupValue(const QVariant &value)
{
    if (m_popup)
        m_popup->PopupSetValue(value);
}

QVariant TCustomComboEdit::ReadPopupValue()
{
    return m_popup ? m_popup->PopupGetValue() : QVariant();
}

QString TCustomComboEdit::PopupValueText(const QVariant &value) const
{
    if (!value.isValid() || value.isNull())
        return QString();
    const int type = value.typeId();
    if (type == QMetaType::Double || type == QMetaType::Float)
        return QString::number(value.toDouble(), 'g', 15);
    return value.toString();
}

void TCustomComboEdit::TakePopupValue(const QVariant &value)
{
    const QString newText = PopupValueText(value);
    if (text() == newText)
        return;
    setText(newText);
    setModified(true);
    SyncPopupVisible();
    Q_EMIT OnChange();
}

void TCustomComboEdit::SyncPopupVisible()
{
    m_popupVisible = m_popup && m_popup->isVisible();
    if (!m_popupVisible)
        WatchClicks(false);
}

void TCustomComboEdit::SelectAllIfDirect()
{
    if (m_directInput)
        selectAll();
}

void TCustomComboEdit::EditButtonClicked()
{
    if (!FieldReadOnly())
        ButtonClicked();
}

void TCustomComboEdit::ButtonClicked()
{
    Q_EMIT OnButtonClick();
    if (!m_popup)
        return;
    if (m_popupVisible)
        ClosePopup(true);
    else
        OpenPopup(true);
}

void TCustomComboEdit::Change()
{
    if (m_popupVisible)
        PopupValueChanged();
    else
        Q_EMIT OnChange();
}

// ---- cancel mode ------------------------------------------------------------

void TCustomComboEdit::WatchClicks(bool watch)
{
    if (watch == m_watchingClicks || !qApp)
        return;
    m_watchingClicks = watch;
    if (watch)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool TCustomComboEdit::BelongsToFrame(const QWidget *widget) const
{
    return widget == this || widget == m_container || m_container->isAncestorOf(widget)
           || (m_popup && (widget == m_popup || m_popup->isAncestorOf(widget)));
}

bool TCustomComboEdit::eventFilter(QObject *watched, QEvent *event)
{
    // The popup stands under the field on the screen: when the window moves,
    // changes its size or is minimised, the popup would be left behind, so
    // it closes as after a click outside. Only a real change counts; a
    // window system may repeat the geometry the window already has.
    if (m_popupVisible && watched == window()) {
        const QEvent::Type type = event->type();
        const bool moved =
            (type == QEvent::Move || type == QEvent::Resize) && window()->geometry() != m_windowGeometryAtOpening;
        const bool minimised = (type == QEvent::WindowStateChange || type == QEvent::Hide)
                               && (window()->isMinimized() || !window()->isVisible());
        if (moved || minimised)
            ClosePopup(false);
    }
    // While the popup is open, a left press or double click on any other
    // control closes it without taking its value.
    if (m_popupVisible && watched->isWidgetType()
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton
        && !BelongsToFrame(static_cast<QWidget *>(watched))) {
        ClosePopup(false);
    }
    return QLineEdit::eventFilter(watched, event);
}

// ---- input ------------------------------------------------------------------

bool TCustomComboEdit::HandleFrameKey(QKeyEvent *event)
{
    const QKeyCombination combination(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(event->key()));
    if (combination == m_clickKey && ButtonWidth() > 0) {
        EditButtonClicked();
        event->accept();
        return true;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if ((enter || event->key() == Qt::Key_Escape) && m_popupVisible) {
        ClosePopup(enter);
        event->accept();
        return true;
    }
    return false;
}

bool TCustomComboEdit::event(QEvent *event)
{
    // Keys the frame uses must reach it before any shortcut of the window.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        const QKeyCombination combination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key()));
        const bool closeKey =
            key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape;
        if ((combination == m_clickKey && ButtonWidth() > 0) || (closeKey && m_popupVisible)) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void TCustomComboEdit::keyPressEvent(QKeyEvent *event)
{
    try {
        if (HandleFrameKey(event))
            return;
        if (event->matches(QKeySequence::Paste)) {
            PasteFromClipboard();
            event->accept();
            return;
        }
        if (event->matches(QKeySequence::Cut)) {
            CutToClipboard();
            event->accept();
            return;
        }
        // With no popup open, Enter and Escape pass through the edit and are
        // left unused, so the window's default and cancel buttons get them.
        QLineEdit::keyPressEvent(event);
    } catch (const AppError &error) {
        showError(window(), error.message());
    }
}

// The edit is also read-only while the popup is open: its text then waits for
// the popup's value and must not change under it.
void TCustomComboEdit::PasteFromClipboard()
{
    if (m_directInput && !m_readOnly && !isReadOnly())
        PasteLine(QClipboard::Clipboard);
}

void TCustomComboEdit::PasteLine(QClipboard::Mode mode)
{
    const QString line = firstLineOf(QGuiApplication::clipboard()->text(mode));
    if (!line.isEmpty() || hasSelectedText())
        insert(line);
}

void TCustomComboEdit::CutToClipboard()
{
    if (m_directInput && !m_readOnly && !isReadOnly())
        cut();
}

void TCustomComboEdit::contextMenuEvent(QContextMenuEvent *event)
{
    // The menu opening closes the drop-down anyway; closing it first gives
    // the edit back its own read-only state, so the menu offers what the
    // field allows (cut, paste, undo) rather than what the open drop-down did.
    if (m_popupVisible)
        ClosePopup(false);
    QMenu *menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const bool mayChange = m_directInput && !m_readOnly && !isReadOnly();
    // Newer toolkits name the menu's actions; older ones are known by their
    // (translated) text only.
    const auto is = [](const QAction *action, const char *name, const char *text) {
        return action->objectName() == QLatin1String(name)
               || action->text().startsWith(QCoreApplication::translate("QLineEdit", text));
    };
    for (QAction *action : menu->actions()) {
        if (is(action, "edit-paste", "&Paste")) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &TCustomComboEdit::PasteFromClipboard);
            action->setEnabled(mayChange && action->isEnabled());
        } else if (is(action, "edit-cut", "Cu&t")) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &TCustomComboEdit::CutToClipboard);
            action->setEnabled(mayChange && action->isEnabled());
        }
    }
    menu->popup(event->globalPos());
}

void TCustomComboEdit::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_popup) {
        if (isEnabled() && (focusPolicy() & Qt::ClickFocus))
            setFocus(Qt::MouseFocusReason);
        if (!m_focused)
            return;
        if (m_popupVisible)
            ClosePopup(false);
    }
    QLineEdit::mousePressEvent(event);
}

void TCustomComboEdit::mouseReleaseEvent(QMouseEvent *event)
{
    // The middle button pastes the selection; it follows the paste rules.
    if (event->button() == Qt::MiddleButton) {
        if (m_directInput && !m_readOnly && !isReadOnly() && QGuiApplication::clipboard()->supportsSelection()) {
            deselect();
            PasteLine(QClipboard::Selection);
        }
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TCustomComboEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    m_focused = true;
    // Entering the field selects its text, except when the entry comes
    // from a click (the click places the caret), from a closing menu or from
    // the window becoming active again (the user is back where they were).
    const Qt::FocusReason reason = event->reason();
    const bool entry =
        reason != Qt::MouseFocusReason && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
    if (entry)
        SelectAllIfDirect();
    if (!m_directInput && hasSelectedText())
        deselect();
}

void TCustomComboEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    m_focused = false;
    const QScopedValueRollback<bool> losingFocus(m_losingFocus, true);
    ClosePopup(false);
}

void TCustomComboEdit::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange: m_button->setEnabled(isEnabled()); break;
    case QEvent::FontChange: NarrowEditRect(); break;
    case QEvent::LayoutDirectionChange:
        if (m_popup)
            m_popup->setLayoutDirection(layoutDirection());
        break;
    default: break;
    }
}
