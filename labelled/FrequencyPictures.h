#pragma once
// The pictures of one wire driven over a band of frequencies, in the
// labelled style, painted on any QPainter in English or Russian:
//   - the input impedance against frequency: R and X, the resonances marked;
//   - the standing-wave ratio and the return loss against frequency, the
//     band within the SWR limit shaded and its edges written;
//   - the Smith chart of the reflection, the band's edges and the resonance
//     marked.
// Each shows the closed form's curves, NEC-2's dashed beside them, and a
// measurement's points, whichever the picture is given.
#include "LabelledText.h"
#include "physics/FrequencySweep.h"

#include <QRectF>
#include <QSize>

#include <vector>

class QPainter;

constexpr QSize kFrequencyPictureSize(960, 600);
constexpr QSize kSmithPictureSize(800, 800);

enum class FrequencySource { Theory, Nec, Measured };

struct FrequencySeries
{
    FrequencySource source = FrequencySource::Theory;
    std::vector<FrequencyPoint> points; // ascending frequencies
};

struct FrequencyPicture
{
    double lengthMetres = 0.0;
    double radiusMetres = 0.0;
    double referenceResistance = 50.0;
    double swrLimit = 2.0;
    std::vector<FrequencySeries> series;
    LabelledLanguage language = LabelledLanguage::English;
};

void PaintFrequencyImpedance(QPainter &painter, const QRectF &area, const FrequencyPicture &picture);
void PaintFrequencySwr(QPainter &painter, const QRectF &area, const FrequencyPicture &picture);
void PaintFrequencySmith(QPainter &painter, const QRectF &area, const FrequencyPicture &picture);

// A frequency in the unit that suits it (Hz, kHz, MHz, GHz), with `decimals`
// decimals in the picture's language: "14.147 MHz".
QString FrequencyText(const LabelledText &text, double hertz, int decimals);
