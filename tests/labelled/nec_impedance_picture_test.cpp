// NEC-2's curves on the impedance chart, read back from the SVG drawing:
// dashed lines and marks that appear only when a NEC-2 curve is given, a
// dot for each resonance and a ring for each anti-resonance, in order.
#include "formats/PaintedPicture.h"
#include "labelled/WirePictures.h"

#include <QPainter>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QByteArray Svg(const ImpedancePicture &picture)
{
    return EncodePaintedPicture(PictureFormat::Svg, kWirePictureSize, [&](QPainter &painter, const QRectF &area) {
        PaintImpedancePicture(painter, area, picture);
    });
}

// The fill of each circle, in the order drawn.
std::vector<QString> CircleFills(const QByteArray &svg)
{
    static const QRegularExpression circle(QStringLiteral("<g fill=\"(#[0-9a-f]{6})\"[^>]*>\\s*<circle "));
    std::vector<QString> fills;
    for (const QRegularExpressionMatch &m : circle.globalMatch(QString::fromUtf8(svg)))
        fills.push_back(m.captured(1));
    return fills;
}

TEST(NecImpedancePicture, DashedCurvesAndMarksOnlyWithNec)
{
    ImpedancePicture picture = MakeImpedancePicture(0.001, 0.3, 1.2, 0.05, 75.0);
    const QByteArray theory = Svg(picture);
    // X rises through zero at 0.5 and falls through it at 0.9.
    std::vector<double> lengths;
    std::vector<Impedance> inputs;
    for (const ImpedancePoint &point : picture.points) {
        lengths.push_back(point.length);
        inputs.push_back({100.0, (point.length - 0.5) * (0.9 - point.length) * 4000.0});
    }
    picture.nec = NecCurvePicture(SampledImpedanceCurve(lengths, inputs, 75.0));
    const QByteArray nec = Svg(picture);

    EXPECT_TRUE(CircleFills(theory).empty());
    EXPECT_EQ(CircleFills(nec), (std::vector<QString>{QStringLiteral("#2e7d32"), QStringLiteral("#ffffff")}));
    // R, X and the SWR dashed, and R's and X's samples in the legend.
    EXPECT_EQ(nec.count("stroke-dasharray") - theory.count("stroke-dasharray"), 5);
}

} // namespace
