#pragma once
// TFrequencyPage: the laboratory's tab "Частота", a real wire in metres
// driven over a band of frequencies. Above, the frequency, the wire's length
// and diameter and the band, each a numeric field with its calculator and a
// unit chosen beside it, with the length and radius in wavelengths that they
// give; beside them the first resonance and the band within the SWR limit,
// and a measurement's beside the model's. Beneath, the sweep's pictures,
// each on a page of its own and drawn for its size: R and X, and the SWR
// with the return loss, against frequency, and the Smith chart normalised to
// the feed line's resistance (the window's field).
//
// The state lives in a FrequencyModel; a field is read into it on Enter, on
// leaving the field or on a new unit, and what the model refuses is told
// through the message seam with the old value put back. "Открыть
// измерение…" opens a Touchstone one-port (drawn as points beside the
// model) or a measured pattern (which the window draws on its pattern
// pictures, told by MeasurementChanged).
#include "FittedImage.h"
#include "wirewindow/FrequencyModel.h"

#include <QWidget>

#include <array>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class TCalcEdit;

class TFrequencyPage : public QWidget
{
    Q_OBJECT
public:
    // The pictures' unit, as the window gives its pictures.
    using PictureUnit = std::function<double()>;
    // Asks for the file to open; empty for none.
    using OpenDialog = std::function<QString(QWidget *parent)>;

    TFrequencyPage(PictureUnit unit, QWidget *parent = nullptr);
    ~TFrequencyPage() override;

    const FrequencyModel &Model() const { return m_model; }
    TCalcEdit *Field(FrequencyField field) const;
    QComboBox *UnitBox(FrequencyField field) const;
    TFittedImage *ImpedanceImage() const { return m_impedanceImage; }
    TFittedImage *SwrImage() const { return m_swrImage; }
    TFittedImage *SmithImage() const { return m_smithImage; }
    // The three pictures' pages.
    QTabWidget *Pictures() const { return m_pictures; }
    QPushButton *OpenButton() const { return m_open; }
    QPushButton *ClearButton() const { return m_clear; }
    // The figures as shown: M and A, the model's, the measurement's.
    QString WavelengthsFigure() const;
    QString ModelFigure() const;
    QString MeasuredFigure() const;

    void SetOpenDialog(OpenDialog dialog) { m_openDialog = std::move(dialog); }

public Q_SLOTS:
    // The feed line's resistance the sweep is measured against.
    void SetReferenceResistance(double resistance);
    // Opens the file as a measurement; a file that cannot be read is told
    // with its line and reason, and nothing shown changes.
    void OpenMeasurement(const QString &fileName);
    void ChooseMeasurement();
    void ClearMeasurement();

Q_SIGNALS:
    // A measurement was opened or cleared.
    void MeasurementChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct FieldRow
    {
        FrequencyField field;
        TCalcEdit *edit = nullptr;
        QComboBox *unit = nullptr;
        const std::vector<FieldUnit> *units = nullptr;
    };
    QWidget *CreateFields();
    TCalcEdit *AddField(FrequencyField field);
    QComboBox *AddUnitBox(const std::vector<FieldUnit> &units, int current);
    const FieldRow &Row(FrequencyField field) const;
    double UnitScale(const FieldRow &row) const;
    // Reads the field's number in its unit into the model.
    void Take(FrequencyField field);
    // Reads every field that shows the unit box's unit.
    void TakeUnit(QComboBox *box);
    void ShowFields();
    void Show();

    FrequencyModel m_model;
    PictureUnit m_unit;
    OpenDialog m_openDialog;
    std::array<FieldRow, 5> m_rows{};
    // The unit each box showed when last taken, to go back to on a refusal.
    std::vector<std::pair<QComboBox *, int>> m_takenUnits;
    QLabel *m_lengthWaves = nullptr;
    QLabel *m_radiusWaves = nullptr;
    QLabel *m_wavelength = nullptr;
    QLabel *m_modelFigures = nullptr;
    QLabel *m_measuredFigures = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_clear = nullptr;
    QTabWidget *m_pictures = nullptr;
    TFittedImage *m_impedanceImage = nullptr;
    TFittedImage *m_swrImage = nullptr;
    TFittedImage *m_smithImage = nullptr;
};
