// dipole-render: draws the two pictures of the build command for one length
// and writes them as dn1.bmp and dn2.bmp, without a window or a display.
// The plots draw no text, so no GUI application is needed.
#include "AppError.h"
#include "DrawingSurface.h"
#include "PictureFile.h"
#include "PlotCommands.h"
#include "RenderOptions.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

void printLine(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
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
    if (options.length >= kLengthLimit) {
        printLine(stderr, LengthTooLargeMessage());
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
