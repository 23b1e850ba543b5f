#include "CalculatorEngine.h"

#include "LocaleNumberSettings.h"
#include "NumberErrors.h"
#include "NumberText.h"

#include <cmath>

namespace {

// Removes leading and trailing blanks and control characters.
QString trimmed(const QString &text)
{
    int begin = 0;
    int end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

// Results are worked out in extended precision and stored as doubles; one
// that does not fit a double is an overflow, which C++ would otherwise turn
// silently into infinity.
double toDouble(long double result)
{
    const double rounded = static_cast<double>(result);
    if (std::isfinite(result) && !std::isfinite(rounded))
        throw FloatOverflowError();
    return rounded;
}

// Reads a display or pasted text as the nearest double. A text that is no
// number raises ConversionError; one beyond the double range is an overflow.
double readDouble(const QString &text)
{
    double value = 0;
    if (!ConvertNumberTextToDouble(text, &value))
        throw ConversionError(text);
    if (!std::isfinite(value))
        throw FloatOverflowError();
    return value;
}

bool isOperatorKey(QChar key)
{
    switch (key.unicode()) {
    case '+':
    case '-':
    case '*':
    case '/':
    case '=':
    case '%':
    case ControlKeys::kEnter: return true;
    default: return false;
    }
}

} // namespace

CalculatorEngine::CalculatorEngine() = default;

void CalculatorEngine::setClipboard(CalculatorClipboard *clipboard)
{
    m_clipboard = clipboard ? clipboard : &m_nullClipboard;
}

void CalculatorEngine::setBeeper(Beeper *beeper)
{
    m_beeper = beeper ? beeper : &m_nullBeeper;
}

void CalculatorEngine::beep()
{
    if (m_beepOnError)
        m_beeper->beep();
}

void CalculatorEngine::processKey(QChar key)
{
    if (key >= QLatin1Char('a') && key <= QLatin1Char('z'))
        key = QChar(key.unicode() - 'a' + 'A');
    // In the error state only "C" is obeyed.
    if (m_status == CalcStatus::Error && key != QLatin1Char('C'))
        key = QChar(0);
    if (onKeyFilter)
        onKeyFilter(*this, key);

    if (key == QLatin1Char('.') || key == QLatin1Char(',') || key == CurrentLocaleNumberSettings().decimalSeparator) {
        typeSeparator();
        return;
    }
    if (key >= QLatin1Char('0') && key <= QLatin1Char('9')) {
        typeDigit(key);
        return;
    }
    if (isOperatorKey(key)) {
        operatorStep(key);
        return;
    }
    switch (key.unicode()) {
    case ControlKeys::kBackspace: backspace(); break;
    case 'Q':
        if (m_status != CalcStatus::Error) {
            m_status = CalcStatus::NewNumber;
            const double x = displayValue();
            if (x < 0)
                enterError();
            else
                showNumber(std::sqrt(x));
        }
        break;
    case 'R':
        if (m_status != CalcStatus::Error) {
            m_status = CalcStatus::NewNumber;
            const double x = displayValue();
            if (x == 0)
                enterError();
            else
                showNumber(toDouble(1.0L / x));
        }
        break;
    case '_': showNumber(-displayValue()); break;
    case 'C':
    case ControlKeys::kEscape: clearAll(); break;
    case ControlKeys::kCopy: copyDisplay(); break;
    case ControlKeys::kPaste: pasteNumber(); break;
    default: break;
    }
}

void CalculatorEngine::typeSeparator()
{
    beginEntry();
    const QChar separator = CurrentLocaleNumberSettings().decimalSeparator;
    // The length limit does not apply to the separator.
    if (!m_displayText.contains(separator))
        setDisplayText(m_displayText + separator);
}

void CalculatorEngine::typeDigit(QChar digit)
{
    beginEntry();
    // The typed digit replaces a lone zero.
    QString text = m_displayText == QLatin1String("0") ? QString() : m_displayText;
    if (text.contains(QLatin1Char('E')))
        return;
    int limit = effectivePrecision();
    if (text.contains(QLatin1Char('-')))
        ++limit;
    if (text.size() < limit)
        setDisplayText(text + digit);
    else
        beep();
}

void CalculatorEngine::backspace()
{
    beginEntry();
    const QString &text = m_displayText;
    if (text.size() == 1 || (text.size() == 2 && text.at(0) == QLatin1Char('-')))
        setDisplayText(QStringLiteral("0"));
    else
        setDisplayText(text.left(text.size() - 1));
}

void CalculatorEngine::operatorStep(QChar key)
{
    if (m_status == CalcStatus::Entering) {
        m_status = CalcStatus::NewNumber;
        long double r = displayValue();
        const long double operand = m_operand;
        if (key == QLatin1Char('%')) {
            switch (m_pendingOperator.unicode()) {
            case '*':
            case '/': r = r / 100; break;
            case '+':
            case '-': r = operand * r / 100; break;
            default: break;
            }
        }
        switch (m_pendingOperator.unicode()) {
        case '+': showNumber(toDouble(operand + r)); break;
        case '-': showNumber(toDouble(operand - r)); break;
        case '*': showNumber(toDouble(operand * r)); break;
        case '/':
            if (r == 0)
                enterError();
            else
                showNumber(toDouble(operand / r));
            break;
        default:
            // "=", "%", Enter or no operator yet: a repeated result key computes nothing.
            break;
        }
    }
    m_pendingOperator = key;
    m_operand = displayValue();
    if (key == QLatin1Char('=') || key == QLatin1Char('%') || key == QChar(ControlKeys::kEnter)) {
        if (onResultKey)
            onResultKey(*this);
    }
}

QChar CalculatorEngine::keyOfButton(int kind)
{
    if (kind >= cbDigit0 && kind <= cbDigit9)
        return QChar(u'0' + (kind - cbDigit0));
    switch (kind) {
    case cbSign: return QLatin1Char('_');
    case cbDecimal: return CurrentLocaleNumberSettings().decimalSeparator;
    case cbDivide: return QLatin1Char('/');
    case cbMultiply: return QLatin1Char('*');
    case cbSubtract: return QLatin1Char('-');
    case cbAdd: return QLatin1Char('+');
    case cbSqrt: return QLatin1Char('Q');
    case cbPercent: return QLatin1Char('%');
    case cbReciprocal: return QLatin1Char('R');
    case cbEquals: return QLatin1Char('=');
    case cbBackspace: return QChar(ControlKeys::kBackspace);
    case cbClear: return QLatin1Char('C');
    default: return QChar(0);
    }
}

void CalculatorEngine::buttonClick(int kind)
{
    switch (kind) {
    case cbMemoryPlus:
    case cbMemoryStore:
    case cbMemoryRecall:
    case cbMemoryClear: memoryOperation(kind); return;
    case cbOk:
        if (m_status == CalcStatus::Error) {
            beep();
            return;
        }
        showNumber(displayValue());
        if (onOkKey)
            onOkKey(*this);
        return;
    case cbCancel:
        if (onCancelKey)
            onCancelKey(*this);
        return;
    default: break;
    }
    const QChar key = keyOfButton(kind);
    if (!key.isNull())
        processKey(key);
}

void CalculatorEngine::memoryOperation(int kind)
{
    if (kind == cbMemoryClear) {
        m_memory = 0;
        updateMemoryIndicator();
        return;
    }
    if (m_status == CalcStatus::Error)
        return;
    m_status = CalcStatus::NewNumber;
    switch (kind) {
    case cbMemoryPlus:
        m_memory = toDouble(static_cast<long double>(m_memory) + displayValue());
        updateMemoryIndicator();
        break;
    case cbMemoryStore:
        m_memory = displayValue();
        updateMemoryIndicator();
        break;
    case cbMemoryRecall:
        // The recalled number is an entry: digits typed next are appended.
        beginEntry();
        showNumber(m_memory);
        break;
    default: break;
    }
}

void CalculatorEngine::updateMemoryIndicator()
{
    if (memoryIndicator)
        memoryIndicator(m_memory != 0 ? QStringLiteral("M") : QString());
}

void CalculatorEngine::showNumber(double x)
{
    const QString text = GeneralNumberText(x, effectivePrecision());
    if (text == m_displayText)
        return;
    setDisplayText(text);
    if (onNumberShown)
        onNumberShown(*this);
}

double CalculatorEngine::displayValue() const
{
    if (m_status == CalcStatus::Error)
        return 0;
    return readDouble(trimmed(m_displayText));
}

void CalculatorEngine::setDisplayText(const QString &text)
{
    if (text == m_displayText)
        return;
    m_displayText = text;
    if (displayControl)
        displayControl(m_displayText);
    if (onDisplayChanged)
        onDisplayChanged(*this);
}

void CalculatorEngine::beginEntry()
{
    if (m_status != CalcStatus::NewNumber)
        return;
    m_status = CalcStatus::Entering;
    setDisplayText(QStringLiteral("0"));
}

void CalculatorEngine::enterError()
{
    m_status = CalcStatus::Error;
    setDisplayText(QStringLiteral("Error"));
    beep();
    if (onErrorShown)
        onErrorShown(*this);
}

void CalculatorEngine::clearAll()
{
    m_status = CalcStatus::NewNumber;
    showNumber(0);
    m_pendingOperator = QLatin1Char('=');
}

void CalculatorEngine::copyDisplay()
{
    m_clipboard->setText(m_displayText);
}

void CalculatorEngine::pasteNumber()
{
    if (!m_clipboard->hasText())
        return;
    QString text = m_clipboard->text();
    const QString &currency = CurrentLocaleNumberSettings().currencyString;
    if (!currency.isEmpty())
        text.remove(currency);
    try {
        showNumber(readDouble(trimmed(text)));
    } catch (const AppError &) {
        setDisplayText(QStringLiteral("0"));
    }
}
