// The Smith chart painted on an image: Γ = 0 at the centre of the rim,
// positive real Γ to the right and positive imaginary Γ (inductive loads)
// upward, at distances in proportion to |Γ|.
#include "labelled/SmithChart.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The centre of the pixels of exactly colour c.
QPointF Centroid(const QImage &image, const QColor &c)
{
    double x = 0.0, y = 0.0;
    int count = 0;
    for (int j = 0; j < image.height(); ++j) {
        for (int i = 0; i < image.width(); ++i) {
            if (image.pixelColor(i, j) == c) {
                x += i;
                y += j;
                ++count;
            }
        }
    }
    EXPECT_GT(count, 0) << c.name().toStdString();
    return count ? QPointF(x / count, y / count) : QPointF();
}

TEST(SmithChart, ReflectionsLieWhereTheirValuesPutThem)
{
    SmithChartPicture picture;
    picture.referenceResistance = 75.0;
    const QColor colours[] = {QColor(255, 0, 0), QColor(0, 200, 0), QColor(0, 0, 255), QColor(200, 0, 200)};
    const std::complex<double> gammas[] = {0.0, 0.5, {0.0, 0.5}, {-0.5, -0.5}};
    for (int i = 0; i < 4; ++i)
        picture.curves.push_back({QString(), colours[i], Qt::SolidLine, true, {gammas[i]}});
    for (const LabelledLanguage language : {LabelledLanguage::English, LabelledLanguage::Russian}) {
        picture.language = language;
        QImage image(800, 800, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            PaintSmithChart(painter, QRectF(0, 0, 800, 800), picture);
        }
        const QPointF centre = Centroid(image, colours[0]);
        const QPointF right = Centroid(image, colours[1]) - centre;
        const QPointF up = Centroid(image, colours[2]) - centre;
        const QPointF lowerLeft = Centroid(image, colours[3]) - centre;
        EXPECT_GT(right.x(), 100.0); // half a rim's radius on an 800-pixel picture
        EXPECT_NEAR(right.y(), 0.0, 1.0);
        EXPECT_NEAR(up.x(), 0.0, 1.0);
        EXPECT_NEAR(up.y(), -right.x(), 1.0);
        EXPECT_NEAR(lowerLeft.x(), -right.x(), 1.0);
        EXPECT_NEAR(lowerLeft.y(), right.x(), 1.0);
    }
}

} // namespace
