#pragma once
// TFormImpedance: the laboratory window beside the main window, studying its
// last built length. It can be resized; its pictures are drawn for their
// size. Its tabs: "Диаграмма", the labelled polar and rectangular pattern
// side by side on a linear or a dB scale (20 to 60 dB deep), a line
// beneath them that reads θ and the pattern's level under the pointer, and
// the readouts and a table of the lobes beneath;
// or, after the main window draws a family, the family's, each curve
// against its own maximum or all of them in dBi on one scale;
// "Ток", the current along the wire (NEC-2's beside it on request,
// CurrentPage.h); "Сопротивление", R and X against the length (zoomed by a
// drag or the wheel, NEC-2's on request) and beneath it the SWR against the
// line's resistance; "Объём", the pattern as a solid turned with the mouse
// (SolidPage.h); "Частота", the wire in metres swept over a band of
// frequencies, and the measurements opened there (FrequencyPage.h), a
// measured pattern drawn on the pattern's pictures. A right click on any picture opens the pictures' menu: copy,
// save as, print. Beneath the tabs the wire's radius and the feed line's
// resistance, each in a numeric field with its calculator, and the figures
// at the built length: the input impedance, the standing-wave ratio on the
// line and the feed's current against the wire's largest. The state lives
// in a WireModel; the window reads the fields into it (on Enter or on
// leaving a field), refuses what the model refuses with a message and the
// old value back in the field, and shows what it yields.
#include "FittedImage.h"
#include "labelled/LabelledPatterns.h"
#include "wirewindow/WireModel.h"

#include <QWidget>

#include <memory>

class PictureMenu;
class TCurrentPage;
class TFrequencyPage;
class TImpedancePage;
class TLobeTable;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QTabWidget;
class TCalcEdit;
class TSolidPage;

class TFormImpedance : public QWidget
{
    Q_OBJECT
public:
    explicit TFormImpedance(QWidget *parent = nullptr);
    ~TFormImpedance() override;

    const WireModel &Model() const { return m_model; }

    TFittedImage *Image1() const { return m_image1; } // the current
    // The "Ток" tab: the current, with NEC-2's on request.
    TCurrentPage *CurrentPage() const { return m_currentPage; }
    TFittedImage *Image2() const; // R and X
    // The "Сопротивление" tab: R and X with its zoom, the SWR against the line.
    TImpedancePage *ImpedancePage() const { return m_impedancePage; }
    TFittedImage *PolarImage() const { return m_polarImage; }
    TFittedImage *RectangularImage() const { return m_rectangularImage; }
    QCheckBox *DecibelBox() const { return m_decibelBox; }
    // The dB scale's depth: 20 to 60 dB below the maximum.
    QComboBox *DecibelRangeBox() const { return m_rangeBox; }
    // A family's scale: each curve against its own maximum (0), or every
    // curve in dBi on one scale (1); of use only while a family is shown.
    QComboBox *FamilyScaleBox() const { return m_familyScaleBox; }
    // The pictures' unit: their smallest text at the window's font size,
    // never below 8 points.
    double PictureUnit() const;
    // The patterns the pattern's pictures show now.
    const LabelledPatterns *Patterns() const { return m_patterns.get(); }
    QTabWidget *Tabs() const { return m_tabs; }
    TSolidPage *SolidPage() const { return m_solidPage; }
    TFrequencyPage *FrequencyPage() const { return m_frequencyPage; }
    // Every lobe from 0° to 90° beneath the readouts.
    TLobeTable *LobeTable() const { return m_lobeTable; }
    // The pictures' right-click menu ("Копировать", "Сохранить как…", "Печать…").
    PictureMenu &PicturesMenu() const { return *m_pictureMenu; }
    TCalcEdit *RadiusField() const { return m_calcEdit1; }
    TCalcEdit *ReferenceField() const { return m_calcEdit2; }
    // The figures as shown: the impedance, the SWR, the feed's current.
    QString ImpedanceFigure() const;
    QString StandingWaveRatioFigure() const;
    QString FeedCurrentFigure() const;
    // Where the model is not the wire, a note beneath the figures; else empty.
    QString ModelLimitFigure() const;
    // The pattern's readouts beneath its pictures; empty where it has none.
    QString ReadoutsFigure() const;
    // What the pointer points at on the pattern's pictures; empty while it
    // is off their plots.
    QString PointerFigure() const;

public Q_SLOTS:
    // Shows the length the main window built.
    void SetLength(double M);
    // Shows the family the main window drew on the pattern's pictures (the
    // rest stays with the built length) until the next build.
    void SetFamily(const std::vector<LabelledCurve> &curves);
    // Take the field's text as the radius and as the line's resistance.
    void CalcEdit1Exit();
    void CalcEdit2Exit();

private:
    void CreateControls();
    QWidget *CreatePatternPage();
    QGridLayout *CreateFigures();
    QLabel *AddLabel(QGridLayout *grid, const QString &text, int row, int column);
    TCalcEdit *AddField(QGridLayout *grid, long double value, int row);
    void ShowPattern();
    // θ and the level under the pointer at pos of a pattern picture.
    void ShowPointer(const TFittedImage *image, LabelledPatterns::View view, std::optional<QPoint> pos);
    // The field's text as a number; a text that is none is shown in the
    // error box, as the field itself shows it when it is left.
    void TakeRadius();
    void TakeReferenceResistance();
    void ShowModel();

    WireModel m_model;
    QTabWidget *m_tabs = nullptr;
    TFittedImage *m_image1 = nullptr;
    TCurrentPage *m_currentPage = nullptr;
    TImpedancePage *m_impedancePage = nullptr;
    TSolidPage *m_solidPage = nullptr;
    TFrequencyPage *m_frequencyPage = nullptr;
    TFittedImage *m_polarImage = nullptr;
    TFittedImage *m_rectangularImage = nullptr;
    QCheckBox *m_decibelBox = nullptr;
    QComboBox *m_rangeBox = nullptr;
    QComboBox *m_familyScaleBox = nullptr;
    // The family shown instead of the built length; empty for none.
    std::vector<LabelledCurve> m_family;
    QLabel *m_readouts = nullptr;
    QLabel *m_pointerReadout = nullptr;
    TLobeTable *m_lobeTable = nullptr;
    // The pattern the pictures show.
    std::shared_ptr<const LabelledPatterns> m_patterns;
    TCalcEdit *m_calcEdit1 = nullptr;
    TCalcEdit *m_calcEdit2 = nullptr;
    QLabel *m_lengthValue = nullptr;
    QLabel *m_impedanceValue = nullptr;
    QLabel *m_swrCaption = nullptr;
    QLabel *m_swrValue = nullptr;
    QLabel *m_currentValue = nullptr;
    QLabel *m_limitNote = nullptr;
    std::unique_ptr<PictureMenu> m_pictureMenu;
};
