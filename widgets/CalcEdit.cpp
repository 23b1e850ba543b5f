#include "CalcEdit.h"

#include "AppError.h"
#include "NumKeystrokes.h"
#include "UserNotifier.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFrame>

TCalcEdit::TCalcEdit(QWidget *parent) : QLineEdit(parent), m_model(this)
{
    m_model.showValueInEdit();
}

long double TCalcEdit::Value()
{
    return m_model.value();
}

void TCalcEdit::setValue(long double value)
{
    m_model.setValue(value);
}

QString TCalcEdit::editText() const
{
    return QLineEdit::text();
}

void TCalcEdit::setEditText(const QString &text)
{
    if (text != QLineEdit::text())
        QLineEdit::setText(text);
}

void TCalcEdit::repaintField()
{
    update();
}

void TCalcEdit::refuse()
{
    if (m_beepOnError)
        userNotifier().beep();
}

void TCalcEdit::focusInEvent(QFocusEvent *event)
{
    // Editing always starts from the plain form of the stored value.
    if (!m_editing) {
        m_editing = true;
        m_model.showValueInEdit();
        update();
    }
    QLineEdit::focusInEvent(event);
}

void TCalcEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    try {
        m_model.readValueFromText();
    } catch (const AppError &error) {
        // The text stays for the user to mend; the field keeps editing.
        selectAll();
        if (isVisible() && isEnabled())
            setFocus();
        showError(window(), error.message());
        return;
    }
    m_editing = false;
    m_model.showValueInEdit();
    setCursorPosition(0);
    update();
}

void TCalcEdit::pasteChecked(QKeyEvent *event)
{
    const QString before = QLineEdit::text();
    QLineEdit::keyPressEvent(event);
    try {
        m_model.readValueFromText();
    } catch (const AppError &) {
        QLineEdit::setText(before);
        selectAll();
        refuse();
    }
}

void TCalcEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        pasteChecked(event);
        return;
    }
    if (event->key() == Qt::Key_Escape && m_editing) {
        m_model.revertEdit();
        selectAll();
        event->accept();
        return;
    }
    const QString typed = event->text();
    if (typed.size() == 1 && typed.at(0).unicode() >= 32 && !(event->modifiers() & Qt::ControlModifier)) {
        const QChar c = replaceTypedSeparator(typed.at(0));
        const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
        const int selLength = hasSelectedText() ? selectedText().size() : 0;
        if (!m_model.acceptsTypedChar(selStart, selLength, c)) {
            refuse();
            event->accept();
            return;
        }
        insert(QString(c));
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TCalcEdit::paintEvent(QPaintEvent *event)
{
    if (m_editing) {
        QLineEdit::paintEvent(event);
        return;
    }
    // Not being edited: the style's panel, then the display form right-aligned.
    QPainter painter(this);
    QStyleOptionFrame opt;
    initStyleOption(&opt);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &opt, &painter, this);
    QRect r = style()->subElementRect(QStyle::SE_LineEditContents, &opt, this);
    r = r.marginsRemoved(textMargins()).adjusted(2, 0, -2, 0);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.setClipRect(r);
    painter.drawText(r, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, m_model.formatDisplayText());
}
