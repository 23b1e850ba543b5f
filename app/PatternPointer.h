#pragma once
// What the pointer points at on a labelled pattern picture: the angle θ
// from the dipole's axis under the pointer and the pattern's level at that
// angle, as the curve draws it. The picture's plot is found by the same
// layout the picture is painted with, so the call must run under the same
// ScopedLabelledUnit as the painting.
#include "labelled/LabelledPatterns.h"

#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>

struct PatternPoint
{
    double thetaDeg = 0.0; // 0° to 180°
    double level = 0.0;    // F / Fmax, 0 to 1
};

// The angle and the first pattern's level at point of the picture painted in
// area; none outside the plot (the polar circle, the rectangular chart's
// plot area) and where the picture has no pattern.
std::optional<PatternPoint> PatternPointAt(const LabelledPatterns &patterns, LabelledPatterns::View view,
                                           const QRectF &area, QPointF point);

// "θ = 42,6°   F / Fмакс = 0,998   −0,02 дБ", with the number settings in
// force; a level of zero is −∞ dB.
QString PatternPointText(const PatternPoint &point);

// A number to `decimals` places with the minus sign rather than a hyphen
// where it is negative ("−0,02"), and none where it rounds to zero.
QString SignedNumberText(double value, unsigned decimals);
