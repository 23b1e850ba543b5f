#pragma once
// The current's curve as the pixels of its picture show it, for the tests of
// the labelled picture and of the window that shows it. The zero line is the
// middle one of the three long dark rows across the curve's width (the
// plot's top and bottom edges and the zero line between them); each column
// of the curve is read as the pixel of its colour farthest from that line,
// with its side: above it in phase with the feed, below it against it.
#include <QColor>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <vector>

namespace drawncurrent {

// How much of a pixel a line of the colour covers over white, or -1 for a
// pixel that no mix of the two makes.
inline double Coverage(QRgb pixel, const QColor &colour)
{
    const int shown[] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
    const int ink[] = {colour.red(), colour.green(), colour.blue()};
    double low = 2.0;
    double high = -1.0;
    for (int i = 0; i < 3; ++i) {
        const double share = double(255 - shown[i]) / (255 - ink[i]);
        low = std::min(low, share);
        high = std::max(high, share);
    }
    return high - low <= 0.15 ? (low + high) / 2 : -1.0;
}

struct Curve
{
    int left = 0; // the curve's first and last columns
    int right = -1;
    // From left to right: the curve's height above the zero line (negative
    // below it) against its largest, NaN in a column without the colour (a
    // mark drawn over the curve).
    std::vector<double> value;

    // Where the curve changes side, as fractions of its width from the left,
    // and the sides of its stretches (+1, -1); heights within `dead` of the
    // zero line belong to neither.
    std::vector<double> crossings(double dead = 0.05) const;
    std::vector<int> sides(double dead = 0.05) const;
};

inline Curve ReadCurve(const QImage &image, const QColor &colour)
{
    Curve curve;
    std::vector<int> top(image.width(), -1);
    std::vector<int> bottom(image.width(), -1);
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (Coverage(image.pixel(x, y), colour) >= 0.4) {
                top[x] = top[x] < 0 ? y : top[x];
                bottom[x] = y;
            }
    const auto drawn = [](int row) { return row >= 0; };
    curve.left = int(std::find_if(top.begin(), top.end(), drawn) - top.begin());
    curve.right = int(top.rend() - std::find_if(top.rbegin(), top.rend(), drawn)) - 1;
    if (curve.left >= curve.right)
        return curve;
    // Rows dark across most of the curve's width, in runs of neighbours.
    std::vector<std::vector<int>> lines;
    for (int y = 0; y < image.height(); ++y) {
        int dark = 0;
        for (int x = curve.left; x <= curve.right; ++x)
            dark += Coverage(image.pixel(x, y), QColor(0x20, 0x20, 0x20)) >= 0.4;
        if (dark < (curve.right - curve.left) * 3 / 5)
            continue;
        if (lines.empty() || lines.back().back() != y - 1)
            lines.emplace_back();
        lines.back().push_back(y);
    }
    if (lines.size() != 3)
        return curve;
    const double zero = (lines[1].front() + lines[1].back()) / 2.0;
    double largest = 0.0;
    for (int x = curve.left; x <= curve.right; ++x) {
        if (!drawn(top[x])) {
            curve.value.push_back(std::nan(""));
            continue;
        }
        const double up = zero - top[x];
        const double down = bottom[x] - zero;
        curve.value.push_back(up >= down ? std::max(up, 0.0) : -down);
        largest = std::max(largest, std::fabs(curve.value.back()));
    }
    for (double &v : curve.value)
        v /= largest;
    return curve;
}

inline std::vector<double> Curve::crossings(double dead) const
{
    std::vector<double> result;
    int lastSide = 0;
    int lastAt = 0;
    for (int i = 0; i < int(value.size()); ++i) {
        const int side = value[i] > dead ? 1 : value[i] < -dead ? -1 : 0;
        if (side == 0)
            continue;
        if (lastSide != 0 && side != lastSide)
            result.push_back((lastAt + i) / 2.0 / (right - left));
        lastSide = side;
        lastAt = i;
    }
    return result;
}

inline std::vector<int> Curve::sides(double dead) const
{
    std::vector<int> result;
    for (const double v : value) {
        const int side = v > dead ? 1 : v < -dead ? -1 : 0;
        if (side != 0 && (result.empty() || result.back() != side))
            result.push_back(side);
    }
    return result;
}

} // namespace drawncurrent
