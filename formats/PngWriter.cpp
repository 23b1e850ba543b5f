#include "PngWriter.h"

#include "base/AppError.h"

#include <spng.h>
// zlib then takes its input as const.
#define ZLIB_CONST
#include <zlib.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kMaxPaletteColours = 256;
constexpr uint32_t kPixelsPerMetre = 3780; // 96 pixels per inch
constexpr size_t kIdatLength = 8192;

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

// The adaptive row filters of a 24-bit image: each of the five filters is
// scored by the sum of its bytes taken as signed magnitudes, and the first
// with the lowest score wins. Bytes left of the row and the row above the
// first count as 0: the rows are kept with zeros in front of them.
class RowFilters
{
public:
    explicit RowFilters(size_t stride)
        : m_stride(stride),
          m_rows{std::vector<uint8_t>(kFront + stride), std::vector<uint8_t>(kFront + stride)},
          m_out(stride + 1)
    {}

    // Room for the next row's bytes; the row before it stays readable.
    uint8_t *nextRow() { return m_rows[m_next].data() + kFront; }

    // The type byte and the filtered bytes of the row just written to
    // nextRow(), valid until the next call.
    const std::vector<uint8_t> &filterNext()
    {
        const uint8_t *row = m_rows[m_next].data() + kFront;
        const uint8_t *up = m_rows[1 - m_next].data() + kFront;
        uint32_t scores[5];
        score(row, up, scores);
        int best = 0;
        for (int type = 1; type < 5; ++type)
            if (scores[type] < scores[best])
                best = type;
        m_out[0] = uint8_t(best);
        apply(best, row, up, m_out.data() + 1);
        m_next = 1 - m_next;
        return m_out;
    }

private:
    static constexpr size_t kBytesPerPixel = 3;
    static constexpr size_t kFront = 16;

    static uint8_t paeth(int a, int b, int c)
    {
        const int pa = std::abs(b - c);
        const int pb = std::abs(a - c);
        const int pc = std::abs(a + b - 2 * c);
        if (pa <= pb && pa <= pc)
            return uint8_t(a);
        return uint8_t(pb <= pc ? b : c);
    }
    static uint8_t filtered(int type, const uint8_t *row, const uint8_t *up, size_t i)
    {
        const unsigned a = row[i - kBytesPerPixel];
        const unsigned c = up[i - kBytesPerPixel];
        switch (type) {
        case 0: return row[i];
        case 1: return uint8_t(row[i] - a);
        case 2: return uint8_t(row[i] - up[i]);
        case 3: return uint8_t(row[i] - ((a + up[i]) >> 1));
        default: return uint8_t(row[i] - paeth(int(a), up[i], int(c)));
        }
    }
    static uint32_t magnitude(uint8_t byte) { return byte < 128 ? byte : 256u - byte; }

#if defined(__SSE2__)
    // Sixteen bytes from i of the row under each of the five filters.
    static void filtered16(const uint8_t *row, const uint8_t *up, size_t i, __m128i out[5])
    {
        const auto load = [](const uint8_t *p) { return _mm_loadu_si128(reinterpret_cast<const __m128i *>(p)); };
        const __m128i x = load(row + i);
        const __m128i a = load(row + i - kBytesPerPixel);
        const __m128i b = load(up + i);
        const __m128i c = load(up + i - kBytesPerPixel);
        const __m128i one = _mm_set1_epi8(1);
        // The rounded-up average less the odd bit is the average rounded down.
        const __m128i average = _mm_sub_epi8(_mm_avg_epu8(a, b), _mm_and_si128(_mm_xor_si128(a, b), one));
        out[0] = x;
        out[1] = _mm_sub_epi8(x, a);
        out[2] = _mm_sub_epi8(x, b);
        out[3] = _mm_sub_epi8(x, average);
        out[4] = _mm_sub_epi8(x, paeth16(a, b, c));
    }
    static __m128i paethHalf(__m128i a, __m128i b, __m128i c)
    {
        const __m128i zero = _mm_setzero_si128();
        const auto abs16 = [zero](__m128i v) { return _mm_max_epi16(v, _mm_sub_epi16(zero, v)); };
        const __m128i pa = abs16(_mm_sub_epi16(b, c));
        const __m128i pb = abs16(_mm_sub_epi16(a, c));
        const __m128i pc = abs16(_mm_sub_epi16(_mm_add_epi16(a, b), _mm_add_epi16(c, c)));
        // a where pa <= pb and pa <= pc, else b where pb <= pc, else c.
        const __m128i takeA =
            _mm_andnot_si128(_mm_or_si128(_mm_cmpgt_epi16(pa, pb), _mm_cmpgt_epi16(pa, pc)), _mm_set1_epi16(-1));
        const __m128i takeB = _mm_andnot_si128(_mm_cmpgt_epi16(pb, pc), _mm_set1_epi16(-1));
        const __m128i bOrC = _mm_or_si128(_mm_and_si128(takeB, b), _mm_andnot_si128(takeB, c));
        return _mm_or_si128(_mm_and_si128(takeA, a), _mm_andnot_si128(takeA, bOrC));
    }
    static __m128i paeth16(__m128i a, __m128i b, __m128i c)
    {
        const __m128i zero = _mm_setzero_si128();
        const __m128i low =
            paethHalf(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero), _mm_unpacklo_epi8(c, zero));
        const __m128i high =
            paethHalf(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero), _mm_unpackhi_epi8(c, zero));
        return _mm_packus_epi16(low, high);
    }
#endif

    // The bytes from 0 to the returned end go sixteen at a time; the rest one
    // at a time.
    size_t blockEnd() const
    {
#if defined(__SSE2__)
        return m_stride - m_stride % 16;
#else
        return 0;
#endif
    }

    void score(const uint8_t *row, const uint8_t *up, uint32_t scores[5]) const
    {
        size_t i = 0;
#if defined(__SSE2__)
        const __m128i zero = _mm_setzero_si128();
        __m128i sums[5] = {zero, zero, zero, zero, zero};
        for (; i < blockEnd(); i += 16) {
            __m128i f[5];
            filtered16(row, up, i, f);
            // A byte's signed magnitude is the smaller of it and its negation.
            for (int type = 0; type < 5; ++type)
                sums[type] =
                    _mm_add_epi64(sums[type], _mm_sad_epu8(_mm_min_epu8(f[type], _mm_sub_epi8(zero, f[type])), zero));
        }
        for (int type = 0; type < 5; ++type)
            scores[type] = uint32_t(_mm_cvtsi128_si32(sums[type]) + _mm_cvtsi128_si32(_mm_srli_si128(sums[type], 8)));
#else
        for (int type = 0; type < 5; ++type)
            scores[type] = 0;
#endif
        for (; i < m_stride; ++i)
            for (int type = 0; type < 5; ++type)
                scores[type] += magnitude(filtered(type, row, up, i));
    }

    void apply(int type, const uint8_t *row, const uint8_t *up, uint8_t *out) const
    {
        size_t i = 0;
#if defined(__SSE2__)
        for (; i < blockEnd(); i += 16) {
            __m128i f[5];
            filtered16(row, up, i, f);
            _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i), f[type]);
        }
#endif
        for (; i < m_stride; ++i)
            out[i] = filtered(type, row, up, i);
    }

    size_t m_stride;
    std::vector<uint8_t> m_rows[2];
    int m_next = 0;
    std::vector<uint8_t> m_out;
};

void putU32(QByteArray &file, uint32_t value)
{
    const char bytes[4] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    file.append(bytes, 4);
}

void appendChunk(QByteArray &file, const char *type, const uint8_t *data, size_t length)
{
    putU32(file, uint32_t(length));
    const qsizetype start = file.size();
    file.append(type, 4);
    file.append(reinterpret_cast<const char *>(data), qsizetype(length));
    const auto *typed = reinterpret_cast<const Bytef *>(file.constData() + start);
    putU32(file, uint32_t(crc32(0, typed, uInt(length + 4))));
}

// The pixels of one row as red, green and blue bytes.
void rgbRow(const QImage &image, int y, uint8_t *out)
{
    const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
    const int width = image.width();
    for (int x = 0; x < width; ++x, out += 3) {
        out[0] = uint8_t(qRed(line[x]));
        out[1] = uint8_t(qGreen(line[x]));
        out[2] = uint8_t(qBlue(line[x]));
    }
}

// Deflates the filtered rows at the fastest level into a buffer that grows
// as the stream does: a picture's stream is a small part of its pixels, and
// memory set aside for the worst case would be touched for nothing.
class RowDeflater
{
public:
    RowDeflater()
    {
        if (deflateInit2(&m_z, 1, Z_DEFLATED, 15, 8, Z_FILTERED) != Z_OK)
            throw OutOfResourcesError();
    }
    ~RowDeflater() { deflateEnd(&m_z); }
    RowDeflater(const RowDeflater &) = delete;
    RowDeflater &operator=(const RowDeflater &) = delete;

    void add(const std::vector<uint8_t> &row, bool last)
    {
        m_z.next_in = row.data();
        m_z.avail_in = uInt(row.size());
        const int flush = last ? Z_FINISH : Z_NO_FLUSH;
        for (;;) {
            if (m_used == m_stream.size())
                m_stream.resize(m_stream.size() + kGrowth);
            m_z.next_out = m_stream.data() + m_used;
            m_z.avail_out = uInt(m_stream.size() - m_used);
            const int status = deflate(&m_z, flush);
            m_used = m_stream.size() - m_z.avail_out;
            if (status == Z_STREAM_ERROR)
                throw OutOfResourcesError();
            if (last ? status == Z_STREAM_END : m_z.avail_in == 0 && m_z.avail_out > 0)
                return;
        }
    }
    const uint8_t *data() const { return m_stream.data(); }
    size_t size() const { return m_used; }

private:
    static constexpr size_t kGrowth = 64 * 1024;
    z_stream m_z{};
    std::vector<uint8_t> m_stream;
    size_t m_used = 0;
};

// A 24-bit image filtered row by row and deflated at the fastest level, in
// IDAT chunks of 8 KiB. The encoder library would choose the same filters,
// but scores every row's five candidates byte by byte; here the scoring
// loops vectorise, which makes the file several times faster to write.
QByteArray encodeTruecolour(const QImage &image)
{
    RowFilters filters(rowBytes(image.width(), 24));
    RowDeflater stream;
    const int height = image.height();
    for (int y = 0; y < height; ++y) {
        rgbRow(image, y, filters.nextRow());
        stream.add(filters.filterNext(), y + 1 == height);
    }
    const size_t compressed = stream.size();

    static constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    QByteArray file;
    file.reserve(qsizetype(compressed + compressed / kIdatLength * 12 + 128));
    file.append(reinterpret_cast<const char *>(kSignature), 8);
    const uint32_t w = uint32_t(image.width());
    const uint32_t h = uint32_t(height);
    const uint8_t header[13] = {uint8_t(w >> 24),
                                uint8_t(w >> 16),
                                uint8_t(w >> 8),
                                uint8_t(w),
                                uint8_t(h >> 24),
                                uint8_t(h >> 16),
                                uint8_t(h >> 8),
                                uint8_t(h),
                                8,
                                2,
                                0,
                                0,
                                0};
    appendChunk(file, "IHDR", header, sizeof header);
    const uint8_t ppm[4] = {uint8_t(kPixelsPerMetre >> 24), uint8_t(kPixelsPerMetre >> 16),
                            uint8_t(kPixelsPerMetre >> 8), uint8_t(kPixelsPerMetre)};
    const uint8_t phys[9] = {ppm[0], ppm[1], ppm[2], ppm[3], ppm[0], ppm[1], ppm[2], ppm[3], 1};
    appendChunk(file, "pHYs", phys, sizeof phys);
    for (size_t at = 0; at < compressed; at += kIdatLength)
        appendChunk(file, "IDAT", stream.data() + at, std::min<size_t>(kIdatLength, compressed - at));
    appendChunk(file, "IEND", nullptr, 0);
    return file;
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
    if (!packPaletteRows(image, index, rows, bitDepth))
        return encodeTruecolour(image);

    const std::unique_ptr<spng_ctx, ContextDeleter> ctx(spng_ctx_new(SPNG_CTX_ENCODER));
    if (!ctx)
        throw OutOfResourcesError();
    spng_ctx *c = ctx.get();
    check(spng_set_option(c, SPNG_ENCODE_TO_BUFFER, 1));

    spng_ihdr ihdr{};
    ihdr.width = uint32_t(image.width());
    ihdr.height = uint32_t(image.height());
    ihdr.bit_depth = uint8_t(bitDepth);
    ihdr.color_type = SPNG_COLOR_TYPE_INDEXED;
    check(spng_set_ihdr(c, &ihdr));
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
