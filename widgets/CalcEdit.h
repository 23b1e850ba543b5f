#pragma once
// TCalcEdit: a single-line field holding one number. While it has the focus
// it shows the plain editing form and refuses keystrokes that would make the
// text no number; otherwise it paints the formatted display form. The value,
// the two text forms and the keystroke rules live in NumValueModel.
#include "NumValueModel.h"

#include <QLineEdit>

class TCalcEdit : public QLineEdit, private NumValueHost
{
    Q_OBJECT
public:
    explicit TCalcEdit(QWidget *parent = nullptr);

    // Re-reads the edit text; a text that is no number reads as MinValue.
    long double Value();
    void setValue(long double value);

    unsigned DecimalPlaces() const { return m_model.decimalPlaces(); }
    void setDecimalPlaces(unsigned places) { m_model.setDecimalPlaces(places); }
    QString DisplayFormat() const { return m_model.displayFormat(); }
    void setDisplayFormat(const QString &format) { m_model.setDisplayFormat(format); }
    long double MinValue() const { return m_model.minValue(); }
    void setMinValue(long double value) { m_model.setMinValue(value); }
    long double MaxValue() const { return m_model.maxValue(); }
    void setMaxValue(long double value) { m_model.setMaxValue(value); }
    bool BeepOnError() const { return m_beepOnError; }
    void setBeepOnError(bool on) { m_beepOnError = on; }

    // Kept for the form description; a plain edit has a fixed height anyway.
    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool on) { m_autoSize = on; }
    // Images in the drop-down button's glyph; the plain edit has no button.
    int NumGlyphs() const { return m_numGlyphs; }
    void setNumGlyphs(int count) { m_numGlyphs = count; }

    // The display form of the value, as painted while the field is not edited.
    QString displayText() const { return m_model.formatDisplayText(); }
    bool isEditing() const { return m_editing; }

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QString editText() const override;
    void setEditText(const QString &text) override;
    void repaintField() override;

    void refuse();
    void pasteChecked(QKeyEvent *event);

    NumValueModel m_model;
    bool m_editing = false;
    bool m_beepOnError = true;
    bool m_autoSize = true;
    int m_numGlyphs = 2;
};
