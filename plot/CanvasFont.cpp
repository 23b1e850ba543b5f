#include "CanvasFont.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int kMaxFontNameLength = 31;

// The em size in pixels for a font Height. A negative Height -h asks for a
// character height of h without internal leading, which is the em size
// itself; a positive one for the whole cell, ascent plus descent, so the em
// is scaled down by the face's own cell-to-em ratio; 0 asks for the default
// size.
int emPixelSize(QFont font, int fontHeight)
{
    if (fontHeight == 0)
        fontHeight = CanvasFont::heightForPoints(8, CanvasFont::displayPpi());
    if (fontHeight < 0)
        return std::max(1, -fontHeight);
    font.setPixelSize(fontHeight);
    const QFontMetricsF metrics(font);
    const qreal cell = metrics.ascent() + metrics.descent();
    if (!(cell > 0))
        return fontHeight;
    return std::max(1, qRound(qreal(fontHeight) * fontHeight / cell));
}

} // namespace

CanvasFont::CanvasFont() : m_height(heightForPoints(8, displayPpi())) {}

int CanvasFont::displayPpi()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            const int ppi = qRound(screen->logicalDotsPerInchY());
            if (ppi > 0)
                return ppi;
        }
    }
    return 96;
}

int CanvasFont::heightForPoints(int points, int ppi)
{
    // points * ppi / 72 rounded half away from zero, in integers so that
    // the halves are exact.
    const std::int64_t product = std::int64_t(points) * ppi;
    const std::int64_t magnitude = (std::llabs(product) + 36) / 72;
    const std::int64_t rounded = product < 0 ? -magnitude : magnitude;
    return int(std::clamp<std::int64_t>(-rounded, INT32_MIN, INT32_MAX));
}

void CanvasFont::setSize(int points)
{
    m_size = points;
    m_height = heightForPoints(points, displayPpi());
}

void CanvasFont::setName(const QString &name)
{
    if (name.isEmpty())
        return;
    m_name = name.left(kMaxFontNameLength);
}

QFont CanvasFont::font() const
{
    QString family = m_name;
    if (family.compare(QLatin1String("Default"), Qt::CaseInsensitive) == 0)
        family = QStringLiteral("MS Sans Serif");
    QFont font;
    font.setFamilies(QStringList{family} + sansSerifFamilies());
    font.setPixelSize(emPixelSize(font, m_height));
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setKerning(false);
    // Light hinting, stated rather than taken from the system's font
    // configuration, so the glyphs come out the same on every machine.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

const QStringList &CanvasFont::sansSerifFamilies()
{
    static const QStringList families = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                         QStringLiteral("DejaVu Sans"), QStringLiteral("sans-serif")};
    return families;
}
