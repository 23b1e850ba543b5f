#include "NumValueModel.h"

#include "NumKeystrokes.h"
#include "NumberText.h"

// The initial value 0 with ZeroEmpty on has the empty editing form, which is
// what a new edit text holds; the widget calls showValueInEdit once it is
// fully built, so the host is never called while it is being constructed.
NumValueModel::NumValueModel(NumValueHost *host) : m_host(host) {}

long double NumValueModel::value()
{
    if (!m_host || !m_host->isDesigning()) {
        try {
            readValueFromText();
        } catch (...) {
            m_value = m_range.min;
        }
    }
    return m_value;
}

void NumValueModel::setValue(long double value)
{
    m_value = m_range.clamp(value);
    showValueInEdit();
    repaint();
}

QString NumValueModel::text() const
{
    return m_host ? m_host->editText() : m_ownText;
}

void NumValueModel::setText(const QString &text)
{
    if (m_host && m_host->isLoading())
        return;
    m_value = m_range.clamp(StrToFloat(NormalizeNumberText(text)));
    showValueInEdit();
    repaint();
}

void NumValueModel::setMinValue(long double value)
{
    if (value == m_range.min)
        return;
    m_range.min = value;
    setValue(m_value);
}

void NumValueModel::setMaxValue(long double value)
{
    if (value == m_range.max)
        return;
    m_range.max = value;
    setValue(m_value);
}

void NumValueModel::setDecimalPlaces(unsigned places)
{
    if (places == m_decimalPlaces)
        return;
    m_decimalPlaces = places;
    showValueInEdit();
    repaint();
}

void NumValueModel::setZeroEmpty(bool zeroEmpty)
{
    if (zeroEmpty == m_zeroEmpty)
        return;
    m_zeroEmpty = zeroEmpty;
    showValueInEdit();
}

void NumValueModel::setDisplayFormat(const QString &format)
{
    if (format == m_displayFormat)
        return;
    m_displayFormat = format;
    repaint();
    showValueInEdit();
}

void NumValueModel::showValueInEdit()
{
    if (m_value == 0 && m_zeroEmpty)
        writeEditText(QString());
    else
        writeEditText(FormatEditingText(m_value, m_decimalPlaces));
}

QString NumValueModel::formatDisplayText() const
{
    if (m_displayFormat.isEmpty())
        return GeneralNumberText(m_value, 15);
    return FormatNumberPattern(m_value, m_displayFormat);
}

void NumValueModel::readValueFromText()
{
    m_value = m_range.clamp(StrToFloat(NormalizeNumberText(text())));
}

void NumValueModel::verifyRange() const
{
    m_range.check(StrToFloat(NormalizeNumberText(text())), m_decimalPlaces);
}

bool NumValueModel::acceptsTypedText(int selStart, int selLength, const QString &typed) const
{
    return ::AcceptsTypedText(text(), selStart, selLength, typed, m_decimalPlaces, m_range);
}

void NumValueModel::writeEditText(const QString &text)
{
    if (m_host)
        m_host->setEditText(text);
    else
        m_ownText = text;
}

void NumValueModel::repaint()
{
    if (m_host)
        m_host->repaintField();
}
