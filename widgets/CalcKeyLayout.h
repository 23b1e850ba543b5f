#pragma once
// The popup calculator's keys as data: which engine button kinds the popup
// lays out, where each key stands, what it reads and in which colour. Typed
// keys find their button through the button's tag, which is the key's
// position in the key sequence of KeySequencePosition.
#include "colors/Colors.h"
#include "numbers/CalculatorEngine.h"

#include <QChar>
#include <QRect>
#include <QString>

#include <array>

namespace CalcKeys {

// Size of the popup window and of one key, in pixels at 96 dots per inch.
constexpr int kPopupWidth = 104;
constexpr int kPopupHeight = 127;
constexpr int kKeySize = 21;

struct KeyPlace
{
    int kind;     // a CalcButtonKind
    QRect bounds; // inside the calculator panel, at 96 dots per inch
};

// The 19 keys of the popup, in creation order.
const std::array<KeyPlace, 19> &PopupKeys();

// The tag of a button of this kind: kind - 1 for the keys that have a
// character, -1 for the memory, OK and Cancel buttons.
int TagOfKind(int kind);

// The caption of a key; the separator key shows the locale's decimal separator.
QString CaptionOfKind(int kind, QChar decimalSeparator);

// The caption colour of a key, by what the key does.
TColor CaptionColorOfKind(int kind);

// Where a typed key stands in the key sequence "0123456789_./*-+Q%R=",
// Backspace, "C" (so also which button tag it presses), or -1. ".", "," and
// the decimal separator count as ".", Enter as "=" and Escape as "C".
int KeySequencePosition(QChar key, QChar decimalSeparator);

} // namespace CalcKeys
