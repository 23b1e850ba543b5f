#pragma once
// The picture of a glyph button. A glyph bitmap holds one to five equally
// wide images side by side (released, disabled, pressed, latched, inactive);
// the colour of its bottom-left pixel is transparent. TButtonGlyph cuts the
// image for a state out of the bitmap on first use, makes a greyed or
// embossed image when the bitmap has none for that state, and keeps the
// result in a TGlyphList shared by every glyph of the same image size.
// TGlyphCache is the process-wide store of those lists; it lives only while
// some glyph uses it.
#include <QImage>
#include <QRgb>
#include <QSize>

#include <functional>
#include <vector>

class QPainter;

enum TSpeedButtonState : unsigned char { sbsUp, sbsDisabled, sbsDown, sbsExclusive, sbsInactive };

enum TAlignment : unsigned char { taLeftJustify, taRightJustify, taCenter };

// Images of one size. A slot freed by Delete is reused by the next Add; the
// list only grows when every slot is taken.
class TGlyphList
{
public:
    TGlyphList(int width, int height);

    int Add(const QImage &image);
    void Delete(int index);
    int Count() const { return m_count; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Capacity() const { return int(m_images.size()); }
    const QImage &Image(int index) const { return m_images[size_t(index)]; }
    // Draws through the image's mask: transparent pixels leave the background.
    void Draw(QPainter &painter, int index, int x, int y) const;

private:
    int m_width;
    int m_height;
    int m_count = 0;
    std::vector<QImage> m_images;
    std::vector<bool> m_used;
};

class TGlyphCache
{
public:
    // The store, created on first request.
    static TGlyphCache &Instance();
    static bool Exists();
    // Frees the store when it holds no list (called whenever a glyph dies).
    static void ReleaseIfEmpty();

    // The newest list of exactly this size, or a new one.
    TGlyphList *GetList(int width, int height);
    // Frees the list when nothing is left in it.
    void ReturnList(TGlyphList *list);
    int ListCount() const { return int(m_lists.size()); }

private:
    TGlyphCache() = default;
    ~TGlyphCache();
    std::vector<TGlyphList *> m_lists;
};

// Grey level (77·red + 150·green + 29·blue) ÷ 256; the transparent colour and
// the button face stay as they are.
QRgb GreyOf(QRgb color, QRgb transparent, QRgb buttonFace);

// An embossed grey copy of a picture for the disabled look: the picture's
// dark pixels drawn in the highlight colour one pixel right and down, then in
// the shadow colour in place, on the button face. Pixels of the transparent
// colour and light pixels (grey level 192 and above) are not part of the
// outline.
QImage MakeDisabledImage(const QImage &bitmap, QRgb transparent);

class TButtonGlyph
{
public:
    TButtonGlyph();
    ~TButtonGlyph();
    TButtonGlyph(const TButtonGlyph &) = delete;
    TButtonGlyph &operator=(const TButtonGlyph &) = delete;

    const QImage &Glyph() const { return m_glyph; }
    // Takes the transparent colour from the bottom-left pixel and, when the
    // width is a whole multiple of the height, the image count (1 when the
    // quotient is above 5).
    void SetGlyph(const QImage &bitmap);
    int NumGlyphs() const { return m_numGlyphs; }
    // Values above 5 become 5; 0 or less changes nothing.
    void SetNumGlyphs(int count);
    QRgb TransparentColor() const { return m_transparent; }
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);

    // Size of one image: the bitmap width divided by the image count.
    QSize ImageSize() const;
    // Index in List() of the image for a state, made on first request;
    // -1 for an empty bitmap.
    int StateImage(TSpeedButtonState state);
    const TGlyphList *List() const { return m_list; }
    // The image for a state with its transparency applied (null when empty).
    QImage ImageFor(TSpeedButtonState state);
    void Draw(QPainter &painter, int x, int y, TSpeedButtonState state);

    // Forgets the images made so far (after a change of the system colours).
    void Invalidate();

    // Called after every change that alters the picture.
    std::function<void()> OnChange;

private:
    QImage MakeStateImage(TSpeedButtonState state, QRgb *maskColor) const;
    void Changed();

    QImage m_glyph;
    QRgb m_transparent = qRgb(255, 0, 255);
    TAlignment m_alignment = taCenter;
    int m_numGlyphs = 1;
    int m_indexes[5] = {-1, -1, -1, -1, -1};
    TGlyphList *m_list = nullptr;
};
