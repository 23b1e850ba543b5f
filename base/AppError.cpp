#include "AppError.h"

AppError::AppError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}

CanvasError::CanvasError() : AppError(QStringLiteral("Canvas does not allow drawing")) {}

OutOfResourcesError::OutOfResourcesError() : AppError(QStringLiteral("Out of system resources")) {}
