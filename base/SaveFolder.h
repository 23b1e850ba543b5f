#pragma once
// The folder a save writes into, opened once and used through its
// descriptor from the first step to the last, so that nobody can swap a
// folder on the path for a link to another place halfway through.
//
// A path is walked one name at a time. A symbolic link on the way, and a
// link that a file's name turns out to be, is followed only where it
// belongs to the saver or its owner also owns what it points to: another
// user's link (in /tmp, say) cannot lead the saver, the superuser above
// all, into a place of the saver's that the link's owner may not write.
#include "FileDescriptor.h"

#include <QByteArray>

#include <sys/stat.h>

// An opened folder and what it was when it was opened.
struct SaveFolder
{
    Descriptor fd;
    struct stat status = {};
};

enum class MissingFolders {
    Refuse, // a missing folder is an error
    Create, // missing folders are made, as mkdir -p does
};

// Why a folder could not be opened: the folder as named in the path (the
// path up to the name that failed) and the system's error.
struct FolderFailure
{
    QByteArray folder;
    int error = 0;
};

// Opens directory ("" and "." the current folder) as described above. A
// folder pinned under the same text (FolderPin) is not looked up again; its
// descriptor is duplicated. A folder that may be searched but not read is
// opened for the path only (no lock can be taken on it then). Returns false
// with failure filled in when a folder is missing (and not to be made), is
// not a folder, is refused by the system or reached through a link that
// may not be followed (EACCES), or the links on the way loop.
bool OpenSaveFolder(const QByteArray &directory, MissingFolders missing, SaveFolder &folder, FolderFailure &failure);

// Whether a symbolic link with status link, found in a folder, may be
// followed to target (null when the link leads nowhere yet): the link is
// the saver's, or its owner owns the target.
bool LinkMayBeFollowed(const struct stat &link, const struct stat *target);

// Keeps a folder open for a run of saves: while it lives, every save whose
// folder is named by the same text (as OpenSaveFolder takes it) uses this
// descriptor rather than the path. A command opens its output folder once
// this way and then writes, reads and removes files through it only.
class FolderPin
{
public:
    FolderPin(const QByteArray &directory, const SaveFolder &folder);
    ~FolderPin();
    FolderPin(const FolderPin &) = delete;
    FolderPin &operator=(const FolderPin &) = delete;

private:
    QByteArray m_key;
};
