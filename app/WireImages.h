#pragma once
// The pictures of the laboratory window, drawn at a size in pixels: the
// labelled polar or rectangular pattern, and for a WireModel the current
// along the wire with the feed marked and R and X against the length with
// the model's length marked, by the same drawing code as dipole-render's
// labelled, current and impedance files.
#include "labelled/LabelledPatterns.h"
#include "wirewindow/WireModel.h"

#include <QImage>
#include <QSize>

QImage CurrentImage(const WireModel &model, QSize size);
QImage ImpedanceImage(const WireModel &model, QSize size);
QImage PatternImage(const LabelledPatterns &patterns, LabelledPatterns::View view, QSize size);
