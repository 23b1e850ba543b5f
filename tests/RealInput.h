#pragma once
// Mouse input for the widget tests that must also hold on a real X server.
//
// On the offscreen platform the events are handed straight to the widget. On
// X (the same tests run under Xvfb) the click goes through the X server with
// xdotool, as a user's click does: the window system decides which window it
// lands on and whether that window takes the activation and the focus, which
// is what the rules about a popup that never takes the focus are about. Every
// wait is bounded.
#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QProcess>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace realinput {

inline bool onX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// Counts the mouse events of one kind that reach this process's windows.
class MouseEventCounter : public QObject
{
public:
    explicit MouseEventCounter(QEvent::Type type) : m_type(type) { qApp->installEventFilter(this); }
    ~MouseEventCounter() override { qApp->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == m_type && watched->isWindowType())
            ++count;
        return false;
    }

private:
    QEvent::Type m_type;
};

// Runs xdotool with the given arguments and waits until the X server has
// delivered one event of `expected` to a window of this process (which
// hands it on to its widget at once).
inline ::testing::AssertionResult xdotool(const QStringList &arguments, QEvent::Type expected)
{
    MouseEventCounter counter(expected);
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    if (!process.waitForFinished(5000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return ::testing::AssertionFailure() << "xdotool " << arguments.join(' ').toStdString() << " failed";
    if (!QTest::qWaitFor([&] { return counter.count > 0; }, 3000))
        return ::testing::AssertionFailure() << "the X server delivered no mouse event";
    QCoreApplication::processEvents();
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult mouseAt(QWidget *widget, QPoint pos, const char *action, QEvent::Type expected)
{
    if (!QTest::qWaitForWindowExposed(widget->window()))
        return ::testing::AssertionFailure() << "the window is not on the screen";
    const QPoint global = widget->mapToGlobal(pos);
    // No --sync: it waits for the pointer to move, forever when it already
    // stands there. The X server keeps the order of the move and the click.
    return xdotool({QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y()),
                    QString::fromLatin1(action), QStringLiteral("1")},
                   expected);
}

inline QPoint centreOf(const QWidget *widget)
{
    return widget->rect().center();
}

enum class Action { Click, Press, Release };

// The left button clicked, pressed and held, or released at `pos` of the
// widget (its centre by default). On the offscreen platform a release goes
// to the widget that holds the press.
inline ::testing::AssertionResult mouse(Action action, QWidget *widget, QPoint pos = QPoint(-1, -1))
{
    if (pos == QPoint(-1, -1))
        pos = centreOf(widget);
    if (!onX11()) {
        switch (action) {
        case Action::Click: QTest::mouseClick(widget, Qt::LeftButton, {}, pos); break;
        case Action::Press: QTest::mousePress(widget, Qt::LeftButton, {}, pos); break;
        case Action::Release: QTest::mouseRelease(widget, Qt::LeftButton, {}, pos); break;
        }
        return ::testing::AssertionSuccess();
    }
    switch (action) {
    case Action::Click: return mouseAt(widget, pos, "click", QEvent::MouseButtonRelease);
    case Action::Press: return mouseAt(widget, pos, "mousedown", QEvent::MouseButtonPress);
    case Action::Release: break;
    }
    return mouseAt(widget, pos, "mouseup", QEvent::MouseButtonRelease);
}

// The mouse wheel turned one step down over the widget's centre. On X the
// wheel goes to the window under the pointer, which hands it on to the
// widget there and may give that widget the focus.
inline ::testing::AssertionResult wheelDown(QWidget *widget)
{
    const QPointF pos = centreOf(widget);
    if (!onX11()) {
        QWheelEvent wheel(pos, widget->mapToGlobal(pos), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &wheel);
        return ::testing::AssertionSuccess();
    }
    // X reports a wheel step as a click of button 5.
    if (!QTest::qWaitForWindowExposed(widget->window()))
        return ::testing::AssertionFailure() << "the window is not on the screen";
    const QPoint global = widget->mapToGlobal(pos.toPoint());
    return xdotool({QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y()),
                    QStringLiteral("click"), QStringLiteral("5")},
                   QEvent::Wheel);
}

inline ::testing::AssertionResult click(QWidget *widget, QPoint pos = QPoint(-1, -1))
{
    return mouse(Action::Click, widget, pos);
}

inline ::testing::AssertionResult press(QWidget *widget, QPoint pos = QPoint(-1, -1))
{
    return mouse(Action::Press, widget, pos);
}

inline ::testing::AssertionResult release(QWidget *widget, QPoint pos = QPoint(-1, -1))
{
    return mouse(Action::Release, widget, pos);
}

} // namespace realinput
