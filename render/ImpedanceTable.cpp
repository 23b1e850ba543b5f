#include "ImpedanceTable.h"

#include "ReportText.h"

QByteArray ImpedanceCsv(const std::vector<ImpedancePoint> &points, bool withSwr)
{
    QByteArray text = withSwr ? "length,r_in_ohm,x_in_ohm,swr\n" : "length,r_in_ohm,x_in_ohm\n";
    text.reserve(text.size() + static_cast<qsizetype>(points.size()) * 64);
    for (const ImpedancePoint &point : points) {
        text += ExactText(point.length);
        text += ',';
        if (point.input) {
            text += ExactText(point.input->resistance);
            text += ',';
            text += ExactText(point.input->reactance);
        } else {
            text += ',';
        }
        if (withSwr) {
            text += ',';
            if (point.swr)
                text += ExactText(*point.swr);
        }
        text += '\n';
    }
    return text;
}
