#pragma once
// The two pictures of the "Ток и сопротивление" window, drawn for a
// WireModel at a size in pixels: the current along the wire with the feed
// marked, and R and X against the length with the model's length marked.
#include "wire/WireModel.h"

#include <QImage>
#include <QSize>

QImage CurrentImage(const WireModel &model, QSize size);
QImage ImpedanceImage(const WireModel &model, QSize size);
