#include "ImpedanceTable.h"

#include "ReportText.h"

namespace {

void appendFields(QByteArray &text, const std::optional<Impedance> &input, const std::optional<double> &swr,
                  bool withSwr)
{
    if (input) {
        text += ExactText(input->resistance);
        text += ',';
        text += ExactText(input->reactance);
    } else {
        text += ',';
    }
    if (withSwr) {
        text += ',';
        if (swr)
            text += ExactText(*swr);
    }
}

} // namespace

QByteArray ImpedanceCsv(const std::vector<ImpedancePoint> &points, bool withSwr,
                        const std::vector<SampledImpedance> *nec)
{
    QByteArray text = withSwr ? "length,r_in_ohm,x_in_ohm,swr" : "length,r_in_ohm,x_in_ohm";
    if (nec)
        text += withSwr ? ",nec_r_in_ohm,nec_x_in_ohm,nec_swr" : ",nec_r_in_ohm,nec_x_in_ohm";
    text += '\n';
    text.reserve(text.size() + static_cast<qsizetype>(points.size()) * (nec ? 128 : 64));
    for (size_t i = 0; i < points.size(); ++i) {
        const ImpedancePoint &point = points[i];
        text += ExactText(point.length);
        text += ',';
        appendFields(text, point.input, point.swr, withSwr);
        if (nec) {
            const SampledImpedance &sample = nec->at(i);
            text += ',';
            appendFields(text, sample.input, sample.swr, withSwr);
        }
        text += '\n';
    }
    return text;
}
