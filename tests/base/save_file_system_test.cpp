// The careful save against what file systems and the system give and
// refuse: extended attributes and access lists, file systems that reserve
// no room, a disk that cannot flush, names that are no text, names of the
// longest length.
#include "SaveTestSupport.h"
#include "SyscallFault.h"
#include "base/FilePath.h"
#include "base/SaveFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

const QByteArray kData(100000, 'n');

QByteArray ReadBytes(const QByteArray &path)
{
    QFile f;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || !f.open(fd, QIODevice::ReadOnly, QFile::AutoCloseHandle))
        return {};
    return f.readAll();
}

QList<QByteArray> Names(const QByteArray &folder)
{
    QList<QByteArray> names;
    DIR *dir = ::opendir(folder.constData());
    while (dir) {
        const dirent *entry = ::readdir(dir);
        if (!entry)
            break;
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names << name;
    }
    if (dir)
        ::closedir(dir);
    return names;
}

QByteArray Attribute(const QString &path, const char *name)
{
    QByteArray value(4096, '\0');
    const ssize_t n = ::getxattr(QFile::encodeName(path).constData(), name, value.data(), size_t(value.size()));
    return n < 0 ? QByteArray() : value.left(n);
}

// An access list in the kernel's form: the owner and the user nobody may
// read and write, the group and others read.
QByteArray AccessList()
{
    QByteArray list;
    const auto put32 = [&](quint32 v) {
        for (int i = 0; i < 4; ++i)
            list += char((v >> (8 * i)) & 0xFF);
    };
    const auto entry = [&](quint16 tag, quint16 permissions, quint32 id) {
        put32(quint32(tag) | quint32(permissions) << 16);
        put32(id);
    };
    put32(2);                   // the version
    entry(0x01, 6, 0xFFFFFFFF); // owner
    entry(0x02, 6, kNobody);    // the user nobody
    entry(0x04, 4, 0xFFFFFFFF); // group
    entry(0x10, 6, 0xFFFFFFFF); // mask
    entry(0x20, 4, 0xFFFFFFFF); // others
    return list;
}

} // namespace

TEST(SaveFileSystem, ExtendedAttributesAndAccessListsStayWithTheFile)
{
    // A file shared through an access list stays shared when it is saved
    // again, and any other attribute stays too: such a file is written in
    // place, not replaced.
    struct Case
    {
        const char *name;
        const char *attribute;
        QByteArray value;
    };
    const Case cases[] = {
        {"a user attribute", "user.origin", "lab 3"},
        {"an access list", "system.posix_acl_access", AccessList()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath("pattern.csv");
        writeFile(path, "old");
        const QByteArray name = QFile::encodeName(path);
        if (::setxattr(name.constData(), c.attribute, c.value.constData(), size_t(c.value.size()), 0) != 0)
            GTEST_SKIP() << "the file system of " << dir.path().toStdString() << " keeps no " << c.attribute;
        const ino_t inode = StatOf(path).st_ino;
        SaveFileContents(path, kData);
        EXPECT_EQ(readAll(path), kData);
        EXPECT_EQ(StatOf(path).st_ino, inode);
        EXPECT_EQ(Attribute(path, c.attribute), c.value);
        EXPECT_EQ(entries(dir.path()), QStringList{"pattern.csv"});
    }
}

TEST(SaveFileSystem, InPlaceSavesWhereNoRoomCanBeReserved)
{
    // Network and user-space file systems may not reserve room: a save in
    // place then checks the free space and writes.
    QTemporaryDir dir;
    const QString target = dir.filePath("target.csv");
    const QString link = dir.filePath("link.csv");
    const QString twin = dir.filePath("twin.csv");
    writeFile(target, "old");
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_EQ(::link(QFile::encodeName(target).constData(), QFile::encodeName(twin).constData()), 0);
    const ino_t inode = StatOf(target).st_ino;
    const QByteArray other(200000, 'o');
    EXPECT_EQ(SaveInChild([&] {
                  if (!FailSystemCalls({SCMP_SYS(fallocate)}, EOPNOTSUPP))
                      throw std::runtime_error("no filter");
                  SaveFileContents(link, kData);
                  if (readAll(target) != kData)
                      throw std::runtime_error("not written through the link");
                  SaveFileContents(twin, other);
              }),
              kSaved);
    EXPECT_EQ(readAll(target), other);
    EXPECT_EQ(StatOf(target).st_ino, inode);
    EXPECT_EQ(StatOf(twin).st_ino, inode);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
}

TEST(SaveFileSystem, AFileThatCannotBeFlushedKeepsItsPlace)
{
    // A new file takes the old one's place only once it is on disk: when the
    // flush fails, the old file stays and the temporary goes.
    for (const bool replacing : {true, false}) {
        SCOPED_TRACE(replacing ? "replacing" : "a new file");
        QTemporaryDir dir;
        const QString path = dir.filePath("sweep.csv");
        if (replacing)
            writeFile(path, "old");
        EXPECT_EQ(SaveInChild([&] {
                      if (!FailSystemCalls({SCMP_SYS(fsync), SCMP_SYS(fdatasync)}, EIO))
                          throw std::runtime_error("no filter");
                      SaveFileContents(path, kData);
                  }),
                  kWriteError);
        EXPECT_EQ(entries(dir.path()), replacing ? QStringList{"sweep.csv"} : QStringList{});
        if (replacing) {
            EXPECT_EQ(readAll(path), QByteArray("old"));
        }
    }
}

TEST(SaveFileSystem, NamesAreBytesFromTheCallerToTheDiskAndIntoMessages)
{
    QTemporaryDir dir;
    const QByteArray folder = JoinPath(QFile::encodeName(dir.path()), QByteArray("lat\xe9"));
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    const QByteArray path = JoinPath(folder, QByteArray("t\xe9.csv"));
    SaveFileContents(path, "first");
    SaveFileContents(path, kData); // replaced under the same name
    EXPECT_EQ(ReadBytes(path), kData);
    EXPECT_EQ(Names(folder), QList<QByteArray>{QByteArray("t\xe9.csv")});

    const QByteArray missing = JoinPath(folder, QByteArray("n\xe9/t\xe9.csv"));
    try {
        SaveFileContents(missing, kData);
        FAIL() << "no error";
    } catch (const FileCreateError &e) {
        EXPECT_EQ(e.path(), missing);
        EXPECT_EQ(e.localMessage(), "Cannot create file " + missing);
        EXPECT_EQ(e.systemError(), ENOENT);
    }
    // Names that are no text are beyond the temporary folder's own clean-up.
    ::unlink(path.constData());
    ::rmdir(folder.constData());
}

TEST(SaveFileSystem, JoiningAFolderAndAName)
{
    struct Case
    {
        const char *folder;
        const char *name;
        const char *joined;
    };
    const Case cases[] = {
        {"", "dn1.bmp", "dn1.bmp"},
        {"out", "dn1.bmp", "out/dn1.bmp"},
        {"out/", "dn1.bmp", "out/dn1.bmp"},
        {"/", "dn1.bmp", "/dn1.bmp"},
        {"a//b", "dn1.bmp", "a//b/dn1.bmp"},
        {"out", "/abs/dn1.bmp", "/abs/dn1.bmp"},
        {"lat\xe9", "t\xe9.csv", "lat\xe9/t\xe9.csv"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.joined);
        EXPECT_EQ(JoinPath(QByteArray(c.folder), QByteArray(c.name)), QByteArray(c.joined));
        if (QByteArray(c.folder).isValidUtf8()) {
            EXPECT_EQ(JoinPath(QString(c.folder), QString(c.name)), QString(c.joined));
        }
    }
}

TEST(SaveFileSystem, NamesOfTheLongestLengthCanBeReplaced)
{
    QTemporaryDir dir;
    for (const int length : {250, 255}) {
        SCOPED_TRACE(length);
        const QString name = QString(length - 4, QLatin1Char('n')) + ".csv";
        const QString path = dir.filePath(name);
        SaveFileContents(path, "first");
        SaveFileContents(path, kData);
        EXPECT_EQ(readAll(path), kData);
        EXPECT_EQ(entries(dir.path()), QStringList{name});
        QFile::remove(path);
    }
}
