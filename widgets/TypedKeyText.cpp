#include "TypedKeyText.h"

#include "numbers/ControlKeys.h"
#include "numbers/NumKeystrokes.h"

#include <QKeyEvent>

QChar TypedCharOf(const QKeyEvent *event)
{
    const QChar backspace(ControlKeys::kBackspace);
    const QChar enter(ControlKeys::kEnter);
    const QChar escape(ControlKeys::kEscape);
    switch (event->key()) {
    case Qt::Key_Backspace: return backspace;
    case Qt::Key_Return:
    case Qt::Key_Enter: return enter;
    case Qt::Key_Escape: return escape;
    default: break;
    }
    const QString text = event->text();
    if (text.size() != 1)
        return QChar();
    const QChar c = text.at(0);
    const Qt::KeyboardModifiers mods = event->modifiers();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier)) {
        const char16_t u = c.toUpper().unicode();
        return u >= u'@' && u <= u'_' ? QChar(u - u'@') : QChar();
    }
    if (c.unicode() == 0x7F || (c.unicode() < 32 && c != backspace && c != enter && c != escape))
        return QChar();
    return c;
}

QString SeveralUnitsTypedBy(const QKeyEvent *event)
{
    const QString text = event->text();
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (text.size() < 2 || ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier)))
        return QString();
    QString typed;
    for (QChar c : text)
        typed.append(c == QLatin1Char('.') || c == QLatin1Char(',') ? ReplaceTypedSeparator(c) : c);
    return typed;
}
