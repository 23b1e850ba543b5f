#pragma once
// The popup calculator's keys as data: which kinds the popup lays out, where
// each key stands, what it reads and in which colour. The key kinds are the
// calculator engine's button kinds (1..10 digits, 11 sign, 12 separator,
// 13..16 "/" "*" "-" "+", 17 sqrt, 18 "%", 19 "1/x", 20 "=", 21 "<-", 22 "C",
// 23..26 memory, 27 OK, 28 Cancel). Typed keys find their button through the
// button's tag, which is the key's position in the key sequence below.
#include "Colors.h"

#include <QChar>
#include <QRect>
#include <QString>

#include <array>

namespace calckeys {

constexpr int kindDigit0 = 1;
constexpr int kindSign = 11;
constexpr int kindDecimal = 12;
constexpr int kindDivide = 13;
constexpr int kindMultiply = 14;
constexpr int kindMinus = 15;
constexpr int kindPlus = 16;
constexpr int kindSqrt = 17;
constexpr int kindPercent = 18;
constexpr int kindReciprocal = 19;
constexpr int kindEquals = 20;
constexpr int kindBackspace = 21;
constexpr int kindClear = 22;
constexpr int kindMemoryPlus = 23;
constexpr int kindMemoryStore = 24;
constexpr int kindMemoryRecall = 25;
constexpr int kindMemoryClear = 26;
constexpr int kindOk = 27;
constexpr int kindCancel = 28;

// Size of the popup window and of one key, in pixels at 96 dots per inch.
constexpr int popupWidth = 104;
constexpr int popupHeight = 127;
constexpr int keySize = 21;

struct KeyPlace
{
    int kind;
    QRect bounds; // inside the calculator panel, at 96 dots per inch
};

// The 19 keys of the popup, in creation order.
const std::array<KeyPlace, 19> &popupKeys();

// The tag of a button of this kind: kind - 1 for the keys that have a
// character, -1 for the memory, OK and Cancel buttons.
int tagOfKind(int kind);

// The caption of a key; the separator key shows the locale's decimal separator.
QString captionOfKind(int kind, QChar decimalSeparator);

// The caption colour of a key, by what the key does.
TColor captionColorOfKind(int kind);

// Where a typed key stands in the key sequence "0123456789_./*-+Q%R=",
// Backspace, "C" (so also which button tag it presses), or -1. ".", "," and
// the decimal separator count as ".", Enter as "=" and Escape as "C".
int keySequencePosition(QChar key, QChar decimalSeparator);

// Whether an open popup calculator takes this typed character instead of the
// field: Backspace, Enter, "%*+,-./0..9=CQR_" (any case) and the decimal
// separator, except the thousands separator.
bool isCalculatorKey(QChar key, QChar decimalSeparator, QChar thousandsSeparator);

} // namespace calckeys
