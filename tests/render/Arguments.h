#pragma once
// A command line as dipole-render's option parser receives it, written as a
// list of C strings: Args({"--report", "--json", "1.5"}).
#include <QString>
#include <QStringList>

#include <initializer_list>

inline QStringList Args(std::initializer_list<const char *> args)
{
    QStringList list;
    for (const char *a : args)
        list << QString::fromUtf8(a);
    return list;
}
