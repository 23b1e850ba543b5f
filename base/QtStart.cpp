#include "QtStart.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler g_previousHandler = nullptr;
const char *g_programName = "";
bool g_starting = false;
std::vector<HeldMessage> g_held;

// That no runtime directory is set, or that it is /dev/null: a program that
// needs none says so by pointing it there, and Qt then creates none.
bool isRuntimeDirectoryNotice(const QString &text)
{
    return text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))
           || text.startsWith(QLatin1String("QStandardPaths: runtime directory '/dev/null'"));
}

bool isDisplayConnectionFailure(const HeldMessage &message)
{
    return message.category == "qt.qpa.xcb" && message.text.startsWith(QLatin1String("could not connect to display"));
}

// Qt's own reason for a failed start: the platform's last warning before
// the fatal message (the fatal message itself only advises reinstalling),
// or the fatal message's first line where the platform gave none.
QString failureReason(const QString &fatalText)
{
    for (auto message = g_held.rbegin(); message != g_held.rend(); ++message)
        if (message->type != QtDebugMsg && message->type != QtInfoMsg && message->category.startsWith("qt.qpa")
            && !message->text.startsWith(QLatin1String("Could not load the Qt platform plugin")))
            return message->text;
    return fatalText.section(QLatin1Char('\n'), 0, 0);
}

// Qt ends the process after a fatal message; while the application object
// is created that means its platform could not start. The user hears about
// it in one line with Qt's reason: an X display that could not be opened is
// named as such, anything else as the platform that could not start.
[[noreturn]] void failStart(const QString &fatalText)
{
    const bool noDisplay =
        std::any_of(g_held.begin(), g_held.end(), [](const HeldMessage &m) { return isDisplayConnectionFailure(m); });
    const QByteArray reason = failureReason(fatalText).toLocal8Bit();
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray display = qgetenv("DISPLAY");
    if (noDisplay && display.isEmpty())
        std::fprintf(stderr, "%s: cannot open the display: DISPLAY is not set\n", g_programName);
    else if (noDisplay)
        std::fprintf(stderr, "%s: cannot open the display \"%s\": %s\n", g_programName, display.constData(),
                     reason.constData());
    else
        std::fprintf(stderr, "%s: cannot start the display platform \"%s\": %s\n", g_programName,
                     platform.isEmpty() ? "xcb" : platform.constData(), reason.constData());
    std::fflush(stderr);
    ::_exit(1);
}

void handleMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (isRuntimeDirectoryNotice(text))
        return;
    if (g_starting) {
        if (type == QtFatalMsg)
            failStart(text);
        g_held.push_back({type, QByteArray(context.category ? context.category : ""), text});
        return;
    }
    g_previousHandler(type, context, text);
}

} // namespace

QtStart::QtStart(char *programPath, const char *programName) : m_argv{programPath, nullptr}
{
    g_programName = programName;
    g_starting = true;
    g_previousHandler = qInstallMessageHandler(handleMessage);
}

QtStart::~QtStart()
{
    started();
}

void QtStart::started()
{
    if (!g_starting)
        return;
    g_starting = false;
    for (const HeldMessage &message : g_held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        g_previousHandler(message.type, context, message.text);
    }
    g_held.clear();
}
