#pragma once
// The one seam through which the program talks to the user outside its own
// windows: modal message boxes, the error box for an error that ended a
// command, and the default beep for refused input. Tests install a recorder
// instead of the real boxes so that nothing blocks.
#include <QString>

class QWidget;

class UserNotifier
{
public:
    virtual ~UserNotifier() = default;
    // A modal box with a text, a caption and a single OK button.
    virtual void messageBox(QWidget *parent, const QString &text, const QString &caption) = 0;
    // The error box: stop icon, the application title as caption, OK button.
    virtual void errorBox(QWidget *parent, const QString &text, const QString &caption) = 0;
    virtual void beep() = 0;
};

// The notifier in force: the real one unless a test installed its own.
UserNotifier &CurrentUserNotifier();

// Installs a notifier (nullptr restores the real one); returns the previous override.
UserNotifier *SetUserNotifier(UserNotifier *notifier);

// The caption of the error box: the application's title, which the program
// sets at start-up; until then the application's name.
void SetErrorBoxCaption(const QString &caption);
QString ErrorBoxCaption();

// The text the error box shows for an error message: a full stop is appended
// when the last character sorts above "." (letters and digits do).
QString ErrorBoxText(const QString &message);

// Shows an error that ended a command in the error box.
void ShowError(QWidget *parent, const QString &message);
