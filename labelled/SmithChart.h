#pragma once
// The reflection coefficient of a load on the plane of the Smith chart, in
// the labelled style: the unit circle, the circles of constant normalised
// resistance and the arcs of constant normalised reactance with their
// values, and curves of Γ against frequency (a model's as lines, a
// measurement's as points), with named markers (a band's ends, a
// resonance). Painted on any QPainter, in English or Russian.
#include "LabelledText.h"

#include <QColor>
#include <QRectF>
#include <QString>

#include <complex>
#include <vector>

class QPainter;

struct SmithCurve
{
    QString name; // in the legend; a curve without a name is not
    QColor colour;
    Qt::PenStyle style = Qt::SolidLine;
    bool points = false; // a measurement: a dot at each value, not joined
    std::vector<std::complex<double>> reflections;
};

struct SmithMarker
{
    QString label;
    std::complex<double> reflection;
    QColor colour;
};

struct SmithChartPicture
{
    double referenceResistance = 50.0; // Z₀ the chart is normalised to
    std::vector<SmithCurve> curves;
    std::vector<SmithMarker> markers;
    LabelledLanguage language = LabelledLanguage::English;
};

void PaintSmithChart(QPainter &painter, const QRectF &area, const SmithChartPicture &picture);
