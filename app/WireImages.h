#pragma once
// The two pictures of the "Ток и сопротивление" window, drawn for a
// WireModel at a size in pixels: the current along the wire with the feed
// marked, and R and X against the length with the model's length marked,
// by the same drawing code as dipole-render's current and impedance files.
#include "wirewindow/WireModel.h"

#include <QImage>
#include <QSize>

QImage CurrentImage(const WireModel &model, QSize size);
QImage ImpedanceImage(const WireModel &model, QSize size);
