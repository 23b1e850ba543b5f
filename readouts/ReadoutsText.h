#pragma once
// The readouts as the window shows them in its pictures' tooltips: Russian
// words and the user's decimal separator (the locale number settings in
// force at the call).
#include "PatternReadouts.h"

#include <QString>

// One line: the length as lengthText, the half-power beam width,
// directivity (and in dBi), radiation and input resistance.
QString ReadoutsSummaryText(const PatternReadouts &readouts, const QString &lengthText);

// The angle under the pointer and F there.
QString PointerReadoutText(double angleDeg, double F);
