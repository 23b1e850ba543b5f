#include "LabelledRender.h"

#include "nec/NecCrossCheck.h"
#include "plot/FamilyPlot.h"

namespace {

// NEC-2's pattern for the one LENGTH, dashed over the theory's curve.
LabelledComparison necComparison(const RenderOptions &options, long double length)
{
    const NecSolution nec = RunNecCrossCheck(static_cast<double>(length), *options.radius);
    LabelledComparison comparison;
    comparison.name = QStringLiteral("NEC-2");
    for (const NecPatternSample &sample : nec.pattern)
        comparison.samples.emplace_back(sample.thetaDeg, sample.field);
    // A reddish curve would hide a red dashed line: the dashes turn black.
    const QColor theory = QColor::fromRgb(ToQRgb(options.colour));
    const int hue = theory.hslHue();
    if (theory.hslSaturation() > 96 && hue >= 0 && (hue < 40 || hue > 320))
        comparison.colour = QColor(0x20, 0x20, 0x20);
    return comparison;
}

} // namespace

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
        if (options.nec)
            labelled.comparison = necComparison(options, length);
        if (options.measuredPattern)
            labelled.measurement = LabelledMeasurementOf(*options.measuredPattern, labelled.language);
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
    // Each picture keeps its own proportion within the size given.
    if (!options.size.isEmpty()) {
        sizes.polar = FittedToBox(options.size, kLabelledPolarSize);
        sizes.rectangular = FittedToBox(options.size, kLabelledRectangularSize);
    }
    return sizes;
}
