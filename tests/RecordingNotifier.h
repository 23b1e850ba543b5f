#pragma once
// Test double for the user-notification seam: records every box and beep
// instead of showing it, and restores the real notifier when destroyed.
#include "widgets/UserNotifier.h"

#include <QStringList>

class RecordingNotifier : public UserNotifier
{
public:
    struct Box
    {
        QString text;
        QString caption;
        bool error;
    };

    RecordingNotifier() { m_previous = SetUserNotifier(this); }
    ~RecordingNotifier() override { SetUserNotifier(m_previous); }

    void messageBox(QWidget *, const QString &text, const QString &caption) override
    {
        boxes.push_back({text, caption, false});
    }
    void errorBox(QWidget *, const QString &text, const QString &caption) override
    {
        boxes.push_back({text, caption, true});
    }
    void beep() override { ++beeps; }

    std::vector<Box> boxes;
    int beeps = 0;

private:
    UserNotifier *m_previous = nullptr;
};
