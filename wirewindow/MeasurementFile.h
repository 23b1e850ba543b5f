#pragma once
// A measurement the laboratory opens from a file: a one-port's S11 in a
// Touchstone file (.s1p; its extension names its port count), or a pattern
// measured on a turntable in a table of angles and levels (any other
// name). Read whole, at most 64 MiB; a fault is told in the user's words,
// naming the file, its line and the reader's reason.
#include "physics/MeasuredPattern.h"
#include "touchstone/OnePortData.h"

#include <QString>

#include <optional>

struct MeasurementFile
{
    std::optional<OnePortData> sweep;
    std::optional<MeasuredPattern> pattern;
    QString failure; // the message where neither was read
};

// Whether fileName is read as a Touchstone file: an extension .sNp.
bool IsTouchstoneName(const QString &fileName);

MeasurementFile ReadMeasurementFile(const QString &fileName);
