#include "ImpedanceTable.h"

#include <QLocale>

namespace {

// The shortest text that reads back as the same double.
QByteArray exact(double value)
{
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace

QByteArray ImpedanceCsv(const std::vector<ImpedancePoint> &points, bool withSwr)
{
    QByteArray text = withSwr ? "length,r_in_ohm,x_in_ohm,swr\n" : "length,r_in_ohm,x_in_ohm\n";
    text.reserve(text.size() + static_cast<qsizetype>(points.size()) * 64);
    for (const ImpedancePoint &point : points) {
        text += exact(point.length);
        text += ',';
        if (point.input) {
            text += exact(point.input->resistance);
            text += ',';
            text += exact(point.input->reactance);
        } else {
            text += ',';
        }
        if (withSwr) {
            text += ',';
            if (point.swr)
                text += exact(*point.swr);
        }
        text += '\n';
    }
    return text;
}
