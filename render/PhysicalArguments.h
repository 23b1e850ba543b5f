#pragma once
// Arguments that carry a unit: a length in metres (10.3m, 2 mm) or a
// frequency (14.2MHz), read into SI units, and refused with a message that
// names the option and what was wrong with the unit.
#include "physics/PhysicalUnits.h"

#include <QString>

// Whether text is a number followed by letters (a unit, known or not).
bool CarriesUnit(const QString &text);

// The value of text in metres or hertz, above 0. Throws RenderUsageError
// naming `what` (an option, "FROM") when the number is not a number above
// 0, the unit is missing or unknown, or it is of the other dimension.
double ReadQuantity(const QString &text, UnitDimension dimension, const QString &what);
