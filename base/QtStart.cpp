#include "QtStart.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

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

bool isRuntimeDirectoryNotice(const QString &text)
{
    return text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"));
}

// Qt ends the process after a fatal message; while the application object
// is created that means its platform could not start, which without a
// display to open is the user's situation to hear about in one line.
[[noreturn]] void failStart()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray display = qgetenv("DISPLAY");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        std::fprintf(stderr, "%s: cannot start the display platform \"%s\"\n", g_programName, platform.constData());
    else if (display.isEmpty())
        std::fprintf(stderr, "%s: cannot open the display: DISPLAY is not set\n", g_programName);
    else
        std::fprintf(stderr, "%s: cannot open the display \"%s\"\n", g_programName, display.constData());
    std::fflush(stderr);
    ::_exit(1);
}

void handleMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (isRuntimeDirectoryNotice(text))
        return;
    if (g_starting) {
        if (type == QtFatalMsg)
            failStart();
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
