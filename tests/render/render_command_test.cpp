// dipole-render's command run inside the test's process: for a table of
// command lines, the exit status, every byte on the error stream, what
// standard output begins with, and the exact set of files the run leaves.
#include "render/RenderCommand.h"
#include "render/RenderOptions.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <vector>

#include <poll.h>
#include <pty.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

struct CommandResult
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// All that fd has been given.
QByteArray ReadBack(int fd)
{
    QByteArray data;
    ::lseek(fd, 0, SEEK_SET);
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        data.append(buffer, n);
    ::close(fd);
    return data;
}

// RunRender on the arguments in directory, its streams in memory files
// unless given.
CommandResult RunInProcess(const QStringList &arguments, const QString &directory, int err = -1)
{
    std::vector<QByteArray> bytes{QByteArray("dipole-render")};
    for (const QString &argument : arguments)
        bytes.push_back(argument.toUtf8());
    std::vector<char *> argv;
    for (QByteArray &argument : bytes)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    const CommandStreams streams{::memfd_create("out", 0), err >= 0 ? err : ::memfd_create("err", 0)};
    const QString before = QDir::currentPath();
    QDir::setCurrent(directory);
    CommandResult result;
    result.status = RunRender(int(bytes.size()), argv.data(), streams);
    QDir::setCurrent(before);
    result.out = ReadBack(streams.out);
    if (err < 0)
        result.err = ReadBack(streams.err);
    return result;
}

// Every file below directory, as paths relative to it, sorted.
QStringList FilesBelow(const QString &directory)
{
    QStringList files;
    QDirIterator it(directory, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(directory).relativeFilePath(it.next());
    files.sort();
    return files;
}

void MakeFile(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(path);
}

// The refusal of a LENGTH too long to draw, or in either sign to measure.
QByteArray Refusal(const char *length, bool eitherSign)
{
    return QByteArray("dipole-render: LENGTH ") + length + " is too long: give a LENGTH below 30 wavelengths"
           + (eitherSign ? " in either sign" : "") + "; a longer dipole has too many lobes to see\n";
}

QByteArray SkippedRow(const char *length)
{
    return QByteArray("dipole-render: --family: skipped the row of length ") + length
           + ": the family draws lengths above 0 and below 30\n";
}

} // namespace

TEST(RenderCommand, StatusMessagesAndFilesOfEachForm)
{
    struct Case
    {
        const char *name;
        QStringList arguments;
        std::function<void(const QDir &)> prepare; // may be empty
        int status;
        QByteArray err;
        QByteArray outStart; // standard output begins with this
        QStringList files;   // every file the directory holds afterwards
    };
    const auto folderNamedAsFile = [](const QDir &dir) { MakeFile(dir.filePath("taken")); };
    const auto pictureNamedAsFolder = [](const QDir &dir) { dir.mkpath("o/dn1.bmp"); };
    const Case cases[] = {
        {"unknown option",
         {"--frobnicate"},
         {},
         2,
         "dipole-render: unknown option --frobnicate (see --help)\n",
         "",
         {}},
        {"no LENGTH", {"--no-fill"}, {}, 2, "dipole-render: missing LENGTH (see --help)\n", "", {}},
        {"a family with a LENGTH",
         {"--family", "0.5:Red", "1.5"},
         {},
         2,
         "dipole-render: give either LENGTH or --family, not both\n",
         "",
         {}},
        {"help", {"--help"}, {}, 0, "", RenderUsage().toUtf8(), {}},
        {"a length of 30", {"30"}, {}, 2, Refusal("30", false), "", {}},
        {"a report of -30", {"--report", "-30"}, {}, 2, Refusal("-30", true), "", {}},
        {"labelled -30", {"--style", "labelled", "-30"}, {}, 2, Refusal("-30", true), "", {}},
        {"plain -30 is drawn", {"-30"}, {}, 0, "", "", {"dn1.bmp", "dn2.bmp"}},
        {"one length", {"--format", "png", "1.5"}, {}, 0, "", "", {"dn1.png", "dn2.png"}},
        {"a family", {"--out", "f", "--family", "0.5:Red,1.5:Navy"}, {}, 0, "", "", {"f/dn1.bmp", "f/dn2.bmp"}},
        {"a family with a row too long",
         {"--out", "f", "--family", "0.5:Red,35:Navy"},
         {},
         0,
         SkippedRow("35"),
         "",
         {"f/dn1.bmp", "f/dn2.bmp"}},
        {"a family with nothing to draw",
         {"--style", "labelled", "--out", "f", "--family", "-0.5:Red,0:Navy"},
         {},
         1,
         SkippedRow("-0.5") + SkippedRow("0") + "dipole-render: --family has no length to draw: nothing written\n",
         "",
         {}},
        {"a labelled family",
         {"--style", "labelled", "--format", "svg", "--family", "0.5:Red,1.5:Navy"},
         {},
         0,
         "",
         "",
         {"dn1.svg", "dn2.svg"}},
        {"a sweep",
         {"--out", "s", "--sweep", "0.5:1:0.25"},
         {},
         0,
         "",
         "",
         {"s/dn1-0001.bmp", "s/dn1-0002.bmp", "s/dn1-0003.bmp", "s/dn2-0001.bmp", "s/dn2-0002.bmp", "s/dn2-0003.bmp",
          "s/sweep.csv"}},
        {"a sweep with the current",
         {"--format", "svg", "--current", "--sweep", "0.5:1:0.5"},
         {},
         0,
         "",
         "",
         {"current-0001.svg", "current-0002.svg", "dn1-0001.svg", "dn1-0002.svg", "dn2-0001.svg", "dn2-0002.svg",
          "sweep.csv"}},
        {"a labelled sweep with the current",
         {"--style", "labelled", "--size", "640x480", "--format", "png", "--current", "--out", "l", "--sweep", "1:2:1"},
         {},
         0,
         "",
         "",
         {"l/current-0001.png", "l/current-0002.png", "l/dn1-0001.png", "l/dn1-0002.png", "l/dn2-0001.png",
          "l/dn2-0002.png", "l/sweep.csv"}},
        {"a sweep reaching 30",
         {"--sweep", "1:30:1"},
         {},
         2,
         "dipole-render: --sweep: the range reaches 30; lengths must stay below 30\n",
         "",
         {}},
        {"--out under a file",
         {"--out", "taken/sub", "1.5"},
         folderNamedAsFile,
         1,
         "dipole-render: cannot create taken/sub: Not a directory\n",
         "",
         {"taken"}},
        {"a sweep's --out under a file",
         {"--out", "taken/sub", "--sweep", "1:2:1"},
         folderNamedAsFile,
         1,
         "dipole-render: cannot create taken/sub: Not a directory\n",
         "",
         {"taken"}},
        {"a picture's name taken by a folder",
         {"--out", "o", "1.5"},
         pictureNamedAsFolder,
         1,
         "dipole-render: cannot create o/dn1.bmp: Is a directory\n",
         "",
         {}},
        {"a pattern table in a missing folder",
         {"--csv", "no/t.csv", "1.5"},
         {},
         1,
         "dipole-render: cannot create no/t.csv: No such file or directory\n",
         "",
         {}},
        {"impedance without --out",
         {"--impedance", "0.45:0.5", "--z0", "75"},
         {},
         0,
         "",
         "length,r_in_ohm,x_in_ohm,swr\n0.45,54.29",
         {}},
        {"impedance with --out",
         {"--impedance", "0.45:0.5", "--format", "svg", "--out", "i"},
         {},
         0,
         "",
         "length,r_in_ohm,x_in_ohm\n0.45,",
         {"i/impedance.svg"}},
        {"impedance's --out under a file",
         {"--impedance", "0.45:0.5", "--out", "taken/i"},
         folderNamedAsFile,
         1,
         "dipole-render: cannot create taken/i: Not a directory\n",
         "",
         {"taken"}},
        {"a report", {"--report", "0.5"}, {}, 0, "", "Length M, wavelengths   0.5\nMaximum f_max           1\n", {}},
        {"a report with pictures",
         {"--report", "--out", "r", "--no-fill", "0.5"},
         {},
         0,
         "",
         "Length M, wavelengths   0.5\n",
         {"r/dn1.bmp", "r/dn2.bmp"}},
        {"the current", {"--current", "--format", "svg", "1"}, {}, 0, "", "", {"current.svg"}},
    };
    for (const Case &c : cases) {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        if (c.prepare)
            c.prepare(QDir(dir.path()));
        const CommandResult result = RunInProcess(c.arguments, dir.path());
        EXPECT_EQ(result.status, c.status) << c.name;
        EXPECT_EQ(result.err.toStdString(), c.err.toStdString()) << c.name;
        EXPECT_TRUE(result.out.startsWith(c.outStart)) << c.name << ": " << result.out.left(200).constData();
        if (c.outStart.isEmpty()) {
            EXPECT_EQ(result.out, QByteArray()) << c.name;
        }
        EXPECT_EQ(FilesBelow(dir.path()).join(' ').toStdString(), c.files.join(' ').toStdString()) << c.name;
    }
}

TEST(RenderCommand, ASweepShowsItsProgressOnTheErrorStreamsTerminal)
{
    // A terminal of 20 rows of 60 columns.
    winsize size{20, 60, 0, 0};
    int master = -1;
    int slave = -1;
    ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, &size), 0);
    QTemporaryDir dir;
    const CommandResult result = RunInProcess({"--sweep", "1:1.5:0.25"}, dir.path(), slave);
    EXPECT_EQ(result.status, 0);
    // All was written before the run returned: nothing to wait for.
    pollfd ready{master, POLLIN, 0};
    char buffer[4096];
    const ssize_t n = ::poll(&ready, 1, 0) == 1 ? ::read(master, buffer, sizeof buffer) : 0;
    ::close(slave);
    ::close(master);
    ASSERT_GT(n, 0);
    const QByteArray shown(buffer, n);
    EXPECT_TRUE(shown.contains("3/3 100%")) << shown.constData();
    for (const QByteArray &line : shown.split('\r'))
        EXPECT_LT(line.trimmed().size(), 60) << "fitted to the terminal: " << line.constData();
}
