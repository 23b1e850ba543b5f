#include "FamilyPlot.h"

#include "physics/DipoleRules.h"

#include "PlotCanvas.h"
#include "PlotCommands.h"
#include "PolarPlot.h"
#include "RectangularPlot.h"

int DrawLegendLine(PlotCanvas &polar, PlotCanvas &rect, int y, TColor colour, const QString &text)
{
    for (PlotCanvas *surface : {&polar, &rect}) {
        surface->setFontColor(colour);
        surface->setFontSize(10);
        surface->textOut(60, y, QStringLiteral("M=") + text);
    }
    return y + 22;
}

void DrawFamily(PlotCanvas &polar, PlotCanvas &rect, const std::vector<FamilyRow> &rows, bool fill)
{
    ClearPicture(polar);
    ClearPicture(rect);
    for (PlotCanvas *surface : {&polar, &rect})
        surface->setFontName(QStringLiteral("Arial"));
    int y = kFirstLegendY;
    for (const FamilyRow &row : rows) {
        if (!IsFamilyLength(row.length))
            continue;
        DrawPolarPattern(polar, row.colour, static_cast<double>(row.length), fill);
        DrawRectangularPattern(rect, row.colour, static_cast<double>(row.length));
        y = DrawLegendLine(polar, rect, y, row.colour, row.text);
    }
}
