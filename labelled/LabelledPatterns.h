#pragma once
// The dipole's pattern in the labelled style: the polar and the rectangular
// picture of one length, or of a family of lengths, each curve normalised to
// its own maximum so that it fills the plot, sampled from the pattern
// function finely enough to look smooth at 600 dpi.
//
//     LabelledPatterns patterns({{1.5, clNavy}}, options);
//     patterns.paintPolar(painter, QRectF(0, 0, 800, 800));
//     patterns.paintRectangular(painter, QRectF(0, 0, 960, 600));
//
// The painters may be on any device (an image, an SVG or PDF document, a
// printer); each picture is laid out in the rectangle it is given.
#include "ChartFrame.h"
#include "LabelledStyle.h"
#include "LabelledText.h"
#include "PolarFrame.h"
#include "colors/Colors.h"
#include "physics/MeasuredPattern.h"
#include "physics/PatternReadouts.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

class QPainter;

enum class LabelledScale { Linear, Decibel };

struct LabelledCurve
{
    double length = 0.0; // M in wavelengths
    TColor colour = clNavy;
};

// Another method's pattern of the same length, drawn dashed over the
// theory's curve and named in the legend beside it.
struct LabelledComparison
{
    QString name;
    std::vector<QPointF> samples; // (θ in degrees, 0 to 180 ascending; F / Fmax)
    QColor colour = QColor(0xb0, 0x30, 0x30);
};

// A pattern measured on a turntable, drawn as points over the theory's
// curve and named in the legend.
struct LabelledMeasurement
{
    QString name;
    std::vector<QPointF> samples; // (θ in degrees, 0 to 360; field against the largest measured)
    QColor colour = QColor(0x2e, 0x7d, 0x32);
};

// A pattern read from a turntable's table, named "measured" in language.
LabelledMeasurement LabelledMeasurementOf(const MeasuredPattern &pattern, LabelledLanguage language);

struct LabelledOptions
{
    LabelledScale scale = LabelledScale::Linear;
    double rangeDb = 40.0; // the dB scale runs from 0 down to -rangeDb
    bool fill = false;     // the curves' insides in a light tint of their colour
    bool readouts = false; // directivity, half-power width and input resistance under the title
    LabelledLanguage language = LabelledLanguage::English;
    std::optional<LabelledComparison> comparison;
    std::optional<LabelledMeasurement> measurement;
    // On the dB scale, every curve against one scale in dBi rather than
    // each against its own maximum: 10·log10(D) + 20·log10(F / Fmax), with
    // D its length's directivity, so that a family's lengths compare in
    // strength as well as in shape. The scale's top is the largest
    // directivity rounded up to a whole ring; the half-power marks, which
    // belong to each curve's own maximum, are left out.
    bool commonDbi = false;
};

// The half-power level the rectangular picture marks: 1/√2 of the field,
// or 10·log10(½) ≈ −3.01 dB below the maximum.
double HalfPowerLevel(LabelledScale scale);

constexpr QSize kLabelledPolarSize(800, 800);
constexpr QSize kLabelledRectangularSize(960, 600);

class LabelledPatterns
{
public:
    // One curve draws a single length under its title "M = 1.5 λ"; more
    // draw a family with a legend naming each length. Lengths whose readouts
    // do not exist (|M| of 30 or more, not a number) are left out.
    LabelledPatterns(const std::vector<LabelledCurve> &curves, const LabelledOptions &options);

    void paintPolar(QPainter &painter, const QRectF &area) const;
    void paintRectangular(QPainter &painter, const QRectF &area) const;
    enum class View { Polar, Rectangular };
    void paint(View view, QPainter &painter, const QRectF &area) const
    {
        view == View::Polar ? paintPolar(painter, area) : paintRectangular(painter, area);
    }

    struct Pattern
    {
        LabelledCurve curve;
        PatternReadouts readouts;
        int stepsPerDegree = 10;
        std::vector<double> normalised; // F / f_max from 0° to 180°, stepsPerDegree samples a degree
    };
    const std::vector<Pattern> &patterns() const { return m_patterns; }

    // Where the pictures put their plots inside area: the polar circle's
    // centre and radius, the rectangular chart's plot area.
    QPointF polarCentre(const QRectF &area) const;
    double polarRadius(const QRectF &area) const;
    QRectF rectangularPlotArea(const QRectF &area) const;

    // The texts that a picture places by its layout, where it draws them:
    // the title block's lines, the rings' values and the axis's name
    // (polar), the axes' titles and the half-power width's label
    // (rectangular, one length), which has a white ground only where no
    // place in the plot is clear of the lines.
    struct Labels
    {
        TitleBlockLayout title;
        std::vector<PlacedLabel> rings;
        std::optional<PlacedLabel> axisName;
        std::vector<PlacedLabel> axisTitles;
        std::optional<PlacedLabel> beamWidth;
        bool beamWidthBackdrop = false;
    };
    Labels labels(View view, const QRectF &area) const;

private:
    bool isFamily() const { return m_patterns.size() > 1; }
    QString title() const;
    QString readoutsLine(const PatternReadouts &readouts, bool brief) const;
    QString decibels(double value) const;
    QString dbi(double value) const; // "5 dBi"
    // 0 (the centre, the bottom) to 1 (the top), offsetDb added on the dB scale.
    double scaled(double normalised, double offsetDb = 0.0) const;
    // The rectangular chart's value: the fraction on the linear scale, dB
    // (dBi on the common scale) on the other.
    double plottedValue(double normalised, double offsetDb = 0.0) const;
    bool commonScale() const { return m_options.commonDbi && m_options.scale == LabelledScale::Decibel; }
    // What a pattern's dB are moved by on the scale: on the common scale its
    // directivity less the scale's top, else nothing.
    double offsetDb(const Pattern &pattern) const;
    // The value of the scale's top: 0 dB, or on the common scale m_topDbi.
    double topDb() const { return commonScale() ? m_topDbi : 0.0; }
    // The family's lengths, and with the half-power level the dashed line's name.
    std::vector<LegendEntry> legend(bool halfPowerLevel) const;
    QString subtitle() const;
    // Below the title block and, for a family, left of the legend's column.
    LegendPlacement layout(View view, const QRectF &area, const LabelledMetrics &metrics) const;
    // Draws the title block and returns the layout.
    LegendPlacement paintHeading(View view, QPainter &painter, const QRectF &area,
                                 const LabelledMetrics &metrics) const;
    double halfPowerLevel() const;
    ChartAxis xAxis() const;
    ChartAxis yAxis() const;
    std::vector<PolarRing> rings() const;
    std::vector<double> polarRadii(const std::vector<double> &normalised, double offsetDb = 0.0) const;
    ChartSeries rectangularSeries(const Pattern &pattern) const;
    ChartSeries comparisonSeries() const;
    void drawComparison(PolarFrame &polar) const;
    void drawComparison(ChartFrame &chart) const;
    void drawMeasurement(QPainter &painter, const PolarFrame &polar, const LabelledMetrics &metrics) const;
    void drawMeasurement(QPainter &painter, const ChartFrame &chart, const LabelledMetrics &metrics) const;
    void markHalfPower(ChartFrame &chart, double level, const Labels &labels) const;
    // The half-power width's label on a plot, off the curves and the lines.
    void placeBeamWidth(Labels &labels, const QRectF &plot, const LabelledMetrics &metrics) const;

    LabelledOptions m_options;
    LabelledText m_text;
    std::vector<Pattern> m_patterns;
    double m_topDbi = 0.0; // the common scale's top
};

// The samples' values at every 1/stepsPerDegree of a degree from 0° to
// 180°, joined by straight lines and held level beyond their ends; zeros
// when there are none.
std::vector<double> ResampleDegrees(const std::vector<QPointF> &samples, int stepsPerDegree);

// Samples a degree that keep the narrowest lobe of length M (about 115°/M
// wide) smooth at print size: at least ten, more for long dipoles.
int PatternStepsPerDegree(double M);
