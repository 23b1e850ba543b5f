#include "AppError.h"

AppError::AppError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}

AppError::AppError(const QString &message, const QByteArray &localMessage)
    : std::runtime_error(localMessage.toStdString()), m_message(message), m_localMessage(localMessage)
{}

QByteArray AppError::localMessage() const
{
    return m_localMessage.isNull() ? m_message.toLocal8Bit() : m_localMessage;
}

CanvasError::CanvasError() : AppError(QStringLiteral("Canvas does not allow drawing")) {}

OutOfResourcesError::OutOfResourcesError() : AppError(QStringLiteral("Out of system resources")) {}
