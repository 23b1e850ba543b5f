#pragma once
// The wire's pictures of the laboratory window, painted into an area: for a
// WireModel the current along the wire with the feed marked, and R and X
// against the length with the model's length marked, by the same drawing
// code as dipole-render's current and impedance files, in the window's
// language.
#include "labelled/WirePictures.h"
#include "wirewindow/WireModel.h"

#include <QRectF>

class QPainter;

void PaintWireCurrent(QPainter &painter, const QRectF &area, const WireModel &model);
void PaintWireImpedance(QPainter &painter, const QRectF &area, const WireModel &model);

// The impedance picture PaintWireImpedance draws, or the same over the
// lengths from `from` to `to` (within the curve's range) at a step fine
// enough for the span: 400 steps, none finer than 0.0001 λ.
ImpedancePicture WireImpedancePicture(const WireModel &model);
ImpedancePicture WireImpedancePicture(const WireModel &model, double from, double to);
