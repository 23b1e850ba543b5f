#include "Sweep.h"

#include "ArgumentBytes.h"
#include "CommandOutput.h"
#include "RenderArguments.h"
#include "ReportOutput.h"
#include "base/FilePath.h"
#include "base/SaveFolder.h"
#include "physics/DipoleRules.h"
#include "physics/PatternReadouts.h"
#include "plot/PictureFile.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

// Decimal fractions as whole numbers of units of 10^-decimals. Eighteen
// digits before and eighteen after the point fit a 64-bit mantissa, and any
// two such values brought to a common scale fit 128 bits.
using Wide = __int128;
constexpr int kMaxDigits = 18;

struct Decimal
{
    Wide units = 0;
    int decimals = 0;
};

Wide powerOfTen(int n)
{
    Wide p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

Wide rescale(const Decimal &d, int decimals)
{
    return d.units * powerOfTen(decimals - d.decimals);
}

QString wideText(Wide v)
{
    const bool negative = v < 0;
    if (negative)
        v = -v;
    QString digits;
    do {
        digits.prepend(QChar(u'0' + int(v % 10)));
        v /= 10;
    } while (v > 0);
    return negative ? QLatin1Char('-') + digits : digits;
}

// The text of units × 10^-decimals with exactly that many decimals; zero has
// no sign.
QString decimalText(Wide units, int decimals)
{
    const bool negative = units < 0;
    QString digits = wideText(negative ? -units : units);
    if (decimals > 0) {
        if (digits.size() <= decimals)
            digits = QString(decimals + 1 - digits.size(), QLatin1Char('0')) + digits;
        digits.insert(digits.size() - decimals, QLatin1Char('.'));
    }
    return negative ? QLatin1Char('-') + digits : digits;
}

[[noreturn]] void refuse(const QString &message)
{
    throw RenderUsageError(QStringLiteral("--sweep: %1").arg(message).toStdString());
}

Decimal parseDecimal(const QString &text, const char *role)
{
    // Anchored: a plain "$" would also match before a final line break.
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("([-+]?)(\\d*)(?:\\.(\\d*))?")));
    const QRegularExpressionMatch m = pattern.match(text);
    const QString whole = m.captured(2);
    const QString fraction = m.captured(3);
    if (!m.hasMatch() || (whole.isEmpty() && fraction.isEmpty()))
        refuse(QStringLiteral("%1 \"%2\" is not a decimal number (use a dot as decimal separator)")
                   .arg(QLatin1String(role), ShownArgument(text)));
    QString digits = whole + fraction;
    digits.remove(QRegularExpression(QStringLiteral("^0+")));
    if (digits.size() > kMaxDigits || fraction.size() > kMaxDigits)
        refuse(QStringLiteral("%1 \"%2\" has more than %3 digits")
                   .arg(QLatin1String(role), ShownArgument(text))
                   .arg(kMaxDigits));
    Decimal d;
    d.decimals = int(fraction.size());
    for (const QChar c : digits)
        d.units = d.units * 10 + (c.unicode() - u'0');
    if (m.captured(1) == QLatin1String("-"))
        d.units = -d.units;
    return d;
}

// The largest index read: a sweep's index of kMaxSweepFrames rows is well
// below it, and a larger one cannot be a sweep's.
constexpr qint64 kMaxIndexBytes = qint64(kMaxSweepFrames + 1) * 512;

// The output folder, through the descriptor the command pinned it by.
SaveFolder openSweepFolder(const QString &directory)
{
    SaveFolder folder;
    FolderFailure failure;
    if (!OpenSaveFolder(ArgumentBytes(directory), MissingFolders::Refuse, folder, failure))
        throw FileCreateError(failure.folder, failure.error);
    return folder;
}

// The contents of the folder's index, when it is a sweep's index of the
// saver's: a regular file of the saver's, within the size cap, opened
// without following a link and without waiting (a pipe is no index).
// Another user's index is not trusted to name the saver's files.
QByteArray ownIndex(int folder)
{
    const Descriptor index(::openat(folder, "sweep.csv", O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat st;
    if (!index.isOpen() || ::fstat(index.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()
        || st.st_size > kMaxIndexBytes)
        return {};
    QByteArray contents(qsizetype(st.st_size), '\0');
    qsizetype got = 0;
    while (got < contents.size()) {
        const ssize_t n = ::read(index.get(), contents.data() + got, size_t(contents.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    contents.truncate(got);
    return contents;
}

// The frame numbers an earlier index lists, in order; none for an index that
// is not a sweep's (another header, a row whose first field is not a frame
// number of the sweep).
std::vector<int> indexedFrames(int folder)
{
    const QList<QByteArray> lines = ownIndex(folder).split('\n');
    if (lines.isEmpty() || !lines.first().startsWith("frame,length,"))
        return {};
    std::vector<int> numbers;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines.at(i).isEmpty())
            continue;
        const QByteArray field = lines.at(i).left(lines.at(i).indexOf(','));
        bool ok = false;
        const int number = field.toInt(&ok);
        const bool digits = std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (!ok || !digits || number < 1 || number > kMaxSweepFrames)
            return {};
        numbers.push_back(number);
    }
    return numbers;
}

QString sizeText(qint64 bytes)
{
    return QLocale::c().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
}

// Whether name in folder is a regular file of the saver's, which a sweep may
// count as its own; size, when given, gets its size.
bool isOwnFile(int folder, const QByteArray &name, qint64 *size = nullptr)
{
    struct stat st;
    if (::fstatat(folder, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)
        || st.st_uid != ::geteuid())
        return false;
    if (size)
        *size = st.st_size;
    return true;
}

qint64 ownFileSize(int folder, const QByteArray &name)
{
    qint64 size = 0;
    return isOwnFile(folder, name, &size) ? size : 0;
}

// The names that begin the files of a frame's pair.
constexpr const char *kPictureNames[] = {kPolarPictureName, kRectPictureName};

} // namespace

QString SweepIndexFile(const QString &directory)
{
    return JoinPath(directory, QStringLiteral("sweep.csv"));
}

namespace {

// The names of the stale files in folder (StaleSweepFiles).
QList<QByteArray> staleNames(const std::vector<SweepFrame> &frames, int folder, const QString &extension)
{
    QSet<QString> written;
    for (const SweepFrame &frame : frames)
        for (const char *base : kPictureNames)
            written.insert(SweepFrameFileName(QLatin1String(base), frame.number, int(frames.size()), extension));
    const std::vector<int> listed = indexedFrames(folder);
    QList<QByteArray> stale;
    for (const int number : listed) {
        for (const char *type : {"bmp", "png", "svg", "pdf"}) {
            for (const char *base : kPictureNames) {
                const QString name =
                    SweepFrameFileName(QLatin1String(base), number, int(listed.size()), QLatin1String(type));
                if (!written.contains(name) && isOwnFile(folder, name.toLatin1()))
                    stale << name.toLatin1();
            }
        }
    }
    return stale;
}

} // namespace

QStringList StaleSweepFiles(const std::vector<SweepFrame> &frames, const QString &directory, const QString &extension)
{
    QStringList stale;
    for (const QByteArray &name : staleNames(frames, openSweepFolder(directory).fd.get(), extension))
        stale << JoinPath(directory, QString::fromLatin1(name));
    return stale;
}

SweepSpaceError::SweepSpaceError(qint64 needed, qint64 available, const QString &directory)
    : AppError(QStringLiteral("the sweep needs %1 for its files, but %2 has %3 free")
                   .arg(sizeText(needed), directory.isEmpty() ? QStringLiteral(".") : directory, sizeText(available)))
{}

StaleFileError::StaleFileError(const QString &file, int error)
    : AppError(QStringLiteral("cannot remove %1").arg(file)), m_file(file), m_error(error)
{}

void PrepareSweepFolder(const std::vector<SweepFrame> &frames, const QString &directory, const QString &extension,
                        qint64 pairBytes)
{
    const SaveFolder folder = openSweepFolder(directory);
    const int fd = folder.fd.get();
    const QList<QByteArray> stale = staleNames(frames, fd, extension);
    // Replaced and removed files give their space back; the index is a few
    // hundred bytes a frame.
    qint64 needed = qint64(frames.size()) * (pairBytes + 256);
    for (const SweepFrame &frame : frames)
        for (const char *base : kPictureNames)
            needed -= ownFileSize(
                fd, SweepFrameFileName(QLatin1String(base), frame.number, int(frames.size()), extension).toLatin1());
    for (const QByteArray &name : stale)
        needed -= ownFileSize(fd, name);
    struct statvfs fs;
    if (::fstatvfs(fd, &fs) == 0) {
        const qint64 available = qint64(fs.f_bavail) * qint64(fs.f_frsize);
        // At least one pair must fit beside what it replaces.
        if (std::max(needed, pairBytes) > available)
            throw SweepSpaceError(std::max(needed, pairBytes), available, directory);
    }
    // The old index goes first: a sweep stopped anywhere after this leaves
    // no index that lists frames of another sweep.
    if (isOwnFile(fd, "sweep.csv") && ::unlinkat(fd, "sweep.csv", 0) != 0 && errno != ENOENT)
        throw StaleFileError(SweepIndexFile(directory), errno);
    for (const QByteArray &name : stale)
        if (::unlinkat(fd, name.constData(), 0) != 0 && errno != ENOENT)
            throw StaleFileError(JoinPath(directory, QString::fromLatin1(name)), errno);
}

std::vector<SweepFrame> PlanSweep(const QString &range)
{
    const QStringList parts = range.split(QLatin1Char(':'));
    if (parts.size() != 3)
        refuse(QStringLiteral("\"%1\" is not FROM:TO:STEP (for example 0.1:3:0.1)").arg(ShownArgument(range)));
    const Decimal from = parseDecimal(parts.at(0), "FROM");
    const Decimal to = parseDecimal(parts.at(1), "TO");
    const Decimal step = parseDecimal(parts.at(2), "STEP");

    // The lengths carry the decimals of FROM and STEP; TO only bounds them,
    // so it is compared on a scale that is fine enough for all three.
    const int lengthDecimals = std::max(from.decimals, step.decimals);
    const int scale = std::max(lengthDecimals, to.decimals);
    const Wide first = rescale(from, scale);
    const Wide last = rescale(to, scale);
    const Wide stride = rescale(step, scale);
    if (stride == 0)
        refuse(QStringLiteral("STEP must not be 0"));
    const Wide span = last - first;
    if (span != 0 && (span < 0) != (stride < 0))
        refuse(QStringLiteral("STEP %1 leads away from TO: from %2 to %3 it must be %4")
                   .arg(ShownArgument(parts.at(2)), ShownArgument(parts.at(0)), ShownArgument(parts.at(1)),
                        span > 0 ? QStringLiteral("positive") : QStringLiteral("negative")));
    // The bounds themselves must stay below the limit, whether or not the
    // steps land on them.
    const long double highest = static_cast<long double>(std::max(first, last)) / powerOfTen(scale);
    if (!IsDrawableLength(highest))
        refuse(QStringLiteral("the range reaches %1; lengths must stay below %2")
                   .arg(ShownArgument(first > last ? parts.at(0) : parts.at(1)), LengthLimitText()));
    const Wide count = span / stride + 1;
    if (count > kMaxSweepFrames)
        refuse(QStringLiteral("%1 frames are more than the %2 a sweep may have")
                   .arg(wideText(count))
                   .arg(kMaxSweepFrames));

    std::vector<SweepFrame> frames;
    frames.reserve(size_t(count));
    const Wide lengthStep = stride / powerOfTen(scale - lengthDecimals);
    Wide units = first / powerOfTen(scale - lengthDecimals);
    for (int number = 1; number <= int(count); ++number, units += lengthStep) {
        SweepFrame frame;
        frame.number = number;
        frame.lengthText = decimalText(units, lengthDecimals);
        ParseRenderLength(frame.lengthText, frame.length);
        frames.push_back(frame);
    }
    return frames;
}

QString SweepFrameFileName(const QString &base, int number, int frameCount, const QString &extension)
{
    const int width = std::max(4, int(QString::number(frameCount).size()));
    return QStringLiteral("%1-%2.%3").arg(base).arg(number, width, 10, QLatin1Char('0')).arg(extension);
}

QString SweepFrameFile(const QString &directory, const QString &base, int number, int frameCount,
                       const QString &extension)
{
    return JoinPath(directory, SweepFrameFileName(base, number, frameCount, extension));
}

QByteArray SweepIndex(const std::vector<SweepFrame> &frames)
{
    QByteArray csv = "frame,length," + ReadoutsCsvHeader() + '\n';
    const int columns = int(ReadoutsCsvHeader().count(',')) + 1;
    for (const SweepFrame &frame : frames) {
        csv += QByteArray::number(frame.number) + ',' + frame.lengthText.toLatin1() + ',';
        try {
            csv += ReadoutsCsvFields(ComputePatternReadouts(static_cast<double>(frame.length)));
        } catch (const std::domain_error &) {
            // A length the readouts do not cover (30 or more below zero)
            // keeps its row with the columns left empty.
            csv += QByteArray(columns - 1, ',');
        }
        csv += '\n';
    }
    return csv;
}

SweepProgress::SweepProgress(int total, Clock clock, Output output)
    : m_total(std::max(total, 1)), m_clock(std::move(clock)), m_output(std::move(output)), m_start(m_clock())
{}

QByteArray SweepProgress::line(int done, qint64 elapsed) const
{
    constexpr int kBarWidth = 30;
    const int percent = int(qint64(done) * 100 / m_total);
    const qint64 leftMs = done > 0 ? elapsed * (m_total - done) / done : 0;
    const qint64 leftSeconds = (leftMs + 999) / 1000;
    const QString left =
        leftSeconds >= 3600
            ? QStringLiteral("%1:%2:%3")
                  .arg(leftSeconds / 3600)
                  .arg(leftSeconds / 60 % 60, 2, 10, QLatin1Char('0'))
                  .arg(leftSeconds % 60, 2, 10, QLatin1Char('0'))
            : QStringLiteral("%1:%2").arg(leftSeconds / 60).arg(leftSeconds % 60, 2, 10, QLatin1Char('0'));
    const int countWidth = int(QString::number(m_total).size());
    const QString figures =
        QStringLiteral("%1/%2 %3% %4 left ").arg(done, countWidth).arg(m_total).arg(percent, 3).arg(left, 8);
    // The bar takes what a narrow terminal leaves of its width (the last
    // column stays free, so that the cursor never wraps), and goes below
    // a few cells; the figures are cut only where even they do not fit.
    int barWidth = kBarWidth;
    if (m_columns > 0)
        barWidth = std::min(kBarWidth, m_columns - 1 - int(figures.size()) - 3);
    QString text = figures;
    if (barWidth >= 5) {
        const int filled = int(qint64(done) * barWidth / m_total);
        text = QStringLiteral("[%1%2] ").arg(QString(filled, QLatin1Char('#')),
                                             QString(barWidth - filled, QLatin1Char('.')))
               + figures;
    }
    if (m_columns > 0 && text.size() > m_columns - 1)
        text.truncate(std::max(m_columns - 1, 0));
    return (QLatin1Char('\r') + text).toLatin1();
}

void SweepProgress::frameDone(int done)
{
    const qint64 now = m_clock();
    if (m_shown && done < m_total && now - m_lastShown < 100)
        return;
    m_output(line(done, now - m_start));
    m_lastShown = now;
    m_shown = true;
}

void SweepProgress::end()
{
    if (m_shown)
        m_output("\n");
    m_shown = false;
}

std::unique_ptr<SweepProgress> TerminalSweepProgress(int total, const CommandStreams &streams,
                                                     const QElapsedTimer &clock)
{
    if (!::isatty(streams.err))
        return nullptr;
    auto progress = std::make_unique<SweepProgress>(
        total, [&clock] { return clock.elapsed(); }, [streams](const QByteArray &text) { WriteError(streams, text); });
    progress->fitTo(TerminalColumns(streams.err));
    return progress;
}

void RunSweep(const std::vector<SweepFrame> &frames, const QString &directory, const QString &extension,
              const SweepFrameWriter &writeFrame, SweepProgress *progress)
{
    const int count = int(frames.size());
    const auto frameFile = [&](const char *picture, int number) {
        return SweepFrameFile(directory, QLatin1String(picture), number, count, extension);
    };
    try {
        for (const SweepFrame &frame : frames) {
            writeFrame(frame, frameFile(kPolarPictureName, frame.number), frameFile(kRectPictureName, frame.number));
            if (progress)
                progress->frameDone(frame.number);
        }
        // The index comes last and only once every frame is on disk, so that
        // it always describes a complete sweep.
        SyncFileSystem(ArgumentBytes(directory));
        SaveFileContents(ArgumentBytes(SweepIndexFile(directory)), SweepIndex(frames));
    } catch (...) {
        if (progress)
            progress->end();
        throw;
    }
    if (progress)
        progress->end();
}
