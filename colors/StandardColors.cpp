#include "StandardColors.h"

bool FindStandardColor(const QString &name, TColor &colour)
{
    for (const StandardColor &standard : kStandardColors) {
        if (name.compare(QLatin1String(standard.ident + 2), Qt::CaseInsensitive) == 0) {
            colour = standard.value;
            return true;
        }
    }
    return false;
}
