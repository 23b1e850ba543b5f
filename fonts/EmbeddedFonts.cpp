#include "EmbeddedFonts.h"

#include <QFontDatabase>
#include <QString>

bool RegisterEmbeddedFonts()
{
    bool all = true;
    for (const char *face : {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf"})
        all = QFontDatabase::addApplicationFont(QString::fromLatin1(face)) >= 0 && all;
    return all;
}
