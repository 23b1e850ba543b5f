#include "PatternPointer.h"

#include <QCoreApplication>

#include "numbers/NumberText.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// θ under point on the polar picture: θ = 0 points right along the axis
// and grows clockwise on screen; the upper half mirrors the lower.
std::optional<double> polarTheta(const LabelledPatterns &patterns, const QRectF &area, QPointF point)
{
    const QPointF offset = point - patterns.polarCentre(area);
    if (std::hypot(offset.x(), offset.y()) > patterns.polarRadius(area))
        return std::nullopt;
    const double screen = std::atan2(offset.y(), offset.x()) * 180.0 / kPi;
    return std::fabs(screen);
}

std::optional<double> rectangularTheta(const LabelledPatterns &patterns, const QRectF &area, QPointF point)
{
    const QRectF plot = patterns.rectangularPlotArea(area);
    if (point.x() < plot.left() || point.x() > plot.right() || point.y() < plot.top() || point.y() > plot.bottom())
        return std::nullopt;
    return 180.0 * (point.x() - plot.left()) / plot.width();
}

// The curve's level at θ: its samples joined by straight lines.
double levelAt(const LabelledPatterns::Pattern &pattern, double thetaDeg)
{
    const double at = std::clamp(thetaDeg, 0.0, 180.0) * pattern.stepsPerDegree;
    const size_t below = std::min(size_t(at), pattern.normalised.size() - 2);
    const double share = at - double(below);
    return pattern.normalised[below] * (1.0 - share) + pattern.normalised[below + 1] * share;
}

} // namespace

std::optional<PatternPoint> PatternPointAt(const LabelledPatterns &patterns, LabelledPatterns::View view,
                                           const QRectF &area, QPointF point)
{
    if (patterns.patterns().empty() || patterns.patterns().front().normalised.size() < 2)
        return std::nullopt;
    const std::optional<double> theta = view == LabelledPatterns::View::Polar ? polarTheta(patterns, area, point)
                                                                              : rectangularTheta(patterns, area, point);
    if (!theta)
        return std::nullopt;
    return PatternPoint{*theta, levelAt(patterns.patterns().front(), *theta)};
}

QString PatternPointText(const PatternPoint &point)
{
    const QString decibels =
        point.level > 0.0 ? SignedNumberText(20.0 * std::log10(point.level), 2) : QStringLiteral("−∞");
    return QCoreApplication::translate("PatternPointer", "θ = %1°   F / Fмакс = %2   %3 дБ")
        .arg(FixedNumberText(point.thetaDeg, 1), FixedNumberText(point.level, 3), decibels);
}

QString SignedNumberText(double value, unsigned decimals)
{
    QString text = FixedNumberText(value, decimals);
    if (text.startsWith(QLatin1Char('-')))
        text.replace(0, 1,
                     FixedNumberText(-value, decimals) == FixedNumberText(0.0, decimals) ? QString()
                                                                                         : QString(QChar(0x2212)));
    return text;
}
