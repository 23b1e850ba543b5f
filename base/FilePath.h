#pragma once
// File names as the system takes them: bytes, whatever their encoding. A
// name from the command line is kept as given from argv to open and into
// the messages that name it.
#include <QByteArray>
#include <QString>

// name inside directory: name alone when directory is empty (the current
// directory) or name is absolute; otherwise one slash between them,
// whatever slashes directory ends with.
QByteArray JoinPath(const QByteArray &directory, const QByteArray &name);
QString JoinPath(const QString &directory, const QString &name);

// The folder of path ("." for a bare name, "/" at the root) and the name
// within it.
struct PathParts
{
    QByteArray directory;
    QByteArray name;
};
PathParts SplitPath(const QByteArray &path);
