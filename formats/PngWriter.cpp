#include "PngWriter.h"

#include "base/AppError.h"

#include <spng.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kMaxPaletteColours = 256;
constexpr uint32_t kPixelsPerMetre = 3780; // 96 pixels per inch

// The distinct colours of an image in the order they first appear, found
// through a small open-addressing table.
class ColourIndex
{
public:
    ColourIndex() { m_slots.fill(kEmpty); }

    // The colour's palette index, adding it if new; -1 once the palette is full.
    int indexOf(QRgb rgb)
    {
        uint32_t slot = (rgb * 2654435761u) >> (32 - kSlotBits);
        while (m_slots[slot] != kEmpty && m_colours[m_slots[slot]] != rgb)
            slot = (slot + 1) & (kSlotCount - 1);
        if (m_slots[slot] == kEmpty) {
            if (m_colours.size() == kMaxPaletteColours)
                return -1;
            m_slots[slot] = int16_t(m_colours.size());
            m_colours.push_back(rgb);
        }
        return m_slots[slot];
    }

    const std::vector<QRgb> &colours() const { return m_colours; }

private:
    static constexpr int kSlotBits = 10;
    static constexpr uint32_t kSlotCount = 1u << kSlotBits;
    static constexpr int16_t kEmpty = -1;

    std::array<int16_t, kSlotCount> m_slots;
    std::vector<QRgb> m_colours;
};

int bitDepthFor(size_t colourCount)
{
    if (colourCount <= 2)
        return 1;
    if (colourCount <= 4)
        return 2;
    if (colourCount <= 16)
        return 4;
    return 8;
}

size_t rowBytes(int width, int bitsPerPixel)
{
    return (size_t(width) * size_t(bitsPerPixel) + 7) / 8;
}

// Whether the four pixels from p all have colour (alpha ignored).
bool repeats4(const QRgb *p, QRgb colour)
{
#if defined(__SSE2__)
    const __m128i four =
        _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p)), _mm_set1_epi32(int(RGB_MASK)));
    return _mm_movemask_epi8(_mm_cmpeq_epi32(four, _mm_set1_epi32(int(colour)))) == 0xFFFF;
#else
    return ((p[0] & RGB_MASK) == colour) & ((p[1] & RGB_MASK) == colour) & ((p[2] & RGB_MASK) == colour)
           & ((p[3] & RGB_MASK) == colour);
#endif
}

// One row of palette indices packed Depth bits to a pixel, the leftmost
// pixel in the highest bits.
template <int Depth> void packRow(const uint8_t *indices, int width, uint8_t *out)
{
    constexpr int perByte = 8 / Depth;
    int x = 0;
    for (; x + perByte <= width; x += perByte) {
        unsigned byte = 0;
#pragma GCC unroll 8
        for (int k = 0; k < perByte; ++k)
            byte = (byte << Depth) | indices[x + k];
        *out++ = uint8_t(byte);
    }
    if (x < width) {
        unsigned byte = 0;
        int k = 0;
        for (; x < width; ++x, ++k)
            byte = (byte << Depth) | indices[x];
        *out = uint8_t(byte << (Depth * (perByte - k)));
    }
}

void packRows(const std::vector<uint8_t> &indices, int width, int height, int depth, std::vector<uint8_t> &rows)
{
    const size_t stride = rowBytes(width, depth);
    rows.resize(stride * size_t(height));
    for (int y = 0; y < height; ++y) {
        const uint8_t *in = indices.data() + size_t(y) * size_t(width);
        uint8_t *out = rows.data() + size_t(y) * stride;
        switch (depth) {
        case 1: packRow<1>(in, width, out); break;
        case 2: packRow<2>(in, width, out); break;
        default: packRow<4>(in, width, out); break;
        }
    }
}

// The pixels as packed palette rows, or false when the image has more
// colours than a palette holds.
bool packPaletteRows(const QImage &image, ColourIndex &index, std::vector<uint8_t> &rows, int &bitDepth)
{
    const int width = image.width();
    const int height = image.height();
    std::vector<uint8_t> indices(size_t(width) * size_t(height));
    uint8_t *out = indices.data();
    QRgb lastColour = ~0u; // no colour: the alpha bits are masked off
    uint8_t lastIndex = 0;
    for (int y = 0; y < height; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        int x = 0;
        while (x < width) {
            // Most of a plot picture is runs of white: four pixels at a time
            // while they repeat the last colour.
            while (x + 4 <= width && repeats4(line + x, lastColour)) {
                std::memset(out, lastIndex, 4);
                out += 4;
                x += 4;
            }
            if (x == width)
                break;
            const QRgb colour = line[x] & RGB_MASK;
            if (colour != lastColour) {
                const int i = index.indexOf(colour);
                if (i < 0)
                    return false;
                lastColour = colour;
                lastIndex = uint8_t(i);
            }
            *out++ = lastIndex;
            ++x;
        }
    }
    bitDepth = bitDepthFor(index.colours().size());
    if (bitDepth == 8)
        rows = std::move(indices);
    else
        packRows(indices, width, height, bitDepth, rows);
    return true;
}

std::vector<uint8_t> packRgbRows(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const size_t stride = rowBytes(rgb.width(), 24);
    std::vector<uint8_t> rows(stride * size_t(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(rows.data() + size_t(y) * stride, rgb.constScanLine(y), stride);
    return rows;
}

struct ContextDeleter
{
    void operator()(spng_ctx *ctx) const { spng_ctx_free(ctx); }
};

void check(int status)
{
    if (status != 0)
        throw OutOfResourcesError();
}

} // namespace

QByteArray EncodePicturePng(const QImage &source)
{
    const QImage image = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
                             ? source
                             : source.convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        throw OutOfResourcesError();

    ColourIndex index;
    std::vector<uint8_t> rows;
    int bitDepth = 8;
    const bool palette = packPaletteRows(image, index, rows, bitDepth);
    if (!palette)
        rows = packRgbRows(image);

    const std::unique_ptr<spng_ctx, ContextDeleter> ctx(spng_ctx_new(SPNG_CTX_ENCODER));
    if (!ctx)
        throw OutOfResourcesError();
    spng_ctx *c = ctx.get();
    check(spng_set_option(c, SPNG_ENCODE_TO_BUFFER, 1));

    spng_ihdr ihdr{};
    ihdr.width = uint32_t(image.width());
    ihdr.height = uint32_t(image.height());
    ihdr.bit_depth = uint8_t(bitDepth);
    ihdr.color_type = palette ? SPNG_COLOR_TYPE_INDEXED : SPNG_COLOR_TYPE_TRUECOLOR;
    check(spng_set_ihdr(c, &ihdr));
    if (palette) {
        spng_plte plte{};
        plte.n_entries = uint32_t(index.colours().size());
        for (size_t i = 0; i < index.colours().size(); ++i) {
            const QRgb rgb = index.colours()[i];
            plte.entries[i] = {uint8_t(qRed(rgb)), uint8_t(qGreen(rgb)), uint8_t(qBlue(rgb)), 255};
        }
        check(spng_set_plte(c, &plte));
        // Filters only blur the runs of equal indices that a line drawing's
        // rows hold, and deflate's second level finds those runs as fast as
        // its first and packs them tighter.
        check(spng_set_option(c, SPNG_FILTER_CHOICE, SPNG_FILTER_CHOICE_NONE));
        check(spng_set_option(c, SPNG_IMG_COMPRESSION_LEVEL, 2));
    } else {
        check(spng_set_option(c, SPNG_FILTER_CHOICE, SPNG_FILTER_CHOICE_ALL));
        check(spng_set_option(c, SPNG_IMG_COMPRESSION_LEVEL, 1));
    }
    spng_phys phys{kPixelsPerMetre, kPixelsPerMetre, 1};
    check(spng_set_phys(c, &phys));

    check(spng_encode_image(c, rows.data(), rows.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE));
    size_t length = 0;
    int error = 0;
    void *png = spng_get_png_buffer(c, &length, &error);
    if (!png || error != 0)
        throw OutOfResourcesError();
    QByteArray file(static_cast<const char *>(png), qsizetype(length));
    std::free(png);
    return file;
}
