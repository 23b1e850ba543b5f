#include "FilePath.h"

QByteArray JoinPath(const QByteArray &directory, const QByteArray &name)
{
    if (directory.isEmpty() || name.startsWith('/'))
        return name;
    qsizetype end = directory.size();
    while (end > 0 && directory.at(end - 1) == '/')
        --end;
    return directory.left(end) + '/' + name;
}

QString JoinPath(const QString &directory, const QString &name)
{
    if (directory.isEmpty() || name.startsWith(QLatin1Char('/')))
        return name;
    qsizetype end = directory.size();
    while (end > 0 && directory.at(end - 1) == QLatin1Char('/'))
        --end;
    return directory.left(end) + QLatin1Char('/') + name;
}

PathParts SplitPath(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return {QByteArray("."), path};
    return {slash == 0 ? QByteArray("/") : path.left(slash), path.mid(slash + 1)};
}
