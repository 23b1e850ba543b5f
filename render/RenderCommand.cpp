#include "RenderCommand.h"

#include "ArgumentBytes.h"
#include "MeasuredFiles.h"
#include "RenderArguments.h"
#include "RenderPictures.h"
#include "RenderSweep.h"
#include "TextApplication.h"
#include "base/AppError.h"
#include "nec/NecErrors.h"
#include "nec/NecRunner.h"
#include "physics/DipoleRules.h"

#include <QStringList>

#include <exception>
#include <optional>

namespace {

// The one LENGTH: its numbers, then its pictures.
int renderLength(const RenderRun &run)
{
    const RenderOptions &options = run.options;
    const bool labelled = options.style == RenderOptions::Style::Labelled;
    // The numbers are refused for a long dipole of either sign, and so are
    // the labelled pictures, which show them.
    const bool measured = options.wantsReadouts() || labelled;
    if (!(measured ? IsMeasurableLength(options.length) : IsDrawableLength(options.length))) {
        // The window's own words for this refusal are a joke between it and
        // its user; a script wants the program, the length and the limit.
        const QString reach = measured ? QStringLiteral(" in either sign") : QString();
        WriteError(run.streams, QStringLiteral("dipole-render: LENGTH %1 is too long: give a LENGTH below %2 "
                                               "wavelengths%3; a longer dipole has too many lobes to see\n")
                                    .arg(QString::number(double(options.length), 'g', 17), LengthLimitText(), reach)
                                    .toLocal8Bit());
        return 2;
    }
    if (options.wantsReadouts()) {
        const int status = WriteReadouts(options.readoutsRequest(), run.streams);
        if (status != 0 || !options.wantsPictures())
            return status;
    }
    if (options.solid.wanted()) {
        // The shaded picture is painted as the other pictures are.
        std::optional<TextApplication> app;
        if (!options.solid.viewFile.isEmpty())
            app.emplace(run.programPath);
        return WriteSolid(options.solid, static_cast<double>(options.length), options.ground, options.size,
                          run.streams);
    }
    if (options.current)
        return RenderCurrent(run);
    if (options.ground)
        return RenderGroundPair(run);
    return labelled ? RenderLabelledPair(run) : RenderBuildPair(run);
}

// A family draws its lengths above 0 and below the limit: every other row
// is named on the error stream, and a family left with none fails, writing
// nothing.
int renderFamily(const RenderRun &run)
{
    const RenderOptions &options = run.options;
    bool anyDrawn = false;
    for (const RenderFamilyRow &row : options.family) {
        anyDrawn = anyDrawn || IsFamilyLength(row.length);
        if (!IsFamilyLength(row.length))
            WriteError(run.streams, QStringLiteral("dipole-render: --family: skipped the row of length %1: the "
                                                   "family draws lengths above 0 and below %2\n")
                                        .arg(QString::number(double(row.length), 'g', 17), LengthLimitText())
                                        .toLocal8Bit());
    }
    if (!anyDrawn) {
        WriteError(run.streams, QByteArrayLiteral("dipole-render: --family has no length to draw: nothing written\n"));
        return 1;
    }
    return options.style == RenderOptions::Style::Labelled ? RenderLabelledPair(run) : RenderFamilyPair(run);
}

// The form the options ask for.
int renderForm(const RenderRun &run)
{
    const RenderOptions &options = run.options;
    if (options.frequencySweep)
        return RenderFrequencySweep(run);
    if (!options.impedanceLengths.empty())
        return RenderImpedance(run);
    if (options.heightSweep)
        return RenderHeightSweep(run);
    if (!options.sweep.empty())
        return RenderSweep(run);
    if (!options.family.empty())
        return renderFamily(run);
    return renderLength(run);
}

} // namespace

int RunRender(int argc, char **argv, const CommandStreams &streams)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << ArgumentText(argv[i]);

    RenderOptions options;
    try {
        options = ParseRenderOptions(arguments);
    } catch (const RenderUsageError &e) {
        WriteError(streams, QByteArray("dipole-render: ") + e.what() + '\n');
        return 2;
    }
    if (options.help)
        return WriteOutput(streams, RenderUsage().toUtf8()) == OutputResult::Failed ? 1 : 0;
    if (!options.measuredPatternFile.isEmpty()) {
        // Read before anything is written: a bad table writes nothing.
        const MeasuredText file = ReadMeasuredText(options.measuredPatternFile);
        if (!file.text) {
            WriteError(streams, file.failure);
            return 2;
        }
        try {
            const QByteArray &text = *file.text;
            options.measuredPattern = ReadMeasuredPattern(std::string_view(text.constData(), std::size_t(text.size())),
                                                          options.measuredScale);
        } catch (const MeasuredPatternError &e) {
            WriteError(streams, MeasuredFailureLine(options.measuredPatternFile, e));
            return 2;
        }
    }
    if (options.nec && FindNec2c().isEmpty()) {
        // One that is there but cannot run is no command-line fault.
        if (const std::optional<UnusableNec2c> unusable = FindUnusableNec2c()) {
            WriteError(streams,
                       "dipole-render: " + NecUnusableError(unusable->program, unusable->error).localMessage() + '\n');
            return 1;
        }
        WriteError(streams, "dipole-render: --nec needs the program nec2c, which is not installed "
                            "(the Debian package nec2c brings it)\n");
        return 2;
    }
    // What the commands do not handle themselves ends the program as every
    // other failure does, with one line and status 1, never with an abort.
    try {
        return renderForm(RenderRun{options, streams, argv[0]});
    } catch (const AppError &e) {
        WriteError(streams, "dipole-render: " + e.localMessage() + '\n');
    } catch (const std::exception &e) {
        WriteError(streams, QByteArray("dipole-render: ") + e.what() + '\n');
    }
    return 1;
}
