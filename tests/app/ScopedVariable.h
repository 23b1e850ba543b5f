#pragma once
// A test's guard on one environment variable.
#include <QByteArray>
#include <QtGlobal>

// An environment variable set, or unset, for the guard's lifetime.
class ScopedVariable
{
public:
    ScopedVariable(const char *name, const char *value)
        : m_name(name), m_previous(qgetenv(name)), m_was(qEnvironmentVariableIsSet(name))
    {
        if (value)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    ~ScopedVariable()
    {
        if (m_was)
            qputenv(m_name, m_previous);
        else
            qunsetenv(m_name);
    }
    ScopedVariable(const ScopedVariable &) = delete;
    ScopedVariable &operator=(const ScopedVariable &) = delete;

private:
    const char *m_name;
    QByteArray m_previous;
    bool m_was;
};
