#pragma once
// One file of a save on its way to its place (SaveFile.h tells the rules).
//
//     PendingFile file(path, data, sync, folder);
//     file.prepare();      // looks at the target in its folder, writes
//                          // a temporary or reserves room: nothing visible
//                          // changes, and failing here loses nothing
//     file.checkTarget();  // the target opened is still there
//     file.stage(slot);    // a replacement takes a pending name, a file
//                          // written in place gets its contents
//     file.place();        // the new file takes the target's name
//     file.finish();       // makes the new name durable
//
// A save of several files prepares all of them before it stages any, and
// stages and places them while it holds the lock on their folders. What is
// not placed when a PendingFile goes is discarded.
#include "FileDescriptor.h"
#include "SaveErrors.h"
#include "SaveFolder.h"

#include <sys/stat.h>

// The target went from its folder between the look at it and the save
// (another program replaced it): the save starts again.
struct TargetReplaced
{
};

class PendingFile
{
public:
    // path names the file in messages; its last name is the file's name in
    // folder, which the file keeps a descriptor of its own to.
    PendingFile(const QByteArray &path, const QByteArray &data, FileSync sync, const SaveFolder &folder);
    ~PendingFile();
    PendingFile(const PendingFile &) = delete;
    PendingFile &operator=(const PendingFile &) = delete;

    void prepare();
    // The folder's descriptor and its identity, for locking it.
    int folder() const { return m_folder.get(); }
    const struct stat &folderStatus() const { return m_folderStatus; }
    // Throws TargetReplaced when a file to be written in place has left its
    // folder since it was opened; called under the folder's lock.
    void checkTarget() const;
    // slot > 0 names the pending name that the save may use while it holds
    // the folder's lock (a stale one of a killed save is removed); 0 asks
    // for a random one.
    void stage(int slot);
    void place();
    // Flushes the folder, unless the file was written in place or the save
    // defers it: whether it did.
    bool finish();

    // For a save of several files, which are to take their places all or
    // none even when a rename fails or the saver is killed midway: each old
    // file after the first is set aside under a name of its own (slot as
    // for stage) before any file is placed, and the first is exchanged with
    // its replacement rather than replaced (keepOnPlace), so that a saver
    // killed while placing leaves new or old files beside a missing one,
    // never a mixed set. restore puts the old files back (or takes a new
    // one away) when a later file failed; dropKept removes the old files
    // once all are placed. No file has a second name meanwhile.
    void setAside(int slot);
    void keepOnPlace() { m_keepOnPlace = true; }
    void restore() noexcept;
    void dropKept();

private:
    enum class Mode {
        Create,  // no file yet: a temporary takes the name
        Replace, // the saver's own plain file: a temporary is renamed over it
        InPlace, // anything else: written through its own descriptor
    };

    [[noreturn]] void failCreate(int error) const;
    [[noreturn]] void failWrite(int error) const;
    [[noreturn]] void failPlace(int error);
    Descriptor openTarget();
    Descriptor openPlain();
    Descriptor openThroughLink();
    bool isReplaceable(int fd, const struct stat &st) const;
    bool stageTemporary(const struct stat *old);
    int createNamedTemporary();
    void fillTemporary(const struct stat *old, bool unnamed);
    void reserveRoom();
    void writeInPlace();
    void linkPending(int slot);
    bool linkUnnamed(const QByteArray &name) const;
    void discardTemporary();

    QByteArray m_path;
    QByteArray m_name; // within the folder
    QByteArray m_data;
    FileSync m_sync;
    Descriptor m_folder;
    struct stat m_folderStatus = {};
    bool m_sharedFolder = false;
    Mode m_mode = Mode::Create;
    bool m_throughLink = false;
    struct stat m_old = {}; // the target as it was, unless Mode::Create
    Descriptor m_file;      // the temporary, or the target written in place
    bool m_unnamed = false; // the temporary has no name yet
    QByteArray m_tempName;  // the temporary's name while it has one
    QByteArray m_keptName;  // the old file's name while it is set aside
    bool m_placed = false;
    bool m_keepOnPlace = false;
};
