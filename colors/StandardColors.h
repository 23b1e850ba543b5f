#pragma once
// The sixteen named standard colours in the order of the colour list, each
// with its identifier ("clMaroon"). The name a user reads or types is the
// identifier without its "cl" ("Maroon").
#include "Colors.h"

#include <QString>

struct StandardColor
{
    TColor value;
    const char *ident;
};

inline constexpr StandardColor kStandardColors[] = {
    {clBlack, "clBlack"},   {clMaroon, "clMaroon"},   {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"},     {clPurple, "clPurple"},   {clTeal, "clTeal"},   {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"},         {clLime, "clLime"},   {clYellow, "clYellow"},
    {clBlue, "clBlue"},     {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"},   {clWhite, "clWhite"},
};

// The standard colour called name (without "cl", in any letter case); false
// when no standard colour has that name.
bool FindStandardColor(const QString &name, TColor &colour);
