#include "CalcEdit.h"

#include "PopupCalculator.h"

TCustomCalcEdit::TCustomCalcEdit(QWidget *parent) : TCustomNumEdit(parent)
{
    SetCreating(true);
    auto *popup = new TPopupCalculator(this);
    popup->setLayoutDirection(layoutDirection());
    SetPopup(popup);
    SetCreating(false);
    SyncPopupBeep();
}

TCustomCalcEdit::~TCustomCalcEdit()
{
    TPopupWindow *popup = Popup();
    SetPopup(nullptr);
    delete popup;
}

TPopupCalculator *TCustomCalcEdit::Calculator() const
{
    return qobject_cast<TPopupCalculator *>(Popup());
}

TCalcEdit::TCalcEdit(QWidget *parent) : TCustomCalcEdit(parent) {}
