#include "ButtonGlyph.h"

#include "colors/Colors.h"

#include <QPainter>

// ---- TGlyphList -------------------------------------------------------------

TGlyphList::TGlyphList(int width, int height) : m_width(width), m_height(height) {}

int TGlyphList::Add(const QImage &image)
{
    size_t slot = 0;
    while (slot < m_used.size() && m_used[slot])
        ++slot;
    if (slot == m_used.size()) {
        m_used.push_back(false);
        m_images.emplace_back();
    }
    m_images[slot] = image;
    m_used[slot] = true;
    ++m_count;
    return int(slot);
}

void TGlyphList::Delete(int index)
{
    if (index < 0 || size_t(index) >= m_used.size() || !m_used[size_t(index)])
        return;
    m_used[size_t(index)] = false;
    m_images[size_t(index)] = QImage();
    --m_count;
}

void TGlyphList::Draw(QPainter &painter, int index, int x, int y) const
{
    if (index < 0 || size_t(index) >= m_images.size())
        return;
    painter.drawImage(x, y, m_images[size_t(index)]);
}

// ---- TGlyphCache ------------------------------------------------------------

namespace {
TGlyphCache *g_cache = nullptr;
}

TGlyphCache &TGlyphCache::Instance()
{
    if (!g_cache)
        g_cache = new TGlyphCache;
    return *g_cache;
}

bool TGlyphCache::Exists()
{
    return g_cache != nullptr;
}

void TGlyphCache::ReleaseIfEmpty()
{
    if (g_cache && g_cache->m_lists.empty()) {
        delete g_cache;
        g_cache = nullptr;
    }
}

TGlyphCache::~TGlyphCache()
{
    for (TGlyphList *list : m_lists)
        delete list;
}

TGlyphList *TGlyphCache::GetList(int width, int height)
{
    for (auto it = m_lists.rbegin(); it != m_lists.rend(); ++it) {
        if ((*it)->Width() == width && (*it)->Height() == height)
            return *it;
    }
    m_lists.push_back(new TGlyphList(width, height));
    return m_lists.back();
}

void TGlyphCache::ReturnList(TGlyphList *list)
{
    if (!list || list->Count() != 0)
        return;
    for (auto it = m_lists.begin(); it != m_lists.end(); ++it) {
        if (*it == list) {
            m_lists.erase(it);
            delete list;
            return;
        }
    }
}

// ---- image helpers ----------------------------------------------------------

namespace {

QRgb opaque(QRgb c)
{
    return c | 0xFF000000u;
}

int greyLevel(QRgb c)
{
    return (77 * qRed(c) + 150 * qGreen(c) + 29 * qBlue(c)) / 256;
}

// The image with every pixel of maskColor made fully transparent.
QImage withMask(const QImage &picture, QRgb maskColor)
{
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = opaque(maskColor);
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if (opaque(line[x]) == key)
                line[x] = 0;
        }
    }
    return result;
}

} // namespace

QRgb GreyOf(QRgb color, QRgb transparent, QRgb buttonFace)
{
    const QRgb c = opaque(color);
    if (c == opaque(transparent) || c == opaque(buttonFace))
        return color;
    const int level = greyLevel(c);
    return qRgb(level, level, level);
}

QImage MakeDisabledImage(const QImage &bitmap, QRgb transparent)
{
    const QRgb face = ToQRgb(clBtnFace);
    const QRgb highlight = ToQRgb(clBtnHighlight);
    const QRgb shadow = ToQRgb(clBtnShadow);
    const QImage source = bitmap.convertToFormat(QImage::Format_RGB32);
    QImage result(source.size(), QImage::Format_RGB32);
    result.fill(face);
    auto ink = [&](int x, int y) {
        const QRgb c = opaque(source.pixel(x, y));
        return c != opaque(transparent) && greyLevel(c) < 192;
    };
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            if (ink(x, y) && x + 1 < result.width() && y + 1 < result.height())
                result.setPixel(x + 1, y + 1, highlight);
        }
    }
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            if (ink(x, y))
                result.setPixel(x, y, shadow);
        }
    }
    return result;
}

// ---- TButtonGlyph -----------------------------------------------------------

TButtonGlyph::TButtonGlyph()
{
    TGlyphCache::Instance();
}

TButtonGlyph::~TButtonGlyph()
{
    Invalidate();
    TGlyphCache::ReleaseIfEmpty();
}

void TButtonGlyph::SetGlyph(const QImage &bitmap)
{
    Invalidate();
    m_glyph = bitmap.convertToFormat(QImage::Format_RGB32);
    if (m_glyph.height() > 0) {
        m_transparent = opaque(m_glyph.pixel(0, m_glyph.height() - 1));
        if (m_glyph.width() % m_glyph.height() == 0) {
            const int quotient = m_glyph.width() / m_glyph.height();
            m_numGlyphs = quotient > 5 ? 1 : quotient;
        }
    }
    Changed();
}

void TButtonGlyph::SetNumGlyphs(int count)
{
    if (count > 5)
        count = 5;
    if (count <= 0 || count == m_numGlyphs)
        return;
    Invalidate();
    m_numGlyphs = count;
    Changed();
}

void TButtonGlyph::SetAlignment(TAlignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    Changed();
}

QSize TButtonGlyph::ImageSize() const
{
    if (m_glyph.isNull())
        return QSize(0, 0);
    return QSize(m_glyph.width() / m_numGlyphs, m_glyph.height());
}

QImage TButtonGlyph::MakeStateImage(TSpeedButtonState state, QRgb *maskColor) const
{
    const QSize size = ImageSize();
    const int w = size.width();
    auto column = [&](int s) { return m_glyph.copy(s * w, 0, w, size.height()); };
    *maskColor = m_transparent;
    switch (state) {
    case sbsDisabled:
        if (m_numGlyphs >= 2)
            return column(1);
        *maskColor = ToQRgb(clBtnFace);
        return MakeDisabledImage(m_glyph.copy(0, 0, w, size.height()), m_transparent);
    case sbsInactive: {
        if (m_numGlyphs == 5)
            return column(4);
        QImage grey = column(0);
        const QRgb face = ToQRgb(clBtnFace);
        for (int y = 0; y < grey.height(); ++y)
            for (int x = 0; x < grey.width(); ++x)
                grey.setPixel(x, y, GreyOf(grey.pixel(x, y), m_transparent, face));
        return grey;
    }
    default: return column(int(state) < m_numGlyphs ? int(state) : 0);
    }
}

int TButtonGlyph::StateImage(TSpeedButtonState state)
{
    if (state == sbsDown && m_numGlyphs < 3)
        state = sbsUp;
    int &index = m_indexes[state];
    if (index != -1)
        return index;
    const QSize size = ImageSize();
    if (size.width() <= 0 || size.height() <= 0)
        return -1;
    if (!m_list)
        m_list = TGlyphCache::Instance().GetList(size.width(), size.height());
    QRgb maskColor;
    // The picture is composed on the button face, so pixels the bitmap
    // leaves out still have a defined colour.
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(ToQRgb(clBtnFace));
    {
        QPainter p(&picture);
        p.drawImage(0, 0, MakeStateImage(state, &maskColor));
    }
    index = m_list->Add(withMask(picture, maskColor));
    return index;
}

QImage TButtonGlyph::ImageFor(TSpeedButtonState state)
{
    const int index = StateImage(state);
    return index < 0 ? QImage() : m_list->Image(index);
}

void TButtonGlyph::Draw(QPainter &painter, int x, int y, TSpeedButtonState state)
{
    const int index = StateImage(state);
    if (index >= 0)
        m_list->Draw(painter, index, x, y);
}

void TButtonGlyph::Invalidate()
{
    if (m_list) {
        for (int &index : m_indexes) {
            if (index != -1)
                m_list->Delete(index);
        }
        if (TGlyphCache::Exists())
            TGlyphCache::Instance().ReturnList(m_list);
        m_list = nullptr;
    }
    for (int &index : m_indexes)
        index = -1;
}

void TButtonGlyph::Changed()
{
    if (OnChange)
        OnChange();
}
