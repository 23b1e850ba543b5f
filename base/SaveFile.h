#pragma once
// Saving a file without losing the previous one or handing it to someone
// else.
//
// A regular file that the saver owns and that has no other links, or no file
// yet: the new contents go to a temporary file in the same directory (an
// unnamed one where the file system allows, so that a process killed halfway
// leaves nothing behind), are flushed to disk, and only then take the file's
// name. The old permission bits and group stay; set-id bits never come
// along.
//
// Anything else (a symbolic link, a file with other hard links or another
// owner, a pipe, a device) is written in place through the kernel's own
// open, so the kernel's link protections decide what a link may reach and
// the owner and the links stay. The new size is reserved before the old
// contents are cut, so a full disk or a file-size limit fails before a byte
// of them is lost.
//
// The signals a write can raise (a pipe whose reader has gone, a file-size
// limit) become write errors.
#include "base/AppError.h"

#include <QByteArray>
#include <QString>

// The target could not be created or replaced; names the file as passed.
class FileCreateError : public AppError
{
public:
    explicit FileCreateError(const QString &fileName);
};

// A write to the file fell short (typically a full disk).
class StreamWriteError : public AppError
{
public:
    StreamWriteError();
};

// When a save waits for the disk: before the new file takes the old one's
// place, or not at all, for a caller that writes many files and then makes
// them durable together with SyncFileSystem.
enum class FileSync { BeforeRename, Deferred };

// Saves data as fileName as described above. An existing directory, a
// read-only file (even for the superuser) and a target that cannot be
// opened or created throw FileCreateError; a failed write throws
// StreamWriteError.
void SaveFileContents(const QString &fileName, const QByteArray &data, FileSync sync = FileSync::BeforeRename);

// Waits until everything written to the file system of directory (the
// current directory when empty) is on disk; throws StreamWriteError when
// the directory cannot be opened or a write back failed.
void SyncFileSystem(const QString &directory);

// Writes all of data to an open descriptor (standard output, say); a reader
// that leaves early or a full disk raise StreamWriteError.
void WriteToDescriptor(int fd, const QByteArray &data);
