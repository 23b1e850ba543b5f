#include "FrequencyTable.h"

#include "ReportText.h"
#include "physics/Reflection.h"

#include <QList>

#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793238462643383279502884;

void appendField(QByteArray &text, const std::optional<double> &value)
{
    text += ',';
    if (value && std::isfinite(*value))
        text += ExactText(*value);
}

void appendModel(QByteArray &text, const FrequencyPoint &point)
{
    appendField(text, point.input ? std::optional(point.input->resistance) : std::nullopt);
    appendField(text, point.input ? std::optional(point.input->reactance) : std::nullopt);
    appendField(text, point.swr);
    appendField(text, ReturnLossDb(point.reflection));
    appendField(text, std::abs(point.reflection));
    appendField(text, std::arg(point.reflection) * 180.0 / kPi);
}

} // namespace

QByteArray FrequencyCsv(const std::vector<FrequencyPoint> &theory, const std::vector<FrequencyPoint> &nec)
{
    const QByteArray model = "r_in_ohm,x_in_ohm,swr,return_loss_db,s11_mag,s11_deg";
    QByteArray text = "frequency_hz,length," + model;
    if (!nec.empty())
        text += ",nec_" + model.split(',').join(",nec_");
    text += '\n';
    for (std::size_t i = 0; i < theory.size(); ++i) {
        text += ExactText(theory[i].frequency);
        text += ',';
        text += ExactText(theory[i].length);
        appendModel(text, theory[i]);
        if (!nec.empty())
            appendModel(text, nec[i]);
        text += '\n';
    }
    return text;
}
