#pragma once
// The option setters of dipole-render's option table: each reads one
// option's value into the options, or refuses a value it cannot use with a
// RenderUsageError naming the option and the reason. Ranges that depend on
// other options are checked once all options are known (RenderOptions.cpp).
#include "RenderOptionValues.h"

#include <QString>

void SetColour(RenderOptions &options, const QString &text);
void SetOutDirectory(RenderOptions &options, const QString &text);
void SetFormat(RenderOptions &options, const QString &text);
void SetCsvFile(RenderOptions &options, const QString &text);
void SetStep(RenderOptions &options, const QString &text);
void SetRadius(RenderOptions &options, const QString &text);
void SetReferenceResistance(RenderOptions &options, const QString &text);
// --ohms LOW:HIGH, the impedance picture's axis.
void SetOhmsAxis(RenderOptions &options, const QString &text);
void SetMeasuredPattern(RenderOptions &options, const QString &text);
void SetMeasuredScale(RenderOptions &options, const QString &text);
void SetStyle(RenderOptions &options, const QString &text);
void SetScale(RenderOptions &options, const QString &text);
void SetRange(RenderOptions &options, const QString &text);
void SetSize(RenderOptions &options, const QString &text);
