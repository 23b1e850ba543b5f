#pragma once
// The numeric field with its drop-down calculator. TCustomCalcEdit creates
// the calculator and hands it to the frame; TCalcEdit is the field as the
// main window uses it: it adds no behaviour, only the AutoSize property that
// the form sets and that has no effect here.
#include "NumEdit.h"

class TPopupCalculator;

class TCustomCalcEdit : public TCustomNumEdit
{
    Q_OBJECT
public:
    explicit TCustomCalcEdit(QWidget *parent = nullptr);
    ~TCustomCalcEdit() override;

    TPopupCalculator *Calculator() const;
};

class TCalcEdit : public TCustomCalcEdit
{
    Q_OBJECT
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
public:
    explicit TCalcEdit(QWidget *parent = nullptr);

    // The field's height is set by the form; no automatic sizing applies.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool autoSize) { m_autoSize = autoSize; }

private:
    bool m_autoSize = false;
};
