#include "NecErrors.h"

#include <cstring>

NecMissingError::NecMissingError()
    : AppError(QStringLiteral("nec2c is not installed (the Debian package nec2c brings it)"))
{}

NecUnusableError::NecUnusableError(const QString &program, int error)
    : AppError(QStringLiteral("cannot run nec2c (%1): %2").arg(program, QString::fromLocal8Bit(std::strerror(error))))
{}

NecRunError::NecRunError(const QString &reason) : AppError(QStringLiteral("nec2c failed: ") + reason) {}

NecOutputError::NecOutputError(const QString &reason)
    : AppError(QStringLiteral("nec2c's output could not be read: ") + reason)
{}

NecCancelledError::NecCancelledError() : AppError(QStringLiteral("the nec2c run was cancelled")) {}
