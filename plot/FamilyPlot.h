#pragma once
// The pattern family drawn over both pictures: each usable row's polar curve,
// rectangular curve with its bracket, and a legend line "M=" + the row's
// length text on both pictures, one below the other. Shared by the window's
// family command and the command-line renderer.
#include "colors/Colors.h"

#include <QString>
#include <vector>

class PlotCanvas;

// Writes "M=" + text at (60, y) on both pictures in colour at 10 points;
// returns the position of the next legend line.
int DrawLegendLine(PlotCanvas &polar, PlotCanvas &rect, int y, TColor colour, const QString &text);

constexpr int kFirstLegendY = 10;

struct FamilyRow
{
    long double length;
    TColor colour;
    QString text; // the length as the row's field shows it
};

// Clears both pictures and draws the usable rows in order, the legends in
// the Arial face.
void DrawFamily(PlotCanvas &polar, PlotCanvas &rect, const std::vector<FamilyRow> &rows, bool fill);
