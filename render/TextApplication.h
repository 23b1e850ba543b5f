#pragma once
// The plots draw no text, so a plain picture needs no GUI application; a
// family's legend lines, the labelled pictures and the wire's pictures are
// text and need one. TextApplication makes it on the offscreen platform
// whatever the environment names, and registers the faces that come with
// the program whatever the machine has. A process that already has an
// application (the command run inside a test) keeps it.
#include <memory>

class QGuiApplication;
class QtStart;

class TextApplication
{
public:
    // programPath: argv[0], the one argument Qt is given.
    explicit TextApplication(char *programPath);
    ~TextApplication();
    TextApplication(const TextApplication &) = delete;
    TextApplication &operator=(const TextApplication &) = delete;

private:
    // The command line is this program's own; Qt gets the program name alone.
    std::unique_ptr<QtStart> m_start;
    std::unique_ptr<QGuiApplication> m_app;
};
