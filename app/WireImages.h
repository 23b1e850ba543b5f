#pragma once
// The wire's pictures of the laboratory window, painted into an area: for a
// WireModel the current along the wire with the feed marked, and R and X
// against the length with the model's length marked, by the same drawing
// code as dipole-render's current and impedance files, in the window's
// language.
#include "labelled/WirePictures.h"
#include "wirewindow/WireModel.h"

#include <QRectF>

#include <optional>
#include <vector>

class QPainter;

// The current picture PaintWireCurrent draws, with NEC-2's current when given.
CurrentPicture WireCurrentPicture(const WireModel &model, std::optional<NecSolution> nec = std::nullopt);
void PaintWireCurrent(QPainter &painter, const QRectF &area, const WireModel &model);
void PaintWireImpedance(QPainter &painter, const QRectF &area, const WireModel &model);

// The impedance picture PaintWireImpedance draws, or the same over the
// lengths from `from` to `to` (within the curve's range) at a step fine
// enough for the span: 400 steps, none finer than 0.0001 λ.
ImpedancePicture WireImpedancePicture(const WireModel &model);
ImpedancePicture WireImpedancePicture(const WireModel &model, double from, double to);

// The lengths at which NEC-2 is solved for the chart from `from` to `to`:
// kNecChartSteps steps across it, the theory's own 0.01 λ over the whole
// range (291 runs, about 3 s on two cores of today), leaving out those where
// NEC-2's model refuses the wire (too thick for its length).
inline constexpr int kNecChartSteps = 290;
std::vector<double> NecChartLengths(double from, double to, double radius);

// picture with NEC-2's samples over its lengths' span (those outside it left
// out); the picture as it was when fewer than two fall within it.
ImpedancePicture WithNecSamples(ImpedancePicture picture, const std::vector<SampledImpedance> &samples);
