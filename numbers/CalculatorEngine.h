#pragma once
// The engine of the drop-down calculator: an immediate-execution calculator
// with a display text, one pending operator and its left operand, and a
// memory register. Everything the user does ends in processKey with one
// character; buttonClick maps the key buttons onto those characters.
//
// Evaluation is strictly left to right. Operands and results are doubles;
// a result beyond the double range raises FloatOverflowError, and a display
// that cannot be read back (a separator typed behind an exponent) raises
// ConversionError when it is read; in both cases the key has no further
// effect.
#include "CalculatorIo.h"
#include "ControlKeys.h"

#include <QChar>
#include <QString>
#include <cstdint>
#include <functional>

enum class CalcStatus { NewNumber, Entering, Error };

// The kinds of the calculator's key buttons.
enum CalcButtonKind : int {
    cbDigit0 = 1, // digits 0 to 9 are kinds 1 to 10
    cbDigit9 = 10,
    cbSign = 11,
    cbDecimal = 12,
    cbDivide = 13,
    cbMultiply = 14,
    cbSubtract = 15,
    cbAdd = 16,
    cbSqrt = 17,
    cbPercent = 18,
    cbReciprocal = 19,
    cbEquals = 20,
    cbBackspace = 21,
    cbClear = 22,
    cbMemoryPlus = 23,
    cbMemoryStore = 24,
    cbMemoryRecall = 25,
    cbMemoryClear = 26,
    cbOk = 27,
    cbCancel = 28,
};

class CalculatorEngine
{
public:
    using Notify = std::function<void(CalculatorEngine &)>;
    using KeyFilter = std::function<void(CalculatorEngine &, QChar &)>;

    CalculatorEngine();
    CalculatorEngine(const CalculatorEngine &) = delete;
    CalculatorEngine &operator=(const CalculatorEngine &) = delete;

    // Handles one key character.
    void processKey(QChar key);
    // The click of a key button of the given kind (1 to 28).
    void buttonClick(int kind);
    // The character a button kind stands for, or code 0 for the memory, OK
    // and Cancel kinds and for unknown kinds.
    static QChar keyOfButton(int kind);

    // Shows x as the general number text; fires onNumberShown when the text changed.
    void showNumber(double x);
    // 0 in the error state, else the display read back as a number.
    double displayValue() const;
    void setDisplayText(const QString &text);
    void beginEntry();
    void enterError();
    void clearAll();
    void copyDisplay();
    void pasteNumber();

    const QString &displayText() const { return m_displayText; }
    CalcStatus status() const { return m_status; }
    void setStatus(CalcStatus status) { m_status = status; }
    QChar pendingOperator() const { return m_pendingOperator; }
    void setPendingOperator(QChar op) { m_pendingOperator = op; }
    double operand() const { return m_operand; }
    double memory() const { return m_memory; }

    std::uint8_t precision() const { return m_precision; }
    void setPrecision(std::uint8_t precision) { m_precision = precision; }
    // The number of significant digits actually used: at least 2.
    int effectivePrecision() const { return m_precision < 2 ? 2 : m_precision; }
    bool beepOnError() const { return m_beepOnError; }
    void setBeepOnError(bool beep) { m_beepOnError = beep; }

    // Neither is owned; nullptr restores the silent default.
    void setClipboard(CalculatorClipboard *clipboard);
    void setBeeper(Beeper *beeper);

    // Notifications; each fires only when set.
    Notify onDisplayChanged;
    Notify onNumberShown;
    Notify onErrorShown;
    Notify onResultKey;
    Notify onOkKey;
    Notify onCancelKey;
    KeyFilter onKeyFilter;

    // An optional display control: receives the display text whenever it
    // changes, before onDisplayChanged.
    std::function<void(const QString &)> displayControl;
    // An optional memory indicator: receives "M" while the memory is not 0
    // and the empty text otherwise.
    std::function<void(const QString &)> memoryIndicator;

private:
    void operatorStep(QChar key);
    void typeDigit(QChar digit);
    void typeSeparator();
    void backspace();
    void memoryOperation(int kind);
    void updateMemoryIndicator();
    void beep();

    QString m_displayText = QStringLiteral("0");
    CalcStatus m_status = CalcStatus::NewNumber;
    QChar m_pendingOperator = QChar(0);
    double m_operand = 0;
    double m_memory = 0;
    std::uint8_t m_precision = 15;
    bool m_beepOnError = true;

    NullClipboard m_nullClipboard;
    NullBeeper m_nullBeeper;
    CalculatorClipboard *m_clipboard = &m_nullClipboard;
    Beeper *m_beeper = &m_nullBeeper;
};
