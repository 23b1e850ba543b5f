#pragma once
// TImpedancePage: the laboratory's "Сопротивление" tab. Above, R and X
// against the length for the wire's radius, over the whole range of lengths
// or a part of it: a drag across the chart with the left button (the span
// shown as it is dragged) zooms to the lengths it spans, the wheel zooms in
// or out about the length under the pointer, and a double click or the
// "Весь диапазон" button goes back to the whole range. Beneath, across a
// splitter, the standing-wave ratio of the built length's impedance against
// the feed line's resistance, the best line marked. Both are drawn again
// whenever the model is shown; the zoom is kept.
//
// "Рассчитать NEC-2" solves the wire with NEC-2 at kNecChartSteps steps
// across the lengths shown, in the background with a progress bar and a
// "Отмена" button; once done, NEC-2's R and X are drawn dashed over the
// theory's, at every zoom within the span computed. The curve belongs to
// its radius: a new radius drops it (and cancels its run); a new build only
// moves the length marked, so the curve stays.
#include "FittedImage.h"
#include "labelled/LineSwrPicture.h"
#include "labelled/WirePictures.h"
#include "wirewindow/WireModel.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QPushButton;
class QRubberBand;
class TNecBackground;
class TNecProgress;

class TImpedancePage : public QWidget
{
    Q_OBJECT
public:
    // The pictures' unit, as the window gives its pictures.
    using PictureUnit = std::function<double()>;
    TImpedancePage(const WireModel &model, PictureUnit unit, QWidget *parent = nullptr);
    ~TImpedancePage() override;

    TFittedImage *ImpedanceImage() const { return m_impedanceImage; }
    TFittedImage *LineSwrImage() const { return m_lineSwrImage; }
    QPushButton *FullRangeButton() const { return m_fullRange; }
    // The lengths the impedance chart spans now: its axis's ends.
    std::pair<double, double> Range() const;
    // The length under x on the impedance chart as drawn, kept within its
    // plot; none before it is drawn.
    std::optional<double> LengthAt(double x) const;
    // The line-SWR picture as drawn now; none where the impedance is not finite.
    const std::optional<LineSwrPicture> &LineSwr() const { return m_lineSwr; }
    // The impedance chart as drawn now.
    const ImpedancePicture *Picture() const { return m_picture.get(); }
    QPushButton *NecButton() const { return m_necButton; }
    TNecProgress *NecProgress() const { return m_necProgress; }
    TNecBackground &NecRuns() const { return *m_nec; }
    // The nec2c that runs: by default the one on the search path.
    void SetNecProgram(const QString &program) { m_necProgram = program; }

public Q_SLOTS:
    // Draws both pictures again from the model.
    void ShowModel();
    void ShowFullRange();
    // NEC-2's R and X over the lengths shown, in the background.
    void StartNec();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ZoomTo(double from, double to);
    void ZoomByWheel(double x, int delta);
    void ShowImpedance();
    std::optional<ImpedanceChartPlace> ChartPlace() const;
    void DropStaleNec();

    const WireModel &m_model;
    PictureUnit m_unit;
    TFittedImage *m_impedanceImage = nullptr;
    TFittedImage *m_lineSwrImage = nullptr;
    QPushButton *m_fullRange = nullptr;
    QRubberBand *m_span = nullptr;
    std::optional<double> m_dragFrom;                // x where the left button went down
    std::optional<std::pair<double, double>> m_zoom; // none: the whole range
    std::shared_ptr<const ImpedancePicture> m_picture;
    std::optional<LineSwrPicture> m_lineSwr;

    TNecBackground *m_nec = nullptr;
    QPushButton *m_necButton = nullptr;
    TNecProgress *m_necProgress = nullptr;
    std::optional<QString> m_necProgram;
    double m_necRunRadius = 0.0; // of the run under way
    struct NecCurve
    {
        double radius = 0.0;
        std::vector<SampledImpedance> samples;
    };
    std::optional<NecCurve> m_necCurve;
};
