#pragma once
// The standing-wave ratio of one wire's input impedance on feed lines of
// every characteristic resistance, for choosing a line: the curve, its
// lowest point (the line of |Z| ohms) and the common lines of 50, 75 and
// 300 Ω marked; NEC-2's impedance dashed beside the closed form's.
#include "LabelledText.h"
#include "physics/InducedEmf.h"

#include <QPainter>
#include <QRectF>

#include <optional>

struct LineSwrPicture
{
    double length = 0.5; // M
    double radius = 0.001;
    Impedance input;              // the closed form's, resistance above 0
    std::optional<Impedance> nec; // NEC-2's, resistance above 0
    LabelledLanguage language = LabelledLanguage::English;
};

// The line resistances the chart spans: from 0 to at least 600 Ω, far
// enough to show the best line of every impedance drawn.
double LineSwrReach(const LineSwrPicture &picture);

void PaintLineSwrPicture(QPainter &painter, const QRectF &area, const LineSwrPicture &picture);
