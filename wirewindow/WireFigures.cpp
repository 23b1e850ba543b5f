#include "WireFigures.h"

#include <QCoreApplication>

#include "numbers/NumberText.h"

#include <cmath>

namespace {

const QString kLambda = QStringLiteral(" λ");
const QString kDash = QStringLiteral("—");

QString ohms(double value)
{
    return FixedNumberText(value, 2);
}

} // namespace

QString WireNumberText(double value)
{
    return GeneralNumberText(value, 15);
}

QString InputImpedanceText(const WireModel &model)
{
    switch (model.state()) {
    case WireState::Impedance: break;
    case WireState::CurrentNode:
        return QCoreApplication::translate("WireFigures", "в модели бесконечно: в точке питания узел тока");
    case WireState::RadiusTooThick:
        return QCoreApplication::translate("WireFigures", "не определено: радиус провода не меньше половины длины");
    case WireState::NoWire: return QCoreApplication::translate("WireFigures", "не определено: длина равна нулю");
    case WireState::OutOfRange:
        return QCoreApplication::translate("WireFigures", "не вычисляется для длины 30 λ и более");
    }
    const Impedance z = *model.inputImpedance();
    // A reactance that rounds to 0,00 is written with a plus.
    const bool capacitive = std::round(z.reactance * 100.0) < 0.0;
    const QString sign = capacitive ? QStringLiteral(" − j") : QStringLiteral(" + j");
    return ohms(z.resistance) + sign + ohms(std::fabs(z.reactance)) + QCoreApplication::translate("WireFigures", " Ом");
}

QString StandingWaveRatioText(const WireModel &model)
{
    const std::optional<double> swr = model.standingWaveRatio();
    if (!swr)
        return kDash;
    if (std::isinf(*swr))
        return QStringLiteral("∞");
    return FixedNumberText(*swr, 2);
}

QString StandingWaveRatioCaption(const WireModel &model)
{
    return QCoreApplication::translate("WireFigures", "КСВ в линии %1 Ом:")
        .arg(WireNumberText(model.referenceResistance()));
}

QString FeedCurrentText(const WireModel &model)
{
    const std::optional<double> ratio = model.feedToMaximumCurrent();
    return ratio ? GeneralNumberText(*ratio, 3) : kDash;
}

QString RadiusRefusalText(RadiusFault fault, double radius, double length)
{
    switch (fault) {
    case RadiusFault::None: break;
    case RadiusFault::NotPositive:
        return QCoreApplication::translate("WireFigures", "Радиус провода должен быть больше нуля.");
    case RadiusFault::TooThin:
        // A subnormal radius has no digits worth showing.
        if (!std::isnormal(radius))
            return QCoreApplication::translate("WireFigures", "Радиус провода слишком мал: допустимо не менее %1.")
                .arg(WireNumberText(kMinWireRadius) + kLambda);
        return QCoreApplication::translate("WireFigures", "Радиус провода %1 слишком мал: допустимо не менее %2.")
            .arg(WireNumberText(radius) + kLambda, WireNumberText(kMinWireRadius) + kLambda);
    case RadiusFault::TooThick:
        if (!std::isfinite(radius))
            return QCoreApplication::translate("WireFigures", "Радиус провода слишком велик: допустимо не более %1.")
                .arg(WireNumberText(kMaxWireRadius) + kLambda);
        return QCoreApplication::translate("WireFigures", "Радиус провода %1 слишком велик: допустимо не более %2.")
            .arg(WireNumberText(radius) + kLambda, WireNumberText(kMaxWireRadius) + kLambda);
    case RadiusFault::NotBelowHalf:
        return QCoreApplication::translate("WireFigures", "Радиус провода %1 слишком велик для вибратора длиной %2: "
                                                          "радиус должен быть меньше половины длины, %3.")
            .arg(WireNumberText(radius) + kLambda, WireNumberText(std::fabs(length)) + kLambda,
                 WireNumberText(std::fabs(length) / 2.0) + kLambda);
    }
    return QString();
}

QString RadiusRefusalCaption()
{
    return QCoreApplication::translate("WireFigures", "Недопустимый радиус провода");
}

QString ReferenceResistanceRefusalText()
{
    return QCoreApplication::translate("WireFigures", "Волновое сопротивление линии должно быть больше нуля.");
}

QString ReferenceResistanceRefusalCaption()
{
    return QCoreApplication::translate("WireFigures", "Недопустимое сопротивление линии");
}
