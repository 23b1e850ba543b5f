#pragma once
// The application object. An error that escapes an event handler is shown
// in the error box and the event loop goes on; SIGTERM and SIGINT close the
// main window as its close button would, so the program always ends cleanly.
#include <QApplication>
#include <QPointer>

class QSocketNotifier;

// The program's title: the main window's caption and the error box's.
QString ApplicationTitle();

class TApplication : public QApplication
{
    Q_OBJECT
public:
    TApplication(int &argc, char **argv);
    ~TApplication() override;

    bool notify(QObject *receiver, QEvent *event) override;

    // The window that a termination request closes.
    void SetMainWindow(QWidget *window) { m_mainWindow = window; }

private:
    void SignalNotifierActivated();

    QPointer<QWidget> m_mainWindow;
    QSocketNotifier *m_signalNotifier = nullptr;
};
