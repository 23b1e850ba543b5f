#pragma once
// Errors that end a command. Each kind of failure has its own type and
// carries the exact text that the error box shows; the error box is the only
// place that catches them in the running program.
#include <QByteArray>
#include <QString>
#include <stdexcept>

class AppError : public std::runtime_error
{
public:
    explicit AppError(const QString &message);
    const QString &message() const noexcept { return m_message; }
    // The message as bytes for a terminal: a file name in it stays the
    // bytes it was given as, also where they are no valid text.
    QByteArray localMessage() const;

protected:
    AppError(const QString &message, const QByteArray &localMessage);

private:
    QString m_message;
    QByteArray m_localMessage; // null: the message in the local encoding
};

// The drawing surface could not be drawn on.
class CanvasError : public AppError
{
public:
    CanvasError();
};

// The platform could not create a pixel store or a drawing object.
class OutOfResourcesError : public AppError
{
public:
    OutOfResourcesError();
};
