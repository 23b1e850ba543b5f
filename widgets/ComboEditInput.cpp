// The drop-down edit field's input: its own keys, paste and cut under the
// read-only rules, the context menu, mouse presses on the edit area, and
// focus. Construction, geometry and the popup are in ComboEdit.cpp.
#include "ComboEdit.h"

#include "UserNotifier.h"
#include "base/AppError.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScopedValueRollback>

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
        ShowError(window(), error.message());
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
