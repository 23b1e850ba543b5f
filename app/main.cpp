// Start-up: the application and its title, the main window (which draws its
// start-up title while it is created), the hidden About window, then the
// event loop until the main window is closed.
//
// A connection that the display server has closed (as it does with one that
// arrives while it resets) makes the next write to it raise SIGPIPE, which
// would end the program at once. The signal is ignored from the start, so
// such a write fails with EPIPE and the connection's own error handling
// takes over (the display connection is tried again, a file's write fails).
//
// The main window is shown before the hidden About window is made, and the
// system's font configuration is read on a thread of its own while the
// application connects to the display: neither changes what is shown, both
// shorten the time until the window is on the screen.
#include "About.h"
#include "Application.h"
#include "DisplayHold.h"
#include "FormFont.h"
#include "UnitMain.h"
#include "WindowLanguage.h"
#include "base/AppError.h"
#include "base/QtStart.h"
#include "fonts/EmbeddedFonts.h"
#include "jpeg/JpegPicture.h"
#include "widgets/ColorCombo.h"
#include "widgets/UserNotifier.h"

#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <csignal>
#include <memory>

namespace {

// The window icon, read as the PNG it is: left to guess the format, the
// image reader would load every image format plugin to ask it first.
QIcon programIcon()
{
    QFile file(QStringLiteral(":/dipole-pattern.png"));
    QImageReader reader(&file, "png");
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read()));
}

} // namespace

int main(int, char **argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    // The program takes no command line; Qt gets the program name alone.
    QtStart start(argv[0], "dipole-pattern");
    StartReadingFontConfiguration();
    DisplayHold display;
    TApplication app(start.argc(), start.argv());
    display.release();
    start.started();
    // The windows' face comes with the program, before any text is laid out.
    RegisterEmbeddedFonts();
    TApplication::setApplicationName(QStringLiteral("dipole-pattern"));
    TApplication::setDesktopFileName(QStringLiteral("dipole-pattern"));
    // The colour boxes' drop-down lists, for every box at once (each box
    // would otherwise take a style of its own and build its list at once).
    TApplication::setStyle(NewDropDownListStyle());
    // Message boxes and the error box use the same face as the windows.
    TApplication::setFont(FormFont());
    InitAppResources();
    // Before the first window: each takes its texts as it is created.
    InstallWindowLanguage(app, WindowLanguageFromEnvironment());
    TApplication::setWindowIcon(programIcon());
    RegisterJpegFormats();

    // A window that cannot be created ends the program before the event loop
    // starts, with its error shown rather than an abort.
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TFormAbout> formAbout;
    try {
        form1 = std::make_unique<TForm1>();
        app.SetMainWindow(form1.get());
        form1->show();
        formAbout = std::make_unique<TFormAbout>();
    } catch (const AppError &error) {
        ShowError(nullptr, error.message());
        return 1;
    }
    return app.exec();
}
