#pragma once
// TLobeTable: every lobe of the built length's pattern from θ = 0° to 90°
// in a compact read-only table beneath the laboratory's readouts, as
// dipole-render --lobes lists them: the lobe's direction θ, its level
// against the maximum in dB, its half-power width, and a note on the lobe
// of the maximum and on a rival within 1 dB of it (whose row is tinted), in
// the user's number format.
#include <QStringList>
#include <QTableWidget>

struct Lobe;

// A lobe's cells: "42,56°", "−0,00 дБ" as "0,00 дБ", "32,81°", the note.
QStringList LobeRowTexts(const Lobe &lobe);

class TLobeTable : public QTableWidget
{
    Q_OBJECT
public:
    explicit TLobeTable(QWidget *parent = nullptr);

    // The lobes of length M; none for a length without a pattern.
    void ShowLobes(double M);
};
