#pragma once
// How the two programs hand themselves to Qt.
//
// Neither program takes Qt's own options (-platform, -reverse, -style ...):
// Qt is given the program's name alone, whatever the command line holds.
// While the application object is created, Qt's messages are held back: a
// platform that cannot start becomes one line on stderr with Qt's own reason
// (the display that could not be opened, or the platform that could not
// start) and exit status 1 instead of an abort with a long advice, and a
// start that succeeds passes the held messages on. For the whole run the notice that
// the runtime directory is not set is dropped (Qt then uses a default of its
// own), so a successful run prints nothing.
//
//     QtStart start(argv[0], "dipole-pattern");
//     QApplication app(start.argc(), start.argv());
//     start.started();
class QtStart
{
public:
    QtStart(char *programPath, const char *programName);
    ~QtStart();
    QtStart(const QtStart &) = delete;
    QtStart &operator=(const QtStart &) = delete;

    // Qt's command line; both stay valid as long as this object.
    int &argc() { return m_argc; }
    char **argv() { return m_argv; }

    // The application object exists: pass the held messages on.
    void started();

private:
    int m_argc = 1;
    char *m_argv[2];
};
