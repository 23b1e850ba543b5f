#pragma once
// TFormImpedance: the companion window "Ток и сопротивление" of the main
// window's last built length. Its upper part shows two pictures, the current
// along the wire and R and X against the length; below them the wire's
// radius and the feed line's resistance, each in a numeric field with its
// calculator, and the figures at the built length: the input impedance, the
// standing-wave ratio on the line and the feed's current against the wire's
// largest. The state lives in a WireModel; the window reads the fields into
// it (on Enter or on leaving a field), refuses what the model refuses with a
// message and the old value back in the field, and shows what it yields.
#include "wirewindow/WireModel.h"

#include <QWidget>

class QLabel;
class TCalcEdit;
class TImage;

class TFormImpedance : public QWidget
{
    Q_OBJECT
public:
    explicit TFormImpedance(QWidget *parent = nullptr);
    ~TFormImpedance() override;

    const WireModel &Model() const { return m_model; }

    TImage *Image1() const { return m_image1; } // the current
    TImage *Image2() const { return m_image2; } // R and X
    TCalcEdit *RadiusField() const { return m_calcEdit1; }
    TCalcEdit *ReferenceField() const { return m_calcEdit2; }
    // The figures as shown: the impedance, the SWR, the feed's current.
    QString ImpedanceFigure() const;
    QString StandingWaveRatioFigure() const;
    QString FeedCurrentFigure() const;
    // Where the model is not the wire, a note beneath the figures; else empty.
    QString ModelLimitFigure() const;

public Q_SLOTS:
    // Shows the length the main window built.
    void SetLength(double M);
    // Take the field's text as the radius and as the line's resistance.
    void CalcEdit1Exit();
    void CalcEdit2Exit();

private:
    void CreateControls();
    QLabel *AddLabel(const QString &text, int x, int y);
    TCalcEdit *AddField(long double value, int x, int y);
    // The field's text as a number; a text that is none is shown in the
    // error box, as the field itself shows it when it is left.
    void TakeRadius();
    void TakeReferenceResistance();
    void ShowModel();

    WireModel m_model;
    TImage *m_image1 = nullptr;
    TImage *m_image2 = nullptr;
    TCalcEdit *m_calcEdit1 = nullptr;
    TCalcEdit *m_calcEdit2 = nullptr;
    QLabel *m_lengthValue = nullptr;
    QLabel *m_impedanceValue = nullptr;
    QLabel *m_swrCaption = nullptr;
    QLabel *m_swrValue = nullptr;
    QLabel *m_currentValue = nullptr;
    QLabel *m_limitNote = nullptr;
};
