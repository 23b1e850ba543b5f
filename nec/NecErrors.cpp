#include "NecErrors.h"

NecMissingError::NecMissingError()
    : AppError(QStringLiteral("nec2c is not installed (the Debian package nec2c brings it)"))
{}

NecRunError::NecRunError(const QString &reason) : AppError(QStringLiteral("nec2c failed: ") + reason) {}

NecOutputError::NecOutputError(const QString &reason)
    : AppError(QStringLiteral("nec2c's output could not be read: ") + reason)
{}
