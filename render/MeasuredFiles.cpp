#include "MeasuredFiles.h"

#include "ArgumentBytes.h"
#include "CommandOutput.h"

#include <QFile>

#include <cerrno>

namespace {

// A network analyser's longest sweep is a few megabytes.
constexpr qint64 kLargestMeasuredFile = 64 << 20;

} // namespace

MeasuredText ReadMeasuredText(const QString &fileName)
{
    const QByteArray name = ArgumentBytes(fileName);
    QFile file(QFile::decodeName(name));
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, FailureLine("cannot read", name, errno)};
    const QByteArray text = file.read(kLargestMeasuredFile + 1);
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt, FailureLine("cannot read", name, EIO)};
    if (text.size() > kLargestMeasuredFile)
        return {std::nullopt, "dipole-render: " + name + ": the file is larger than 64 MiB\n"};
    return {text, {}};
}

QByteArray MeasuredFailureLine(const QString &fileName, const LineError &error)
{
    const QByteArray name = ArgumentBytes(fileName);
    const QByteArray where = error.line() > 0 ? name + ':' + QByteArray::number(error.line()) : name;
    return "dipole-render: " + where + ": " + error.what() + '\n';
}
