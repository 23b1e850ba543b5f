#pragma once
// The readouts as the window shows them in its pictures' tooltips: a block
// of short Russian lines with the user's decimal separator (the locale
// number settings in force at the call), one quantity to a line, so that
// the block stays narrow beside the pointer.
#include "physics/PatternReadouts.h"

#include <QString>
#include <QStringList>

// The length as lengthText, then the directions of the maximum, the
// half-power beam width, the width between the rectangular plot's 0.7
// bracket, the directivity (and in dBi), the radiation and the input
// resistance, the side-lobe level and the nulls (a few to a line).
QStringList ReadoutsSummaryLines(const PatternReadouts &readouts, const QString &lengthText);

// The lines joined by line breaks.
QString ReadoutsSummaryText(const PatternReadouts &readouts, const QString &lengthText);

// The angle under the pointer and F there.
QString PointerReadoutText(double angleDeg, double F);
