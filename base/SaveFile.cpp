#include "SaveFile.h"

#include "FileDescriptor.h"
#include "FilePath.h"
#include "PendingFile.h"
#include "SaveFolder.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Exclusive advisory locks on the folders of a save, each folder once, taken
// in one order so that two savers never wait for each other in a ring. A
// folder whose lock is out of reach (it could not be opened for reading, or
// its file system has no locks) is used without one. The locks are held
// through descriptors of their own, so they outlast the files' descriptors
// and go only with this object.
class FolderLocks
{
public:
    void lock(const std::vector<std::unique_ptr<PendingFile>> &files)
    {
        std::vector<std::pair<std::pair<dev_t, ino_t>, int>> folders;
        for (const auto &file : files)
            folders.push_back({identity(*file), file->folder()});
        std::sort(folders.begin(), folders.end());
        for (size_t i = 0; i < folders.size(); ++i) {
            if (i > 0 && folders[i].first == folders[i - 1].first)
                continue;
            Descriptor fd(::fcntl(folders[i].second, F_DUPFD_CLOEXEC, 0));
            int result;
            do {
                result = fd.isOpen() ? ::flock(fd.get(), LOCK_EX) : -1;
            } while (result != 0 && errno == EINTR);
            if (result == 0) {
                m_locked.push_back(folders[i].first);
                m_descriptors.push_back(std::move(fd));
            }
        }
    }

    bool holds(const PendingFile &file) const
    {
        return std::find(m_locked.begin(), m_locked.end(), identity(file)) != m_locked.end();
    }

private:
    static std::pair<dev_t, ino_t> identity(const PendingFile &file)
    {
        return {file.folderStatus().st_dev, file.folderStatus().st_ino};
    }

    std::vector<std::pair<dev_t, ino_t>> m_locked;
    std::vector<Descriptor> m_descriptors;
};

} // namespace

namespace {

constexpr int kSaveAttempts = 5;

// The folders of a save, each opened once by the text that names it, so
// that every file of the save and every attempt uses the same folders.
class SaveFolders
{
public:
    explicit SaveFolders(const std::vector<FileToSave> &files)
    {
        for (const FileToSave &file : files) {
            const QByteArray directory = SplitPath(file.path).directory;
            if (find(directory))
                continue;
            SaveFolder folder;
            FolderFailure failure;
            if (!OpenSaveFolder(directory, MissingFolders::Refuse, folder, failure))
                throw FileCreateError(file.path, failure.error);
            m_folders.emplace_back(directory, std::move(folder));
        }
    }

    const SaveFolder &of(const FileToSave &file) const { return *find(SplitPath(file.path).directory); }

private:
    const SaveFolder *find(const QByteArray &directory) const
    {
        for (const auto &folder : m_folders)
            if (folder.first == directory)
                return &folder.second;
        return nullptr;
    }

    std::vector<std::pair<QByteArray, SaveFolder>> m_folders;
};

void saveOnce(const std::vector<FileToSave> &files, const SaveFolders &folders, FileSync sync)
{
    // Declared first so that it goes last: what was not placed is
    // discarded while the folders are still locked.
    FolderLocks locks;
    std::vector<std::unique_ptr<PendingFile>> pending;
    for (const FileToSave &file : files) {
        pending.push_back(std::make_unique<PendingFile>(file.path, file.data, sync, folders.of(file)));
        pending.back()->prepare();
    }
    locks.lock(pending);
    for (const auto &file : pending)
        file->checkTarget();
    const auto slot = [&](size_t i) { return locks.holds(*pending[i]) ? int(i) + 1 : 0; };
    for (size_t i = 0; i < pending.size(); ++i)
        pending[i]->stage(slot(i));
    try {
        if (pending.size() > 1) {
            pending.front()->keepOnPlace();
            for (size_t i = 1; i < pending.size(); ++i)
                pending[i]->setAside(slot(i));
        }
        for (const auto &file : pending)
            file->place();
    } catch (...) {
        for (auto file = pending.rbegin(); file != pending.rend(); ++file)
            (*file)->restore();
        throw;
    }
    // One flush of a folder makes all its new names durable.
    std::vector<std::pair<dev_t, ino_t>> flushed;
    for (const auto &file : pending) {
        file->dropKept();
        const std::pair<dev_t, ino_t> folder{file->folderStatus().st_dev, file->folderStatus().st_ino};
        if (std::find(flushed.begin(), flushed.end(), folder) != flushed.end())
            continue;
        if (file->finish())
            flushed.push_back(folder);
    }
}

} // namespace

void SaveFiles(const std::vector<FileToSave> &files, FileSync sync)
{
    const WriteSignalBlock noWriteSignals;
    const SaveFolders folders(files);
    // A target that another program replaces while this one prepares is
    // looked at again; a program that keeps replacing it wins.
    for (int attempt = 1;; ++attempt) {
        try {
            saveOnce(files, folders, sync);
            return;
        } catch (const TargetReplaced &) {
            if (attempt == kSaveAttempts)
                throw StreamWriteError(files.front().path, EAGAIN);
        }
    }
}

void SaveFileContents(const QByteArray &path, const QByteArray &data, FileSync sync)
{
    SaveFiles({{path, data}}, sync);
}

void SaveFileContents(const QString &fileName, const QByteArray &data, FileSync sync)
{
    SaveFileContents(QFile::encodeName(fileName), data, sync);
}

void SyncFileSystem(const QByteArray &directory)
{
    const QByteArray path = directory.isEmpty() ? QByteArray(".") : directory;
    SaveFolder folder;
    FolderFailure failure;
    if (!OpenSaveFolder(directory, MissingFolders::Refuse, folder, failure))
        throw StreamWriteError(failure.folder, failure.error);
    if (::syncfs(folder.fd.get()) != 0)
        throw StreamWriteError(path, errno);
}

void SyncFileSystem(const QString &directory)
{
    SyncFileSystem(QFile::encodeName(directory));
}

void WriteToDescriptor(int fd, const QByteArray &data)
{
    const WriteSignalBlock noWriteSignals;
    if (!WriteAll(fd, data.constData(), data.size()))
        throw StreamWriteError();
}
