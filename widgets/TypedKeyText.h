#pragma once
// What a key press types, as the numeric field's rules see it.
#include <QChar>
#include <QString>

class QKeyEvent;

// The character a key press delivers: Backspace, Enter and Escape as their
// control codes, Ctrl with a letter as its control code (so shortcuts pass as
// control characters), and a null character for keys that type nothing
// (arrows, Delete, function keys).
QChar TypedCharOf(const QKeyEvent *event);

// What a key types when that is more than one UTF-16 unit (a character
// outside the Basic Multilingual Plane such as an emoji or a mathematical
// digit, or what a compose sequence gives), with the separator keys replaced
// as for a single character; empty for every other key.
QString SeveralUnitsTypedBy(const QKeyEvent *event);
