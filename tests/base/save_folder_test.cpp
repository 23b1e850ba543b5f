// The folder of a save: walked one name at a time, made where missing,
// reached through a link only where the link may be followed, and kept by
// its descriptor once pinned, whatever happens to its path.
#include "SaveTestSupport.h"
#include "base/SaveFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>

#include <unistd.h>

namespace {

QByteArray Bytes(const QString &path)
{
    return QFile::encodeName(path);
}

void Link(const QString &target, const QString &link, uid_t owner = ::geteuid())
{
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_EQ(::lchown(Bytes(link).constData(), owner, owner), 0);
}

} // namespace

TEST(SaveFolder, WalksMakesAndNamesTheFolderThatFails)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("real"));
    writeFile(dir.filePath("file"), "x");
    Link(dir.filePath("real"), dir.filePath("mine"));
    Link(dir.filePath("loop"), dir.filePath("loop"));
    Link(dir.filePath("nowhere"), dir.filePath("dangling"));
    struct Case
    {
        const char *path;
        MissingFolders missing;
        const char *reached; // the folder opened, or null
        const char *failed;  // else the folder named, and why
        int error;
    };
    const Case cases[] = {
        {"a/b//c/", MissingFolders::Create, "a/b/c", nullptr, 0},
        {"a/b//c/", MissingFolders::Create, "a/b/c", nullptr, 0}, // an existing one is fine
        {"missing/x", MissingFolders::Refuse, nullptr, "missing", ENOENT},
        {"file", MissingFolders::Create, nullptr, "file", ENOTDIR},
        {"file/x/y", MissingFolders::Create, nullptr, "file/x", ENOTDIR},
        {"mine/new", MissingFolders::Create, "real/new", nullptr, 0},
        {"loop/x", MissingFolders::Create, nullptr, "loop", ELOOP},
        {"dangling/x", MissingFolders::Create, nullptr, "dangling", ENOENT},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        SaveFolder folder;
        FolderFailure failure;
        const QByteArray path = Bytes(dir.filePath(c.path));
        const bool opened = OpenSaveFolder(path, c.missing, folder, failure);
        ASSERT_EQ(opened, c.reached != nullptr) << failure.folder.constData() << ": " << failure.error;
        if (opened) {
            EXPECT_EQ(folder.status.st_ino, StatOf(dir.filePath(c.reached)).st_ino);
        } else {
            EXPECT_EQ(failure.folder, Bytes(dir.filePath(c.failed)));
            EXPECT_EQ(failure.error, c.error);
        }
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("nowhere")));
}

TEST(SaveFolder, AnotherUsersLinkOnThePathLeadsOnlyWhereItsOwnerMayGo)
{
    // The superuser's output path through a folder that another user may
    // write: that user's link on the way to the superuser's private folder
    // is refused, in /tmp and in a folder of that user's own, and nothing is
    // made or written at its far end.
    SKIP_UNLESS_NOBODY();
    struct Case
    {
        const char *name;
        mode_t folderMode;
        uid_t folderOwner;
        bool targetIsTheirs;
        bool followed;
    };
    const Case cases[] = {
        {"in a shared sticky folder", 01777, 0, false, false},
        {"in their own folder", 0755, kNobody, false, false},
        {"to a folder of their own", 01777, 0, true, true},
        {"in their own folder, to their own", 0755, kNobody, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir target; // the superuser's, closed to others
        QTemporaryDir shared;
        ASSERT_EQ(::chown(Bytes(shared.path()).constData(), c.folderOwner, c.folderOwner), 0);
        ASSERT_EQ(::chmod(Bytes(shared.path()).constData(), c.folderMode), 0);
        if (c.targetIsTheirs) {
            ASSERT_EQ(::chown(Bytes(target.path()).constData(), kNobody, kNobody), 0);
        }
        Link(target.path(), shared.filePath("sub"), kNobody);
        SaveFolder folder;
        FolderFailure failure;
        const bool opened =
            OpenSaveFolder(Bytes(shared.filePath("sub/deeper")), MissingFolders::Create, folder, failure);
        EXPECT_EQ(opened, c.followed);
        EXPECT_EQ(QFile::exists(target.filePath("deeper")), c.followed);
        if (!c.followed) {
            EXPECT_EQ(failure.folder, Bytes(shared.filePath("sub")));
            EXPECT_EQ(failure.error, EACCES);
            EXPECT_THROW(SaveFileContents(shared.filePath("sub/dn1.bmp"), "new"), FileCreateError);
            EXPECT_FALSE(QFile::exists(target.filePath("dn1.bmp")));
        }
    }
}

TEST(SaveFolder, APinnedFolderStaysTheFolderWhateverBecomesOfItsPath)
{
    // Another program swaps the output folder for a link to elsewhere after
    // the command opened it: every later save, its sync and its index still
    // go to the folder that was opened.
    QTemporaryDir dir;
    const QByteArray out = Bytes(dir.filePath("out"));
    SaveFolder folder;
    FolderFailure failure;
    ASSERT_TRUE(OpenSaveFolder(out, MissingFolders::Create, folder, failure));
    {
        const FolderPin pin(out + "//", folder);
        ASSERT_TRUE(QDir(dir.path()).rename("out", "opened"));
        ASSERT_TRUE(QDir(dir.path()).mkdir("elsewhere"));
        Link(dir.filePath("elsewhere"), dir.filePath("out"));
        SaveFiles({{out + "/dn1.bmp", "one"}, {out + "/dn2.bmp", "two"}});
        SyncFileSystem(out);
        EXPECT_EQ(entries(dir.filePath("opened")), QStringList({"dn1.bmp", "dn2.bmp"}));
        EXPECT_TRUE(entries(dir.filePath("elsewhere")).isEmpty());
    }
    // Without the pin the path is looked up again.
    SaveFileContents(out + "/dn1.bmp", "three");
    EXPECT_EQ(readAll(dir.filePath("elsewhere/dn1.bmp")), QByteArray("three"));
}
