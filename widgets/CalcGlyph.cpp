#include "CalcGlyph.h"

// The resources live in a static library, so their registration has to be
// pulled in by name.
static void initWidgetResources()
{
    Q_INIT_RESOURCE(widgets);
}

const QImage &CalcGlyph()
{
    static const QImage glyph = [] {
        initWidgetResources();
        return QImage(QStringLiteral(":/widgets/CALCGLYPH"));
    }();
    return glyph;
}
