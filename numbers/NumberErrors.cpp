#include "NumberErrors.h"

ConversionError::ConversionError(const QString &text)
    : AppError(QStringLiteral("'%1' is not a valid floating point value").arg(text)), m_text(text)
{}

RangeError::RangeError(const QString &message) : AppError(message) {}

FloatOverflowError::FloatOverflowError() : AppError(QStringLiteral("Floating point overflow")) {}
