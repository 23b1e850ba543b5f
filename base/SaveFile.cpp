#include "SaveFile.h"

#include "FileDescriptor.h"
#include "PendingFile.h"

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

void saveOnce(const std::vector<FileToSave> &files, FileSync sync)
{
    // Declared first so that it goes last: what was not placed is
    // discarded while the folders are still locked.
    FolderLocks locks;
    std::vector<std::unique_ptr<PendingFile>> pending;
    for (const FileToSave &file : files) {
        pending.push_back(std::make_unique<PendingFile>(file.path, file.data, sync));
        pending.back()->prepare();
    }
    locks.lock(pending);
    for (const auto &file : pending)
        file->checkTarget();
    for (size_t i = 0; i < pending.size(); ++i)
        pending[i]->stage(locks.holds(*pending[i]) ? int(i) + 1 : 0);
    for (const auto &file : pending)
        file->place();
    for (const auto &file : pending)
        file->finish();
}

} // namespace

void SaveFiles(const std::vector<FileToSave> &files, FileSync sync)
{
    const WriteSignalBlock noWriteSignals;
    // A target that another program replaces while this one prepares is
    // looked at again; a program that keeps replacing it wins.
    for (int attempt = 1;; ++attempt) {
        try {
            saveOnce(files, sync);
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
    const Descriptor fd(::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.isOpen())
        throw StreamWriteError(path, errno);
    if (::syncfs(fd.get()) != 0)
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
