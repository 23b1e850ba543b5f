#pragma once
// The font of a canvas: a face name, a size in points with the pixel height
// it stands for, and a colour, and the Qt font that draws it. Shared by the
// raster and the vector surface so that their text has the same face, size
// and width.
#include "colors/Colors.h"

#include <QFont>
#include <QString>
#include <QStringList>

class CanvasFont
{
public:
    CanvasFont();

    // Height = -(points * ppi / 72), rounded half away from zero.
    void setSize(int points);
    int size() const { return m_size; }
    int height() const { return m_height; }
    // An empty name is ignored; longer names are cut to 31 characters.
    void setName(const QString &name);
    QString name() const { return m_name; }
    void setColor(TColor c) { m_color = c; }
    TColor color() const { return m_color; }

    // Upright, regular weight, without kerning; a face missing on this
    // machine falls back to a metric-compatible free one.
    QFont font() const;

    // Pixels per inch used for font sizes: the primary screen's logical
    // resolution when a GUI application with a screen exists, else 96.
    static int displayPpi();
    // The height rule for a size in points at a given resolution.
    static int heightForPoints(int points, int ppi);
    // Family names asked for when a face is missing on this machine: the
    // metric-compatible free faces first, then any sans-serif face.
    static const QStringList &sansSerifFamilies();

private:
    QString m_name = QStringLiteral("MS Sans Serif");
    int m_size = 8;
    int m_height;
    TColor m_color = clWindowText;
};
