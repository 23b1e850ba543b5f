// The pictures of a wire over a band of frequencies: a wire 10.3 m long and
// 1 mm in radius from 13 to 15 MHz on 50 Ω, whose resonance (14.147474 MHz)
// and band within SWR 2 (13.789138 to 14.493131 MHz, 4.98 % of its centre)
// mpmath gives (tests/physics/antenna_reference.py); the words are read back
// from the SVG drawing.
#include "formats/PaintedPicture.h"
#include "labelled/FrequencyPictures.h"
#include "labelled/LabelledStyle.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <optional>

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

// A short picture, as a small window draws it at its own text size, steps
// its axes so that their labels stand clear of each other; one of the
// usual size keeps every step.
TEST(FrequencyPictures, StepTheSwrAndTheLossSoThatTheirLabelsStandClear)
{
    struct Case
    {
        const char *name;
        QSize size;
        double unit; // 0: the picture's own
        bool everySwr;
        bool fifteenDb;
    };
    const Case cases[] = {
        {"UsualSize", kFrequencyPictureSize, 0.0, true, true},
        {"SmallWindow", QSize(780, 300), 8.0, false, false},
        {"LargeWindow", QSize(940, 600), 8.0, true, true},
    };
    const FrequencyPicture picture = WirePicture(LabelledLanguage::English);
    for (const Case &c : cases) {
        const std::optional<ScopedLabelledUnit> unit =
            c.unit > 0.0 ? std::optional<ScopedLabelledUnit>(std::in_place, c.unit) : std::nullopt;
        const QByteArray svg = EncodePaintedPicture(
            PictureFormat::Svg, c.size, [&](QPainter &p, const QRectF &area) { PaintFrequencySwr(p, area, picture); });
        EXPECT_EQ(svg.contains(">7</text>"), c.everySwr) << c.name;
        EXPECT_EQ(svg.contains(">15</text>"), c.fifteenDb) << c.name;
        EXPECT_TRUE(svg.contains(">10</text>")) << c.name;
    }
}

} // namespace
