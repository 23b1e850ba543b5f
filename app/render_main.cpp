// dipole-render: draws the two pictures of the build command for one length
// and writes them as dn1.bmp and dn2.bmp, without a window or a display.
// The plots draw no text, so no GUI application is needed; a family's legend
// lines are text and need one, on the offscreen platform unless told otherwise.
#include "base/AppError.h"
#include "base/QtStart.h"
#include "fonts/EmbeddedFonts.h"
#include "numbers/NumberText.h"
#include "plot/DrawingSurface.h"
#include "plot/FamilyPlot.h"
#include "plot/PictureFile.h"
#include "plot/PlotCommands.h"
#include "render/RenderOptions.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

namespace {

void printLine(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

// The family as the window draws it: the legend shows each length as its
// field would after editing (up to eight decimals, the user's separator).
int renderFamily(char *programPath, const RenderOptions &options)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The command line is this program's own; Qt gets the program name alone.
    QtStart start(programPath, "dipole-render");
    QGuiApplication app(start.argc(), start.argv());
    start.started();
    // The legend's face comes with the program, whatever the machine has.
    RegisterEmbeddedFonts();
    std::vector<FamilyRow> rows;
    for (const RenderFamilyRow &row : options.family)
        rows.push_back({row.length, row.colour, formatEditingText(row.length, 8)});
    try {
        DrawingSurface polar(kPictureWidth, kPictureHeight);
        DrawingSurface rect(kPictureWidth, kPictureHeight);
        for (DrawingSurface *surface : {&polar, &rect})
            surface->setFontName(QStringLiteral("Arial"));
        DrawFamily(polar, rect, rows, options.fill);
        SavePictures(polar, rect, options.outDirectory);
    } catch (const AppError &e) {
        printLine(stderr, e.message());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    RenderOptions options;
    try {
        options = ParseRenderOptions(arguments);
    } catch (const RenderUsageError &e) {
        std::fprintf(stderr, "dipole-render: %s\n", e.what());
        return 2;
    }
    if (options.help) {
        std::fputs(RenderUsage().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!options.family.empty())
        return renderFamily(argv[0], options);
    if (options.length >= kLengthLimit) {
        printLine(stderr, LengthTooLargeText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        return 2;
    }

    try {
        DrawingSurface polar(kPictureWidth, kPictureHeight);
        DrawingSurface rect(kPictureWidth, kPictureHeight);
        BuildPictures(polar, rect, options.colour, static_cast<double>(options.length), options.fill);
        SavePictures(polar, rect, options.outDirectory);
    } catch (const AppError &e) {
        printLine(stderr, e.message());
        return 1;
    }
    return 0;
}
