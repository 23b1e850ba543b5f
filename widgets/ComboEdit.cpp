#include "ComboEdit.h"

#include "UserNotifier.h"
#include "base/AppError.h"

#include "EditButtonGlyphs.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>

// ---- TCustomComboEdit: construction and properties --------------------------

TCustomComboEdit::TCustomComboEdit(QWidget *parent) : QLineEdit(parent)
{
    m_container = new QWidget(this);
    m_container->setGeometry(0, 0, 21, 17);
    m_container->setFocusPolicy(Qt::NoFocus);
    m_container->setCursor(Qt::ArrowCursor);
    m_button = new TEditButton(m_container);
    m_button->setGeometry(0, 0, 21, 17);
    m_button->SetPressHandler([this] { return PrepareButtonPress(); });
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
    const QScreen *screen = this->screen();
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const QPoint origin =
        PopupOrigin(QRect(mapToGlobal(QPoint(0, 0)), size()), m_popup->size(), screenRect, m_popupAlign);

    WritePopupValue(text().isEmpty() ? QVariant() : QVariant(text()));
    if (isEnabled() && focusPolicy() != Qt::NoFocus)
        setFocus(Qt::OtherFocusReason);
    ShowPopupAt(origin);
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

bool TCustomComboEdit::PrepareButtonPress()
{
    const bool swallowClick = m_popup && m_popupVisible;
    try {
        if (m_popupVisible)
            ClosePopup(true);
        else if ((focusPolicy() & Qt::TabFocus) && isEnabled() && !hasFocus())
            setFocus(Qt::MouseFocusReason);
    } catch (const AppError &error) {
        ShowError(window(), error.message());
    }
    return swallowClick;
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
