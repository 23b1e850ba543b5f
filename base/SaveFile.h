#pragma once
// Saving files without losing the previous ones or handing them to someone
// else.
//
// A regular file that the saver owns, that has no other links and carries
// no extended attributes (an access list is one), or no file yet: the new
// contents go to a temporary file in the same folder (an unnamed one where
// the file system allows, so that a process killed halfway leaves nothing
// behind), are flushed to disk, and only then take the file's name. The old
// permission bits and group stay; set-id bits never come along.
//
// A file that must keep what it is (a symbolic link, a file with other hard
// links, another owner or extended attributes) is written in place, so the
// owner, the links and the attributes stay. The new size is reserved before
// the old contents are cut, so a full disk or a file-size limit fails
// before a byte of them is lost; where a file system reserves nothing, its
// free space is checked instead. Only regular files are written: a pipe, a
// device or a socket (or a link to one) refuses the save at once.
//
// The folder is reached one name at a time and then used through its
// descriptor only (SaveFolder.h). A symbolic link, on the way or as the
// file's own name, is followed only when it belongs to the saver or its
// owner owns what it leads to, whatever the kernel is set to: another
// user's link is a trap, not a place to save to. In a folder that everyone
// may write and that has the sticky bit (/tmp), a file with a second name
// is refused for the same reason: anyone may have made that name.
//
// Several files saved together (a picture pair) are all written, or their
// room reserved, before any of them takes its place, and take their places
// while the saver holds an advisory lock (flock) on their folder: two
// programs saving pairs into one folder never leave a mixed pair, and a
// failure (a full disk, a refused file) leaves the old files untouched and
// none of the new ones. While they take their places, the old files are
// set aside, every one but the first before any file is placed: a rename
// that fails puts the old files back, and a saver killed midway leaves a
// pair with a file missing, never a mixed pair (an old file set aside as
// ".dipole-keep-N" is taken over by the next save into the folder). A
// replacement has a name of its own only between
// being named and being renamed over the target, under the folder's lock,
// as ".dipole-save-N"; a save killed just there leaves that name, which the
// next save into the folder takes over.
//
// File names are bytes, passed to the system as given; the QString forms
// encode a name the way Qt encodes file names. Errors name the file as
// passed. The signals a write can raise (a pipe whose reader has gone, a
// file-size limit) become write errors.
#include "base/SaveErrors.h"

#include <QByteArray>
#include <QString>

#include <vector>

// Saves data as path as described above. An existing folder, a read-only
// file (even for the superuser), a link that may not be followed and a
// target that cannot be opened or created throw FileCreateError; a failed
// write throws StreamWriteError.
void SaveFileContents(const QByteArray &path, const QByteArray &data, FileSync sync = FileSync::BeforeRename);
void SaveFileContents(const QString &fileName, const QByteArray &data, FileSync sync = FileSync::BeforeRename);

struct FileToSave
{
    QByteArray path;
    QByteArray data;
};

// Saves the files together, as described above: all of them take their
// places or, with the error of the first file that failed, none. (Only a
// write in place that fails after its room was reserved, a failing disk,
// can leave that one file cut.)
void SaveFiles(const std::vector<FileToSave> &files, FileSync sync = FileSync::BeforeRename);

// Waits until everything written to the file system of directory (the
// current directory when empty) is on disk; throws StreamWriteError when
// the directory cannot be opened or a write back failed.
void SyncFileSystem(const QByteArray &directory);
void SyncFileSystem(const QString &directory);

// Writes all of data to an open descriptor (standard output, say); a reader
// that leaves early or a full disk raise StreamWriteError.
void WriteToDescriptor(int fd, const QByteArray &data);
