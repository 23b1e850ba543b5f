#include "SaveErrors.h"

#include <QFile>

#include <cstring>

const char *SaveErrorReason(int systemError)
{
    return systemError == kNotRegularFile ? "not a regular file" : std::strerror(systemError);
}

FileCreateError::FileCreateError(const QByteArray &path, int systemError)
    : AppError(QStringLiteral("Cannot create file %1").arg(QFile::decodeName(path)), "Cannot create file " + path),
      m_path(path),
      m_systemError(systemError)
{}

StreamWriteError::StreamWriteError() : AppError(QStringLiteral("Stream write error")) {}

StreamWriteError::StreamWriteError(const QByteArray &path, int systemError)
    : AppError(QStringLiteral("Stream write error")), m_path(path), m_systemError(systemError)
{}
