#pragma once
// The value model of the numeric edit field: the stored extended value, its
// range, the editing form written into the edit text and the display form
// painted when the field is not being edited, and the reading of the edit
// text back into the value.
//
// The model needs of its widget only the edit text and a repaint; it reaches
// them through NumValueHost. Without a host it keeps the edit text itself,
// which is how the tests and any window-free user drive it.
#include "ValueRange.h"

#include <QChar>
#include <QString>

class NumValueHost
{
public:
    virtual ~NumValueHost() = default;
    virtual QString editText() const = 0;
    virtual void setEditText(const QString &text) = 0;
    virtual void repaintField() = 0;
    // While the field is being designed, reading Value leaves the text alone.
    virtual bool isDesigning() const { return false; }
    // While the form is being loaded, writing Text is ignored.
    virtual bool isLoading() const { return false; }
};

class NumValueModel
{
public:
    static QString defaultDisplayFormatText() { return QStringLiteral(",0.##"); }

    explicit NumValueModel(NumValueHost *host = nullptr);

    // Re-reads the edit text first; any error there makes the value MinValue.
    // Never fails.
    long double value();
    void setValue(long double value);
    // The value as last stored, without reading the edit text.
    long double storedValue() const { return m_value; }

    QString text() const;
    // Raises ConversionError (and changes nothing) when the text is no number.
    void setText(const QString &text);

    long double minValue() const { return m_range.min; }
    void setMinValue(long double value);
    long double maxValue() const { return m_range.max; }
    void setMaxValue(long double value);
    const ValueRange &range() const { return m_range; }

    unsigned decimalPlaces() const { return m_decimalPlaces; }
    void setDecimalPlaces(unsigned places);

    bool zeroEmpty() const { return m_zeroEmpty; }
    void setZeroEmpty(bool zeroEmpty);

    QString displayFormat() const { return m_displayFormat; }
    void setDisplayFormat(const QString &format);
    // The display format is stored in a form only when it is not the default.
    bool isDisplayFormatStored() const { return m_displayFormat != defaultDisplayFormatText(); }

    // Writes the stored value into the edit text in editing form.
    void showValueInEdit();
    // The display form of the stored value.
    QString formatDisplayText() const;
    // Reads the edit text into the stored value (clamped); raises
    // ConversionError when the text is no number.
    void readValueFromText();
    // Raises RangeError when the edit text reads as a value outside the
    // range (leaving a field that checks its range); ConversionError when it
    // is no number. Stores nothing.
    void verifyRange() const;

    // Whether typing `typed` (what one key delivers) over the given selection
    // of the edit text is accepted.
    bool acceptsTypedText(int selStart, int selLength, const QString &typed) const;
    bool acceptsTypedChar(int selStart, int selLength, QChar c) const
    {
        return acceptsTypedText(selStart, selLength, QString(c));
    }
    // Throws away what was typed since the value was last read or written.
    void revertEdit() { showValueInEdit(); }

private:
    void writeEditText(const QString &text);
    void repaint();

    NumValueHost *m_host;
    QString m_ownText;
    long double m_value = 0;
    ValueRange m_range;
    unsigned m_decimalPlaces = 2;
    bool m_zeroEmpty = true;
    QString m_displayFormat = defaultDisplayFormatText();
};
