#pragma once
// What dipole-render's command line has given so far: the options it sets,
// the operands (LENGTH) and the names and values of the options seen, for
// the rules on their combinations (OptionCombinations.h) and the readers
// that run once every option is known (RenderOptions.cpp).
#include "RenderOptionValues.h"

#include <QHash>
#include <QString>
#include <QStringList>

// (LENGTH) and the names of the options seen, for the rules on combinations.
struct CommandLine
{
    RenderOptions options;
    QStringList operands;
    QStringList givenOptions;
    QHash<QString, QString> values; // each option's value as given

    bool given(const char *name) const { return givenOptions.contains(QLatin1String(name)); }
    QString value(const char *name) const { return values.value(QLatin1String(name)); }
};

// Throws RenderUsageError with the message.
[[noreturn]] void RefuseCommandLine(const QString &message);
