#pragma once
// Swallows the mouse press that tried to take the focus from a field that
// refused to be left, and the release that ends it: the pressed control (a
// command button, say) must not act while the field holds no number. It
// lives for that one press; when the press never comes through, it goes at
// the next turn of the event loop. A press on the field itself passes.
#include <QObject>

class QWidget;

class RefusedPressSwallower : public QObject
{
public:
    // Watches the whole application; owned by the field and deleted by
    // itself when done.
    explicit RefusedPressSwallower(QWidget *field);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void finish();

    QWidget *m_field;
    bool m_pressSwallowed = false;
    bool m_finished = false;
};
