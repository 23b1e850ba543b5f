#pragma once
// The wire's pictures of the laboratory window, painted into an area: for a
// WireModel the current along the wire with the feed marked, and R and X
// against the length with the model's length marked, by the same drawing
// code as dipole-render's current and impedance files, in Russian.
#include "wirewindow/WireModel.h"

#include <QRectF>

class QPainter;

void PaintWireCurrent(QPainter &painter, const QRectF &area, const WireModel &model);
void PaintWireImpedance(QPainter &painter, const QRectF &area, const WireModel &model);
