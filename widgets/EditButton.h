#pragma once
// The button inside the right edge of a drop-down edit field. The field
// decides what a press means before the button goes down (closing an open
// popup, taking the focus) through the press handler; when the handler says
// so, the click that ends the press is swallowed, so that pressing the button
// while the popup is open closes it without opening it again.
#include "GlyphButton.h"

#include <functional>
#include <utility>

class TEditButton : public TGlyphButton
{
    Q_OBJECT
public:
    explicit TEditButton(QWidget *container);

    bool IsWidthFixed() const { return m_fixedWidth; }
    void SetWidthFixed(bool fixed) { m_fixedWidth = fixed; }

    // Runs on every left press before the button's own handling; returns
    // whether the click that ends this press is to be swallowed.
    void SetPressHandler(std::function<bool()> handler) { m_pressHandler = std::move(handler); }

    void Click() override;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void PrepareForPress(QMouseEvent *event);

    std::function<bool()> m_pressHandler;
    bool m_suppressNextClick = false;
    bool m_fixedWidth = false;
};
