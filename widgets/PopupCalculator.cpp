#include "PopupCalculator.h"

#include "CalcKeyLayout.h"
#include "UserNotifier.h"
#include "base/AppError.h"
#include "numbers/NumberText.h"

#include <QKeyEvent>

#include <cmath>

TPopupCalculator::TPopupCalculator(QWidget *editor) : TPopupWindow(editor), m_panel(new TLocCalculator(this))
{
    setBackgroundRole(QPalette::Button);
    m_panel->setBackgroundRole(QPalette::Button);
    m_panel->Engine().setPrecision(15);

    int numerator = 96;
    const int denominator = 96;
    if (editor)
        numerator = editor->logicalDpiY();
    resize(CalcKeys::kPopupWidth * numerator / denominator, CalcKeys::kPopupHeight * numerator / denominator);
    m_panel->setGeometry(contentsRect());
    if (numerator != denominator)
        m_panel->PlaceKeys(numerator, denominator);
    // The captions grow with their keys.
    setFont(CalculatorFont(numerator, denominator));
    m_panel->setFont(font());

    CalculatorEngine &engine = m_panel->Engine();
    engine.onDisplayChanged = [this](CalculatorEngine &) { RefreshEditor(); };
    engine.onResultKey = [this](CalculatorEngine &) { ResultAccepted(); };
}

QVariant TPopupCalculator::PopupGetValue()
{
    CalculatorEngine &engine = m_panel->Engine();
    if (engine.status() == CalcStatus::Error) {
        if (engine.beepOnError())
            CurrentUserNotifier().beep();
        return QVariant(0);
    }
    try {
        engine.showNumber(engine.displayValue());
        return QVariant(engine.displayValue());
    } catch (const AppError &error) {
        // A display that no longer reads as a number (a separator typed
        // behind an exponent) has no value to hand over; the field keeps its
        // text and the popup still closes.
        m_panel->ReportError(error.message());
        return QVariant();
    }
}

void TPopupCalculator::PopupSetValue(const QVariant &value)
{
    CalculatorEngine &engine = m_panel->Engine();
    double x = 0;
    const QString text = value.isNull() ? QString() : value.toString();
    long double converted = 0;
    if (!text.trimmed().isEmpty() && ConvertNumberText(NormalizeNumberText(text), &converted)) {
        x = double(converted);
        if (!std::isfinite(x))
            x = 0;
    }
    engine.showNumber(x);
    engine.setStatus(CalcStatus::NewNumber);
    engine.setPendingOperator(QLatin1Char('='));
}

QString TPopupCalculator::PopupDisplayText() const
{
    return m_panel->Engine().displayText();
}

void TPopupCalculator::PopupKeyPress(QChar key)
{
    m_panel->HandleKey(key);
}

void TPopupCalculator::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    if (text.size() == 1) {
        PopupKeyPress(text.at(0));
        event->accept();
        return;
    }
    TPopupWindow::keyPressEvent(event);
}

void TPopupCalculator::ResultAccepted()
{
    CalculatorEngine &engine = m_panel->Engine();
    if (engine.status() == CalcStatus::Error)
        return; // "Error" stays on show until "C" or Escape
    // Normalises the display, e.g. drops a trailing separator.
    engine.showNumber(engine.displayValue());
    FinishPopup(true);
}

void ConfigureCalculator(TPopupWindow *popup, int digits, bool beepOnError)
{
    auto *calculator = qobject_cast<TPopupCalculator *>(popup);
    if (!calculator || !calculator->Calculator())
        return;
    CalculatorEngine &engine = calculator->Calculator()->Engine();
    engine.setPrecision(std::uint8_t(qBound(2, digits, 255)));
    engine.setBeepOnError(beepOnError);
}
