#pragma once
// The calculator panel that drops down from a numeric field: a grid of
// caption buttons around the calculator engine. TCalculatorPanel owns the
// engine and turns clicks and typed keys into engine keys; TLocCalculator is
// the variant the popup uses, which never takes the keyboard focus so that
// the field keeps it while the keys still react to the mouse.
#include "GlyphButton.h"
#include "numbers/CalculatorEngine.h"

#include <QFrame>

#include <functional>
#include <memory>

class QFont;

// A calculator key: a caption button that knows which engine key it is.
class TCalcButton : public TGlyphButton
{
    Q_OBJECT
public:
    TCalcButton(int kind, QWidget *parent);

    int ButtonKind() const { return m_kind; }
    // The key's position in the typed-key sequence, or -1 for keys that no
    // character reaches.
    int Tag() const { return m_tag; }

private:
    int m_kind;
    int m_tag;
};

// The font of the calculator: the desktop's message-box font, bold. A font
// sized in pixels is scaled by numerator/denominator, as the keys are; one
// sized in points grows with the screen's resolution by itself.
QFont CalculatorFont(int numerator = 1, int denominator = 1);

class TCalculatorPanel : public QFrame
{
    Q_OBJECT
public:
    explicit TCalculatorPanel(QWidget *parent = nullptr);
    ~TCalculatorPanel() override;

    CalculatorEngine &Engine() { return m_engine; }
    const CalculatorEngine &Engine() const { return m_engine; }

    // A typed key: presses its button visibly when the panel has one for it,
    // otherwise goes straight to the engine (square root, reciprocal and
    // percentage have no button in the popup).
    void HandleKey(QChar key);
    // The button a typed key presses, or nullptr.
    TCalcButton *FindKeyButton(QChar key) const;
    void ButtonClick(TCalcButton *button);

    // Places the keys at their grid positions scaled by numerator/denominator
    // (the screen's dots per inch over 96).
    void PlaceKeys(int numerator = 1, int denominator = 1);

    // Shows an error that ended a key in the error box of the window the
    // calculator serves. While that box is up, a second report (the box
    // took the focus, the drop-down closed and read the display again) is
    // dropped: one error, one box.
    void ReportError(const QString &message);

private:
    void RunGuarded(const std::function<void()> &action);

    CalculatorEngine m_engine;
    class DesktopClipboard;
    class NotifierBeeper;
    std::unique_ptr<DesktopClipboard> m_clipboard;
    std::unique_ptr<NotifierBeeper> m_beeper;
    bool m_reportingError = false;
};

// The popup's panel: marked so that the focus never lands on it.
class TLocCalculator : public TCalculatorPanel
{
    Q_OBJECT
public:
    explicit TLocCalculator(QWidget *parent = nullptr);
};
