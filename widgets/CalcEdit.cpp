#include "CalcEdit.h"

TCalcEdit::TCalcEdit(QWidget *parent) : TCustomCalcEdit(parent) {}
