#pragma once
// TCalcEdit: the numeric field with its drop-down calculator as the main
// window uses it. It adds no behaviour to TCustomCalcEdit; it gives the form
// description the setter names it writes (setValue, setDecimalPlaces, ...)
// and keeps the properties the form sets that have no effect here.
#include "NumEdit.h"

class TCalcEdit : public TCustomCalcEdit
{
    Q_OBJECT
public:
    explicit TCalcEdit(QWidget *parent = nullptr);

    void setValue(long double value) { SetValue(value); }
    void setMinValue(long double value) { SetMinValue(value); }
    void setMaxValue(long double value) { SetMaxValue(value); }
    void setDecimalPlaces(unsigned places) { SetDecimalPlaces(places); }
    void setDisplayFormat(const QString &format) { SetDisplayFormat(format); }
    void setZeroEmpty(bool zeroEmpty) { SetZeroEmpty(zeroEmpty); }
    void setBeepOnError(bool beep) { SetBeepOnError(beep); }
    void setCheckOnExit(bool check) { SetCheckOnExit(check); }
    void setFormatOnEditing(bool format) { SetFormatOnEditing(format); }
    void setNumGlyphs(int count) { SetNumGlyphs(count); }
    void setButtonWidth(int width) { SetButtonWidth(width); }

    // The field's height is set by the form; no automatic sizing applies.
    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize) { m_autoSize = autoSize; }

    // The display form of the value, as painted while the field is not edited.
    QString displayText() const { return FormatDisplayText(); }
    bool isEditing() const { return IsEditing(); }

private:
    bool m_autoSize = false;
};
