#include "CalcGlyph.h"

#include <QFile>
#include <QImageReader>

// The resources live in a static library, so their registration has to be
// pulled in by name.
static void initWidgetResources()
{
    Q_INIT_RESOURCE(widgets);
}

const QImage &CalcGlyph()
{
    // Read as the bitmap it is: its name has no suffix, and left to guess the
    // format the image reader would load every image format plugin to ask it
    // first, which would cost the window's start more than all its fields.
    static const QImage glyph = [] {
        initWidgetResources();
        QFile file(QStringLiteral(":/widgets/CALCGLYPH"));
        QImageReader reader(&file, "bmp");
        reader.setAutoDetectImageFormat(false);
        return reader.read();
    }();
    return glyph;
}
