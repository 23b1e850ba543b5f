#include "MeasurementFile.h"

#include "FrequencyModel.h"
#include "touchstone/TouchstoneReader.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// A network analyser's longest sweep is a few megabytes.
constexpr qint64 kLargestMeasurementFile = 64 << 20;

QString shownName(const QString &fileName)
{
    return QFileInfo(fileName).fileName();
}

MeasurementFile failed(const QString &fileName, const QString &reason)
{
    MeasurementFile file;
    file.failure = FrequencyModel::tr("Измерение из файла «%1» не открыто: %2").arg(shownName(fileName), reason);
    return file;
}

} // namespace

bool IsTouchstoneName(const QString &fileName)
{
    static const QRegularExpression extension(QStringLiteral("\\.s[0-9]+p$"),
                                              QRegularExpression::CaseInsensitiveOption);
    return extension.match(fileName).hasMatch();
}

MeasurementFile ReadMeasurementFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return failed(fileName, file.errorString());
    const QByteArray text = file.read(kLargestMeasurementFile + 1);
    if (file.error() != QFileDevice::NoError)
        return failed(fileName, file.errorString());
    if (text.size() > kLargestMeasurementFile)
        return failed(fileName, FrequencyModel::tr("файл больше 64 МиБ."));
    const std::string_view contents(text.constData(), std::size_t(text.size()));
    MeasurementFile measurement;
    try {
        if (IsTouchstoneName(fileName))
            measurement.sweep = ReadTouchstone(contents, QFile::encodeName(shownName(fileName)).toStdString());
        else
            measurement.pattern = ReadMeasuredPattern(contents, std::nullopt);
    } catch (const LineError &e) {
        const QString reason = QString::fromUtf8(e.what());
        return failed(fileName, e.line() > 0
                                    ? FrequencyModel::tr("строка %1: %2").arg(QString::number(e.line()), reason)
                                    : reason);
    }
    return measurement;
}
