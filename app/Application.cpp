#include "Application.h"

#include "base/AppError.h"
#include "widgets/UserNotifier.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A signal handler may only write to a descriptor; the event loop reads the
// other end and closes the window.
int g_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[0], &byte, 1);
}

} // namespace

QString ApplicationTitle()
{
    return QCoreApplication::translate("TForm1", "Построение ДН СВ");
}

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    SetErrorBoxCaption(ApplicationTitle());
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) == 0) {
        m_signalNotifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, this);
        connect(m_signalNotifier, &QSocketNotifier::activated, this, &TApplication::SignalNotifierActivated);
        struct sigaction action = {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(SIGTERM, &action, nullptr);
        sigaction(SIGINT, &action, nullptr);
    }
}

TApplication::~TApplication()
{
    if (g_signalPipe[0] >= 0) {
        std::signal(SIGTERM, SIG_DFL);
        std::signal(SIGINT, SIG_DFL);
        ::close(g_signalPipe[0]);
        ::close(g_signalPipe[1]);
        g_signalPipe[0] = g_signalPipe[1] = -1;
    }
}

void TApplication::SignalNotifierActivated()
{
    char byte = 0;
    [[maybe_unused]] const ssize_t got = ::read(g_signalPipe[1], &byte, 1);
    if (QWidget *modal = activeModalWidget())
        modal->close();
    if (m_mainWindow)
        m_mainWindow->close();
    else
        quit();
}

bool TApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const AppError &error) {
        ShowError(activeWindow(), error.message());
    } catch (const std::exception &error) {
        ShowError(activeWindow(), QString::fromLocal8Bit(error.what()));
    }
    return false;
}
