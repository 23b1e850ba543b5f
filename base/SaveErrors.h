#pragma once
// The errors of the careful save (SaveFile.h), and when a save waits for
// the disk: what both the save and each of its pending files need.
#include "base/AppError.h"

#include <QByteArray>

// The reason of a FileCreateError for a name that holds something other
// than a regular file (a pipe, a device, a socket), which no error number
// of the system's names.
constexpr int kNotRegularFile = -1;

// The system's text for an error number, and "not a regular file" for
// kNotRegularFile.
const char *SaveErrorReason(int systemError);

// The target could not be created or replaced; names the file as passed.
class FileCreateError : public AppError
{
public:
    explicit FileCreateError(const QByteArray &path, int systemError = 0);
    const QByteArray &path() const { return m_path; }
    // The system's error number of the failure, 0 where none applies.
    int systemError() const { return m_systemError; }

private:
    QByteArray m_path;
    int m_systemError;
};

// A write to the file fell short (typically a full disk).
class StreamWriteError : public AppError
{
public:
    StreamWriteError();
    explicit StreamWriteError(const QByteArray &path, int systemError = 0);
    const QByteArray &path() const { return m_path; }
    int systemError() const { return m_systemError; }

private:
    QByteArray m_path;
    int m_systemError = 0;
};

// When a save waits for the disk: before the new file takes the old one's
// place, or not at all, for a caller that writes many files and then makes
// them durable together with SyncFileSystem.
enum class FileSync { BeforeRename, Deferred };
