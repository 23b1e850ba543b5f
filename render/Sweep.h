#pragma once
// A sweep draws the picture pair for every length FROM, FROM + STEP, … up to
// TO in one run. The lengths are stepped in decimal: FROM and STEP are read
// as exact decimal fractions and each length is written with as many
// decimals as the finer of the two, so 0.1:3:0.1 gives exactly 0.1, 0.2, …,
// 3.0, and each length is then read like a LENGTH argument, so a frame is the
// picture pair of a single run with that text. Frames are numbered from 1
// (dn1-0001.png, dn2-0001.png, …) and listed in sweep.csv beside them.
#include "base/AppError.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QElapsedTimer;
struct CommandStreams;

constexpr int kMaxSweepFrames = 10000;

struct SweepFrame
{
    int number = 0;     // from 1
    QString lengthText; // the decimal text, e.g. "0.3"
    long double length = 0.0L;
};

// Parses FROM:TO:STEP (plain decimal numbers with a dot) and lists the
// frames. Throws RenderUsageError, before anything is drawn, for a malformed
// text, a STEP of 0 or one that leads away from TO, a length of 30 or more,
// and more than kMaxSweepFrames frames.
std::vector<SweepFrame> PlanSweep(const QString &range);

// base-NNNN.extension, the number padded with zeros to four digits, or to
// the digits of frameCount when that has more, so that the names sort in
// frame order.
QString SweepFrameFileName(const QString &base, int number, int frameCount, const QString &extension);

// That file in directory (the current directory when empty).
QString SweepFrameFile(const QString &directory, const QString &base, int number, int frameCount,
                       const QString &extension);

// sweep.csv: a header line, then one line per frame with its number, its
// length text and the readouts of that length (beam widths, directivity,
// resistances, side-lobe level; empty where a quantity does not exist).
QByteArray SweepIndex(const std::vector<SweepFrame> &frames);

// sweep.csv in directory (the current directory when empty).
QString SweepIndexFile(const QString &directory);

// The files of an earlier sweep that a new one leaves behind: the frames
// that directory's sweep.csv lists (dn1-NNNN and dn2-NNNN in any of the
// picture file types) and that the new frames will not overwrite. Only the
// saver's regular files with exactly those names are listed; an index that
// is missing, unreadable, not a sweep's index, not the saver's own regular
// file or larger than any sweep's lists none. Throws FileCreateError when
// directory cannot be opened.
QStringList StaleSweepFiles(const std::vector<SweepFrame> &frames, const QString &directory, const QString &extension);

// The sweep's files would not fit on the folder's file system.
class SweepSpaceError : public AppError
{
public:
    SweepSpaceError(qint64 needed, qint64 available, const QString &directory);
};

// A stale file of an earlier sweep could not be removed.
class StaleFileError : public AppError
{
public:
    StaleFileError(const QString &file, int error);
    const QString &file() const { return m_file; }
    int error() const { return m_error; }

private:
    QString m_file;
    int m_error;
};

// Prepares directory for the frames before the first is drawn: refuses,
// with SweepSpaceError, a sweep whose files (pairBytes a frame, plus the
// index) cannot fit in the free space of the folder's file system, counting
// the space that files it replaces or removes give back; then removes the
// saver's old index, so that a sweep stopped anywhere leaves no index that
// lists another sweep's frames, and the stale files of the earlier sweep. A
// file that cannot be removed throws StaleFileError.
void PrepareSweepFolder(const std::vector<SweepFrame> &frames, const QString &directory, const QString &extension,
                        qint64 pairBytes);

// A progress bar on one terminal line: frame count, percentage and the time
// left, redrawn at most every 100 ms (and once more on the last frame).
class SweepProgress
{
public:
    using Clock = std::function<qint64()>; // milliseconds from any fixed start
    using Output = std::function<void(const QByteArray &)>;

    SweepProgress(int total, Clock clock, Output output);

    // Keeps every line shorter than a terminal of this many columns, so
    // that it never wraps; the bar narrows first, then goes. 0: no limit.
    void fitTo(int columns) { m_columns = columns; }

    // done frames of the total are finished.
    void frameDone(int done);
    // Ends the bar's line, if one was shown.
    void end();

private:
    QByteArray line(int done, qint64 elapsed) const;

    int m_total;
    Clock m_clock;
    Output m_output;
    qint64 m_start;
    qint64 m_lastShown = 0;
    bool m_shown = false;
    int m_columns = 0;
};

// A bar of total steps on the error stream of streams, as wide as the
// terminal allows, timed by clock (which must outlive it); null where the
// error stream is no terminal, so that a script's error stream stays quiet.
std::unique_ptr<SweepProgress> TerminalSweepProgress(int total, const CommandStreams &streams,
                                                     const QElapsedTimer &clock);

// Writes one frame: the polar picture as polarFile, the rectangular one as
// rectFile, as a pair that is on disk before it takes its place. Errors
// propagate and end the sweep.
using SweepFrameWriter =
    std::function<void(const SweepFrame &frame, const QString &polarFile, const QString &rectFile)>;

// Writes every frame in order into directory (the current directory when
// empty) as dn1-NNNN.extension and dn2-NNNN.extension, then sweep.csv.
// progress may be null.
void RunSweep(const std::vector<SweepFrame> &frames, const QString &directory, const QString &extension,
              const SweepFrameWriter &writeFrame, SweepProgress *progress);
