// Start-up: the application and its title, the main window (which draws its
// start-up title while it is created), the hidden About window, then the
// event loop until the main window is closed.
#include "About.h"
#include "Application.h"
#include "FormFont.h"
#include "UnitMain.h"
#include "base/AppError.h"
#include "base/QtStart.h"
#include "fonts/EmbeddedFonts.h"
#include "jpeg/JpegPicture.h"
#include "widgets/UserNotifier.h"

#include <QIcon>
#include <memory>

int main(int, char **argv)
{
    // The program takes no command line; Qt gets the program name alone.
    QtStart start(argv[0], "dipole-pattern");
    TApplication app(start.argc(), start.argv());
    start.started();
    // The windows' face comes with the program, before any text is laid out.
    RegisterEmbeddedFonts();
    TApplication::setApplicationName(QStringLiteral("dipole-pattern"));
    TApplication::setDesktopFileName(QStringLiteral("dipole-pattern"));
    // Message boxes and the error box use the same face as the windows.
    TApplication::setFont(formFont());
    initAppResources();
    TApplication::setWindowIcon(QIcon(QStringLiteral(":/dipole-pattern.png")));
    RegisterJpegFormats();

    // A window that cannot be created ends the program before the event loop
    // starts, with its error shown rather than an abort.
    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<TFormAbout> FormAbout;
    try {
        Form1 = std::make_unique<TForm1>();
        app.setMainWindow(Form1.get());
        FormAbout = std::make_unique<TFormAbout>();
    } catch (const AppError &error) {
        ShowError(nullptr, error.message());
        return 1;
    }

    Form1->show();
    return app.exec();
}
