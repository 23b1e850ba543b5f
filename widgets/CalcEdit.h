#pragma once
// TCalcEdit: the numeric field with its drop-down calculator as the main
// window uses it. It adds no behaviour to TCustomCalcEdit; it keeps the
// AutoSize property that the form sets and that has no effect here.
#include "NumEdit.h"

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
