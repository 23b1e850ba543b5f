#pragma once
// The calculator that drops down from a numeric field. It holds one
// TLocCalculator, starts from the field's number when it opens, shows its
// display in the field (the field paints PopupDisplayText while the popup is
// open) and hands its result back when "=", "%" or Enter is pressed. The
// field keeps the keyboard focus and passes the calculator keys on through
// PopupKeyPress.
#include "CalcPanel.h"
#include "PopupWindow.h"

class TPopupCalculator : public TPopupWindow
{
    Q_OBJECT
public:
    explicit TPopupCalculator(QWidget *editor);

    TLocCalculator *Calculator() const { return m_panel; }

    // The value handed to the field: the display as a double, or the integer
    // 0 (with a beep) while the display shows "Error".
    QVariant PopupGetValue() override;
    // Starts a new number from the field's text (null or unreadable: 0).
    void PopupSetValue(const QVariant &value) override;
    QString PopupDisplayText() const override;

    // A calculator key typed into the field.
    void PopupKeyPress(QChar key);

protected:
    // The field sends its calculator keys here, one character each.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void ResultAccepted();

    TLocCalculator *m_panel;
};

// Sets the calculator's significant digits (at least 2) and its beep when the
// popup is a calculator; other popups are left alone.
void ConfigureCalculator(TPopupWindow *popup, int digits, bool beepOnError);
