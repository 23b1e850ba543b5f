#pragma once
// Runs dipole-render as a separate process, as a user or a script would.
#include <QByteArray>
#include <QFile>
#include <QFileDevice>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

struct RunResult
{
    int exitCode;
    QByteArray out, err;
};

inline RunResult RunRender(const QStringList &args, const QString &workingDirectory,
                           const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(environment);
    p.setWorkingDirectory(workingDirectory);
    p.start(QStringLiteral(DIPOLE_RENDER_PATH), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

// A stand-in nec2c in folder that runs script, with the given permissions,
// and the environment that finds it first on the PATH.
inline QProcessEnvironment FakeNec2c(const QString &folder, const QByteArray &script,
                                     QFileDevice::Permissions permissions = QFileDevice::ReadOwner
                                                                            | QFileDevice::ExeOwner)
{
    QFile fake(folder + QStringLiteral("/nec2c"));
    EXPECT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("#!/bin/sh\n" + script);
    fake.close();
    fake.setPermissions(permissions);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PATH"), folder + ':' + environment.value(QStringLiteral("PATH")));
    return environment;
}

inline QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Whether pid names a process that still runs (a zombie's run has ended).
inline bool Running(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    const qsizetype end = text.lastIndexOf(')');
    return end >= 0 && end + 2 < text.size() && text[end + 2] != 'Z';
}
