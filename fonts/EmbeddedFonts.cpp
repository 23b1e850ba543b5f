#include "EmbeddedFonts.h"

#include <QFontDatabase>
#include <QString>

#include <fontconfig/fontconfig.h>
#include <thread>

namespace {

std::thread g_configurationReader;

} // namespace

void StartReadingFontConfiguration()
{
    if (!g_configurationReader.joinable())
        g_configurationReader = std::thread([] { FcInit(); });
}

bool RegisterEmbeddedFonts()
{
    // The font database initialises the same configuration; the library
    // keeps one, so it is read once either way.
    if (g_configurationReader.joinable())
        g_configurationReader.join();
    bool all = true;
    for (const char *face : {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf"})
        all = QFontDatabase::addApplicationFont(QString::fromLatin1(face)) >= 0 && all;
    return all;
}
