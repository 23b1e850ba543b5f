#pragma once
// The numeric field's button picture "CALCGLYPH": a small calculator and its
// embossed disabled twin side by side, 28 x 12 pixels, magenta transparent.
#include <QImage>

// Loaded from the program's resources on first use and shared by every field.
const QImage &CalcGlyph();
