// The pictures of a wire over a band of frequencies: a wire 10.3 m long and
// 1 mm in radius from 13 to 15 MHz on 50 Ω, whose resonance (14.147474 MHz)
// and band within SWR 2 (13.789138 to 14.493131 MHz, 4.98 % of its centre)
// mpmath gives (tests/physics/antenna_reference.py); the words are read back
// from the SVG drawing.
#include "formats/PaintedPicture.h"
#include "labelled/FrequencyPictures.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

FrequencyPicture WirePicture(LabelledLanguage language)
{
    std::vector<double> frequencies;
    for (int i = 0; i <= 200; ++i)
        frequencies.push_back(13e6 + i * 1e4);
    FrequencyPicture picture;
    picture.lengthMetres = 10.3;
    picture.radiusMetres = 0.001;
    picture.language = language;
    picture.series.push_back({FrequencySource::Theory, ComputeFrequencySweep(10.3, 0.001, frequencies, 50.0)});
    // A "measurement": the same wire 1 % longer, every tenth point.
    std::vector<double> measured;
    for (int i = 0; i <= 200; i += 10)
        measured.push_back(frequencies[std::size_t(i)]);
    picture.series.push_back({FrequencySource::Measured, ComputeFrequencySweep(10.403, 0.001, measured, 50.0)});
    return picture;
}

TEST(FrequencyPictures, SayWhereTheWireResonatesAndHowWideItsBandIs)
{
    struct Case
    {
        LabelledLanguage language;
        void (*paint)(QPainter &, const QRectF &, const FrequencyPicture &);
        const char *words;
    };
    const Case cases[] = {
        {LabelledLanguage::English, PaintFrequencyImpedance, "resonance: theory 14.147"},
        {LabelledLanguage::English, PaintFrequencySwr, "SWR ≤ 2: theory 13.789"},
        {LabelledLanguage::English, PaintFrequencySwr, "to 14.493"},
        {LabelledLanguage::English, PaintFrequencySwr, "(4.98 %)"},
        {LabelledLanguage::Russian, PaintFrequencySwr, "КСВ ≤ 2: теория от 13,789"},
        {LabelledLanguage::English, PaintFrequencySmith, "14.147"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.words);
        const FrequencyPicture picture = WirePicture(c.language);
        const QByteArray svg =
            EncodePaintedPicture(PictureFormat::Svg, kFrequencyPictureSize,
                                 [&](QPainter &p, const QRectF &area) { c.paint(p, area, picture); });
        EXPECT_TRUE(svg.contains(QByteArray(c.words))) << svg.left(3000).constData();
    }
}

} // namespace
