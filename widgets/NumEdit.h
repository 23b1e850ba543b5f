#pragma once
// The numeric edit field on the drop-down frame. TCustomNumEdit is the
// widget around NumValueModel: it filters keystrokes and pastes so that the
// text stays a number, shows the plain editing form while it has the focus
// and paints the formatted display form otherwise, and reads the text back
// into Value when it is left. TCustomCalcEdit (CalcEdit.h) adds the
// drop-down calculator, whose result comes back as the field's text.
//
// Three states: Display (not focused: the display form is painted), Editing
// (focused: the edit control shows the editing form and what is typed), and
// Editing with the calculator open (the edit is read-only and the field
// paints the calculator's display instead of its text).
#include "ComboEdit.h"
#include "numbers/NumValueModel.h"

#include <functional>

class TCustomNumEdit : public TCustomComboEdit, protected NumValueHost
{
    Q_OBJECT
    // The properties that form descriptions set (with stdset="0").
    Q_PROPERTY(double Value READ Value WRITE SetValue STORED false)
    Q_PROPERTY(uint DecimalPlaces READ DecimalPlaces WRITE SetDecimalPlaces)
    Q_PROPERTY(QString DisplayFormat READ DisplayFormat WRITE SetDisplayFormat)
public:
    explicit TCustomNumEdit(QWidget *parent = nullptr);
    ~TCustomNumEdit() override;

    // Re-reads the edit text; a text that is no number reads as MinValue.
    long double Value();
    void SetValue(long double value);
    // Writing a text that is no number raises ConversionError and changes nothing.
    void SetNumberText(const QString &text);
    long double MinValue() const { return m_model.minValue(); }
    void SetMinValue(long double value) { m_model.setMinValue(value); }
    long double MaxValue() const { return m_model.maxValue(); }
    void SetMaxValue(long double value) { m_model.setMaxValue(value); }
    unsigned DecimalPlaces() const { return m_model.decimalPlaces(); }
    void SetDecimalPlaces(unsigned places) { m_model.setDecimalPlaces(places); }
    QString DisplayFormat() const { return m_model.displayFormat(); }
    void SetDisplayFormat(const QString &format) { m_model.setDisplayFormat(format); }
    bool ZeroEmpty() const { return m_model.zeroEmpty(); }
    void SetZeroEmpty(bool zeroEmpty) { m_model.setZeroEmpty(zeroEmpty); }

    bool BeepOnError() const { return m_beepOnError; }
    void SetBeepOnError(bool beep);
    bool CheckOnExit() const { return m_checkOnExit; }
    void SetCheckOnExit(bool check) { m_checkOnExit = check; }
    bool FormatOnEditing() const { return m_formatOnEditing; }
    void SetFormatOnEditing(bool format);
    // Where the display form stands in the field while it is not edited.
    TAlignment DisplayAlignment() const { return m_alignment; }
    void SetDisplayAlignment(TAlignment alignment);

    // True while the field has the input focus.
    bool IsEditing() const { return m_editing; }

    // Writes Value into the edit text in editing form.
    virtual void ShowValueInEdit();
    virtual QString DefaultDisplayFormatText() const { return NumValueModel::defaultDisplayFormatText(); }
    // Whether typing over the selection keeps the text a number; `typed` is
    // what one key delivers (a character outside the Basic Multilingual
    // Plane takes two UTF-16 units).
    virtual bool AcceptsTypedText(const QString &typed) const;
    bool AcceptsTypedChar(QChar c) const { return AcceptsTypedText(QString(c)); }
    // The display form of Value.
    virtual QString FormatDisplayText() const { return m_model.formatDisplayText(); }
    // Hands the field's beep setting to its calculator.
    virtual void SyncPopupBeep();

    // Opens the calculator only when the field has (or can keep) the focus.
    void OpenPopup(bool disableEdit = true) override;

    // Empties the text, so Value becomes 0.
    void ClearValue();
    // Throws away what was typed since Value was last read or written.
    void RevertEdit();

    // What the field paints when it does not show the edit control's text:
    // the calculator's display while it is open, else the display form.
    QString PaintedText() const;
    // Where that text starts, in widget coordinates.
    QPoint PaintedTextOrigin() const;

Q_SIGNALS:
    // The field was left with a valid text.
    void OnExit();

protected:
    QImage DefaultGlyphBitmap() const override;
    QString PopupValueText(const QVariant &value) const override;
    bool MayTakePopupValue(const QVariant &value) override;
    void PasteFromClipboard() override;
    void Change() override;

    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

    // NumValueHost
    QString editText() const override { return QLineEdit::text(); }
    void setEditText(const QString &text) override;
    void repaintField() override { update(); }

private:
    void SetEditingState(bool editing);
    void RegroupWhileEditing();
    void LeaveField(Qt::FocusReason reason);
    void TakeFocusBack();
    // Runs a change of the text that bypasses the typed-key checks (a paste)
    // and puts the old text back, with a beep, when the result is no number.
    void CheckedPaste(const std::function<void()> &paste);
    void Refuse();
    // Where the edit control's own text line starts, in widget coordinates.
    QPoint EditTextOrigin() const;
    int LeftTextMargin() const;
    int TopTextMargin() const;

    NumValueModel m_model;
    TAlignment m_alignment = taRightJustify;
    bool m_editing = false;
    bool m_beepOnError = true;
    bool m_checkOnExit = false;
    bool m_formatOnEditing = false;
    bool m_formatting = false; // the widget is rewriting its own text
    bool m_exitErrorShown = false;
};
