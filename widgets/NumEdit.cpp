#include "NumEdit.h"

#include "CalcGlyph.h"
#include "PopupCalculator.h"
#include "RefusedPressSwallower.h"
#include "TypedKeyText.h"
#include "UserNotifier.h"
#include "base/AppError.h"
#include "numbers/ControlKeys.h"
#include "numbers/NumKeystrokes.h"
#include "numbers/NumberText.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFrame>
#include <QTimer>

#include <limits>

namespace {

// Sets a flag for the lifetime of the guard, also when an error leaves early.
class FlagGuard
{
public:
    explicit FlagGuard(bool &flag) : m_flag(flag), m_previous(flag) { m_flag = true; }
    ~FlagGuard() { m_flag = m_previous; }

private:
    bool &m_flag;
    bool m_previous;
};

} // namespace

// ---- TCustomNumEdit: construction and properties ----------------------------

TCustomNumEdit::TCustomNumEdit(QWidget *parent) : TCustomComboEdit(parent), m_model(this)
{
    setMaxLength(std::numeric_limits<int>::max());
    m_beepOnError = true;
    m_alignment = taRightJustify;
    m_model.setDisplayFormat(DefaultDisplayFormatText());
    m_model.setDecimalPlaces(2);
    m_model.setZeroEmpty(true);
    QLineEdit::setText(QString());
    SetEditAlignment(taLeftJustify);
    SetDefaultNumGlyphs(2);
    ShowValueInEdit();
    SetCreating(true);
    SetGlyphKind(gkDefault);
    SetButtonWidth(20);
    SetCreating(false);
}

TCustomNumEdit::~TCustomNumEdit() = default;

long double TCustomNumEdit::Value()
{
    return m_model.value();
}

void TCustomNumEdit::SetValue(long double value)
{
    m_model.setValue(value);
}

void TCustomNumEdit::SetNumberText(const QString &text)
{
    m_model.setText(text);
}

void TCustomNumEdit::SetBeepOnError(bool beep)
{
    if (beep == m_beepOnError)
        return;
    m_beepOnError = beep;
    SyncPopupBeep();
}

void TCustomNumEdit::SetFormatOnEditing(bool format)
{
    if (format == m_formatOnEditing)
        return;
    m_formatOnEditing = format;
    SetEditAlignment(format ? m_alignment : taLeftJustify);
    if (format && m_editing) {
        RegroupWhileEditing();
    } else if (m_editing) {
        m_model.readValueFromText();
        ShowValueInEdit();
    }
}

void TCustomNumEdit::SetDisplayAlignment(TAlignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    if (m_formatOnEditing)
        SetEditAlignment(alignment);
    update();
}

void TCustomNumEdit::ShowValueInEdit()
{
    m_model.showValueInEdit();
}

bool TCustomNumEdit::AcceptsTypedText(const QString &typed) const
{
    const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
    return m_model.acceptsTypedText(selStart, selectionLength(), typed);
}

void TCustomNumEdit::SyncPopupBeep()
{
    ConfigureCalculator(Popup(), 15, m_beepOnError);
}

void TCustomNumEdit::ClearValue()
{
    SetNumberText(QString());
}

void TCustomNumEdit::RevertEdit()
{
    m_model.revertEdit();
    SelectAllIfDirect();
}

void TCustomNumEdit::setEditText(const QString &text)
{
    if (text != QLineEdit::text())
        QLineEdit::setText(text);
}

QImage TCustomNumEdit::DefaultGlyphBitmap() const
{
    return CalcGlyph();
}

void TCustomNumEdit::Refuse()
{
    if (m_beepOnError)
        CurrentUserNotifier().beep();
}

void TCustomNumEdit::TakeFocusBack()
{
    if (isEnabled() && isVisible() && focusPolicy() != Qt::NoFocus)
        setFocus(Qt::OtherFocusReason);
}

// ---- calculator hand-over ---------------------------------------------------

QString TCustomNumEdit::PopupValueText(const QVariant &value) const
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: return GeneralNumberText(value.toDouble(), 15);
    case QMetaType::Int:
    case QMetaType::LongLong: return QString::number(value.toLongLong());
    default: return value.toString();
    }
}

void TCustomNumEdit::OpenPopup(bool disableEdit)
{
    // A press on the button gives this field the focus first. When another
    // field refused to be left (its text is no number), the focus stayed
    // there and the error has been shown: the calculator stays shut rather
    // than open under a field without the keyboard.
    if (focusPolicy() != Qt::NoFocus && isEnabled() && !hasFocus() && window()->focusWidget()
        && window()->focusWidget() != this)
        return;
    TCustomComboEdit::OpenPopup(disableEdit);
}

bool TCustomNumEdit::MayTakePopupValue(const QVariant &value)
{
    // A popup that could not produce a value leaves the text alone.
    return value.isValid();
}

// ---- text changes and paste -------------------------------------------------

void TCustomNumEdit::Change()
{
    if (m_formatting)
        return;
    if (m_formatOnEditing && m_editing)
        RegroupWhileEditing();
    TCustomComboEdit::Change();
}

void TCustomNumEdit::RegroupWhileEditing()
{
    FlagGuard guard(m_formatting);
    QString s = QLineEdit::text();
    const int oldLength = int(s.size());
    const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
    if (!s.isEmpty() && s != QLatin1String("-"))
        s = NormalizeNumberText(s);
    s = InsertThousandSeparators(s, DisplayFormat().contains(QLatin1Char(',')));
    setEditText(s);
    if (hasFocus())
        setCursorPosition(qBound(0, selStart + int(s.size()) - oldLength, int(s.size())));
}

void TCustomNumEdit::PasteFromClipboard()
{
    CheckedPaste([this] { TCustomComboEdit::PasteFromClipboard(); });
}

void TCustomNumEdit::mouseReleaseEvent(QMouseEvent *event)
{
    // The middle button pastes the X11 selection: the paste rule holds for it too.
    if (event->button() == Qt::MiddleButton)
        CheckedPaste([this, event] { TCustomComboEdit::mouseReleaseEvent(event); });
    else
        TCustomComboEdit::mouseReleaseEvent(event);
}

void TCustomNumEdit::inputMethodEvent(QInputMethodEvent *event)
{
    // Text committed by an input method is typed text: each character passes
    // the same check as a key press.
    const QString committed = event->commitString();
    if (committed.isEmpty() || !event->preeditString().isEmpty() || event->replacementLength() != 0) {
        TCustomComboEdit::inputMethodEvent(event);
        return;
    }
    // One character at a time; a character outside the Basic Multilingual
    // Plane (two UTF-16 units) is one character.
    for (int i = 0; i < committed.size();) {
        const int units = committed.at(i).isHighSurrogate() && i + 1 < committed.size() ? 2 : 1;
        QString typed = committed.mid(i, units);
        i += units;
        if (typed == QLatin1String(".") || typed == QLatin1String(","))
            typed = QString(ReplaceTypedSeparator(typed.at(0)));
        if (isReadOnly())
            break;
        if (!AcceptsTypedText(typed)) {
            Refuse();
            break;
        }
        insert(typed);
    }
    event->accept();
}

void TCustomNumEdit::CheckedPaste(const std::function<void()> &paste)
{
    const QString before = QLineEdit::text();
    paste();
    try {
        m_model.readValueFromText();
    } catch (const AppError &) {
        QLineEdit::setText(before);
        SelectAllIfDirect();
        TakeFocusBack();
        Refuse();
    }
}

// ---- keys -------------------------------------------------------------------

void TCustomNumEdit::keyPressEvent(QKeyEvent *event)
{
    try {
        QChar c = TypedCharOf(event);
        if (!c.isNull() && PopupVisible() && IsCalculatorKey(c)) {
            // The calculator has no focus of its own; its keys come from here.
            QKeyEvent forwarded(QEvent::KeyPress, event->key(), event->modifiers(), QString(c));
            QCoreApplication::sendEvent(Popup(), &forwarded);
            event->accept();
            return;
        }
        const QChar typed = c;
        if (c == QLatin1Char('.') || c == QLatin1Char(','))
            c = ReplaceTypedSeparator(c);
        if (HandleFrameKey(event))
            return;
        if (!c.isNull() && c.unicode() >= 32 && !AcceptsTypedChar(c)) {
            Refuse();
            event->accept();
            return;
        }
        const QString several = SeveralUnitsTypedBy(event);
        if (!several.isEmpty()) {
            if (!AcceptsTypedText(several)) {
                Refuse();
                event->accept();
                return;
            }
            if (several != event->text()) {
                QKeyEvent replaced(QEvent::KeyPress, event->key(), event->modifiers(), several, event->isAutoRepeat(),
                                   event->count());
                TCustomComboEdit::keyPressEvent(&replaced);
                event->setAccepted(replaced.isAccepted());
                return;
            }
        }
        if (c == QChar(ControlKeys::kEscape)) {
            RevertEdit();
            // Left unused so that a dialog's cancel button still reacts.
            event->ignore();
            return;
        }
        if (c != typed) {
            QKeyEvent replaced(QEvent::KeyPress, event->key(), event->modifiers(), QString(c), event->isAutoRepeat(),
                               event->count());
            TCustomComboEdit::keyPressEvent(&replaced);
            event->setAccepted(replaced.isAccepted());
            return;
        }
        TCustomComboEdit::keyPressEvent(event);
    } catch (const AppError &error) {
        ShowError(window(), error.message());
    }
}

// ---- focus ------------------------------------------------------------------

void TCustomNumEdit::SetEditingState(bool editing)
{
    if (editing == m_editing)
        return;
    m_editing = editing;
    update();
    FlagGuard guard(m_formatting);
    ShowValueInEdit();
}

void TCustomNumEdit::focusInEvent(QFocusEvent *event)
{
    // Coming back to an active window is no entry: the field is still being
    // edited and keeps its text and selection.
    const bool entry = !m_editing;
    if (entry) {
        SetEditingState(true);
        if (m_formatOnEditing)
            RegroupWhileEditing();
    }
    TCustomComboEdit::focusInEvent(event);
    if (entry && event->reason() != Qt::MouseFocusReason)
        SelectAllIfDirect();
}

void TCustomNumEdit::focusOutEvent(QFocusEvent *event)
{
    TCustomComboEdit::focusOutEvent(event);
    // Another window taking the activation, or a menu, is no exit: the focus
    // comes back here when this window is active again.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (m_editing)
        LeaveField(event->reason());
}

void TCustomNumEdit::LeaveField(Qt::FocusReason reason)
{
    try {
        if (m_checkOnExit)
            m_model.verifyRange();
        m_model.readValueFromText();
    } catch (const AppError &error) {
        // The user mends the text: it stays selected and the focus returns.
        SelectAllIfDirect();
        TakeFocusBack();
        // One press can try to move the focus more than once (Qt's click
        // focus, then the drop-down button's own); the user hears of the
        // bad text once.
        if (!m_exitErrorShown) {
            m_exitErrorShown = true;
            ShowError(window(), error.message());
            QTimer::singleShot(0, this, [this] { m_exitErrorShown = false; });
        }
        // The focus change that called this handler finishes after it and,
        // once the error box has taken the activation, leaves the window's
        // focus on the pressed control: the window is activated again and
        // the focus taken back once it is done.
        QTimer::singleShot(0, this, [this] {
            if (!m_editing)
                return;
            if (!window()->isActiveWindow())
                window()->activateWindow();
            TakeFocusBack();
        });
        // Armed after the error box, so that the box's own clicks pass.
        if (reason == Qt::MouseFocusReason)
            new RefusedPressSwallower(this);
        return;
    }
    SetEditingState(false);
    setCursorPosition(0);
    Q_EMIT OnExit();
}

// ---- painting ---------------------------------------------------------------

QPoint TCustomNumEdit::EditTextOrigin() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents =
        style()->subElementRect(QStyle::SE_LineEditContents, &option, this).marginsRemoved(textMargins());
    // The edit control keeps two pixels free left of its text line and one
    // above it (it is top-aligned).
    return contents.topLeft() + QPoint(2, 1);
}

// The margins are taken from where the edit control starts its own text, so
// that the painted text and the edited text stand on the same pixels.
int TCustomNumEdit::LeftTextMargin() const
{
    return EditTextOrigin().x() - ClientRect().left();
}

int TCustomNumEdit::TopTextMargin() const
{
    return EditTextOrigin().y() - ClientRect().top();
}

QString TCustomNumEdit::PaintedText() const
{
    if (PopupVisible() && Popup())
        return Popup()->PopupDisplayText();
    return FormatDisplayText();
}

QPoint TCustomNumEdit::PaintedTextOrigin() const
{
    const QRect client = ClientRect();
    const int margin = LeftTextMargin();
    int x = margin;
    if (!PopupVisible()) {
        TAlignment alignment = m_alignment;
        if (layoutDirection() == Qt::RightToLeft && alignment != taCenter)
            alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
        int w = fontMetrics().horizontalAdvance(PaintedText());
        if (ButtonWidth() > 0)
            ++w;
        if (alignment == taRightJustify)
            x = client.width() - ButtonWidth() - w - margin - 2;
        else if (alignment == taCenter)
            x = (client.width() - ButtonWidth() - w) / 2;
    }
    return QPoint(client.left() + x, client.top() + TopTextMargin());
}

void TCustomNumEdit::paintEvent(QPaintEvent *event)
{
    if (m_editing && !PopupVisible()) {
        TCustomComboEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);

    const QRect r = ClientRect();
    painter.setClipRect(r);
    painter.fillRect(r, palette().color(QPalette::Base));
    painter.setFont(font());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    const QPoint origin = PaintedTextOrigin();
    painter.drawText(origin.x(), origin.y() + fontMetrics().ascent(), PaintedText());
}

void TCustomNumEdit::changeEvent(QEvent *event)
{
    TCustomComboEdit::changeEvent(event);
    if ((event->type() == QEvent::EnabledChange && !m_editing) || event->type() == QEvent::FontChange)
        update();
}
