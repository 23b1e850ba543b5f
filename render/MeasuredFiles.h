#pragma once
// The files of measurements that dipole-render reads (a network analyser's
// Touchstone file, a turntable's table of a pattern): read whole, at most
// 64 MiB, and each fault told in one line that names the file, the line and
// the reason, "dipole-render: m.s1p:3: "x" is not a number".
#include "physics/TextLines.h"

#include <QByteArray>
#include <QString>

#include <optional>

struct MeasuredText
{
    std::optional<QByteArray> text;
    QByteArray failure; // the message line when text is none
};

// The contents of fileName (the bytes the command line gave).
MeasuredText ReadMeasuredText(const QString &fileName);

// The message line for a fault of the file fileName.
QByteArray MeasuredFailureLine(const QString &fileName, const LineError &error);
