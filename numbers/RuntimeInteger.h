#pragma once
// The runtime's integer syntax, as a colour box reads a typed colour number.
#include <QString>

// Leading blanks, an optional sign, decimal digits or hexadecimal digits
// after "$", "x" or "0x". Hexadecimal numbers fill all 32 bits ($FFFFFFFF is
// -1). False, leaving `value` alone, when the text is not such a number or
// does not fit in 32 bits.
bool ParseRuntimeInteger(const QString &text, qint32 &value);
