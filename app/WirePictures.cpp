#include "WirePictures.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kCurrentSamples = 401;
constexpr double kReactanceLimit = 1500.0;

QImage whiteImage(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

struct Frame
{
    QRectF plot;
    double xFrom, xTo, yFrom, yTo;
    QPointF map(double x, double y) const
    {
        return {plot.left() + (x - xFrom) / (xTo - xFrom) * plot.width(),
                plot.bottom() - (y - yFrom) / (yTo - yFrom) * plot.height()};
    }
};

void drawFrame(QPainter &painter, const Frame &frame, const QString &title)
{
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(frame.plot);
    painter.drawText(QRectF(0, 4, painter.device()->width(), 20), Qt::AlignHCenter, title);
}

} // namespace

QImage CurrentPicture(const WireModel &model, QSize size)
{
    QImage image = whiteImage(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const CurrentDistribution current = model.current(kCurrentSamples);
    const double half = std::max(current.length / 2.0, 1e-9);
    const Frame frame{QRectF(40, 30, size.width() - 60, size.height() - 60), -half, half, 0.0, 1.1};
    drawFrame(painter, frame, QStringLiteral("Ток вдоль провода"));
    QPainterPath path;
    for (const CurrentSample &s : current.samples) {
        const QPointF p = frame.map(s.z, s.magnitude);
        path.elementCount() == 0 ? path.moveTo(p) : path.lineTo(p);
    }
    painter.setPen(QPen(Qt::darkBlue, 2));
    painter.drawPath(path);
    if (current.feedToMaximum) {
        painter.setPen(QPen(Qt::red, 1, Qt::DashLine));
        painter.drawLine(frame.map(0.0, 0.0), frame.map(0.0, *current.feedToMaximum));
    }
    return image;
}

QImage ImpedancePicture(const WireModel &model, QSize size)
{
    QImage image = whiteImage(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const Frame frame{QRectF(40, 30, size.width() - 60, size.height() - 60), kCurveFirstLength, kCurveLastLength,
                      -kReactanceLimit, kReactanceLimit};
    drawFrame(painter, frame, QStringLiteral("R и X в зависимости от длины"));
    painter.setClipRect(frame.plot);
    QPainterPath r;
    QPainterPath x;
    for (const ImpedancePoint &point : model.impedanceCurve()) {
        if (!point.input) {
            r.moveTo(frame.map(point.length, 0.0));
            x.moveTo(frame.map(point.length, 0.0));
            continue;
        }
        const double rClamped = std::clamp(point.input->resistance, -2 * kReactanceLimit, 2 * kReactanceLimit);
        const double xClamped = std::clamp(point.input->reactance, -2 * kReactanceLimit, 2 * kReactanceLimit);
        r.elementCount() == 0 ? r.moveTo(frame.map(point.length, rClamped))
                              : r.lineTo(frame.map(point.length, rClamped));
        x.elementCount() == 0 ? x.moveTo(frame.map(point.length, xClamped))
                              : x.lineTo(frame.map(point.length, xClamped));
    }
    painter.setPen(QPen(Qt::darkBlue, 2));
    painter.drawPath(r);
    painter.setPen(QPen(Qt::darkRed, 2));
    painter.drawPath(x);
    const double M = std::fabs(model.length());
    painter.setPen(QPen(Qt::darkGreen, 1, Qt::DashLine));
    painter.drawLine(frame.map(M, -kReactanceLimit), frame.map(M, kReactanceLimit));
    return image;
}
