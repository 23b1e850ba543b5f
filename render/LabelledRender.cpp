#include "LabelledRender.h"

#include "plot/FamilyPlot.h"

LabelledPatterns LabelledRenderPatterns(const RenderOptions &options, long double length)
{
    LabelledOptions labelled;
    labelled.scale = options.scale;
    labelled.rangeDb = options.rangeDb;
    labelled.readouts = options.readoutsLine;
    labelled.language = SystemLabelledLanguage();
    std::vector<LabelledCurve> curves;
    if (options.family.empty()) {
        // A single curve hides nothing, so it is filled like the plain one.
        labelled.fill = options.fill;
        curves.push_back({static_cast<double>(length), options.colour});
    } else {
        labelled.fill = options.fillFamily;
        for (const RenderFamilyRow &row : options.family) {
            if (IsFamilyLength(row.length))
                curves.push_back({static_cast<double>(row.length), row.colour});
        }
    }
    return LabelledPatterns(curves, labelled);
}

LabelledSizes LabelledRenderSizes(const RenderOptions &options)
{
    LabelledSizes sizes;
    if (!options.size.isEmpty())
        sizes.polar = sizes.rectangular = options.size;
    return sizes;
}
