// A program that loses a block in a slot run by the GLib event loop, as a
// program's own leak would. The sanitizer build runs it under the CI's leak
// suppressions and expects the leak to be reported: a suppression that
// hides whatever passes through the event loop would hide it.
#include <QCoreApplication>
#include <QTimer>

#include <cstdlib>

namespace {

void *volatile g_sink = nullptr;

void leakFromAnEventHandler()
{
    g_sink = std::malloc(1024);
    g_sink = nullptr;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTimer::singleShot(0, &app, [] {
        leakFromAnEventHandler();
        QCoreApplication::quit();
    });
    return app.exec();
}
