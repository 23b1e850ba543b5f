#include "UserNotifier.h"

#include <QApplication>
#include <QMessageBox>

namespace {

class DesktopNotifier final : public UserNotifier
{
public:
    void messageBox(QWidget *parent, const QString &text, const QString &caption) override
    {
        QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
        box.exec();
    }

    void errorBox(QWidget *parent, const QString &text, const QString &caption) override
    {
        QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, parent);
        box.exec();
    }

    void beep() override { QApplication::beep(); }
};

UserNotifier *g_override = nullptr;
QString g_errorBoxCaption;

} // namespace

UserNotifier &CurrentUserNotifier()
{
    static DesktopNotifier desktop;
    return g_override ? *g_override : desktop;
}

UserNotifier *SetUserNotifier(UserNotifier *notifier)
{
    UserNotifier *previous = g_override;
    g_override = notifier;
    return previous;
}

void SetErrorBoxCaption(const QString &caption)
{
    g_errorBoxCaption = caption;
}

QString ErrorBoxCaption()
{
    return g_errorBoxCaption.isEmpty() ? QCoreApplication::applicationName() : g_errorBoxCaption;
}

QString ErrorBoxText(const QString &message)
{
    // Byte order of the last character: anything above '.' gets a full stop;
    // '.', ')', '!', a line break and the like do not.
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + QLatin1Char('.');
    return message;
}

void ShowError(QWidget *parent, const QString &message)
{
    CurrentUserNotifier().errorBox(parent, ErrorBoxText(message), ErrorBoxCaption());
}
