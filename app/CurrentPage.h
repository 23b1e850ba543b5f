#pragma once
// TCurrentPage: the laboratory's "Ток" tab, the current along the built wire
// by the theory, and with the box "NEC-2" checked NEC-2's current beside it
// for the built length and the wire's radius. NEC-2's run goes in the
// background, its progress and a "Отмена" button beneath the picture; each
// build and each new radius drops NEC-2's current of the old wire and, with
// the box checked, solves the new one.
#include "FittedImage.h"
#include "physics/NecOutput.h"
#include "wirewindow/WireModel.h"

#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class TNecBackground;
class TNecProgress;

class TCurrentPage : public QWidget
{
    Q_OBJECT
public:
    using PictureUnit = std::function<double()>;
    TCurrentPage(const WireModel &model, PictureUnit unit, QWidget *parent = nullptr);
    ~TCurrentPage() override;

    TFittedImage *Image() const { return m_image; }
    QCheckBox *NecBox() const { return m_necBox; }
    TNecProgress *NecProgress() const { return m_necProgress; }
    TNecBackground &NecRuns() const { return *m_nec; }
    // NEC-2's solution drawn now; none while it is not shown.
    const std::optional<NecSolution> &NecShown() const { return m_shown; }
    void SetNecProgram(const QString &program) { m_necProgram = program; }

public Q_SLOTS:
    // Draws the current of the model, NEC-2's too where it is of this wire.
    void ShowModel();

private:
    // The wire NEC-2 is asked about: the built length and the radius.
    struct Wire
    {
        double length = 0.0;
        double radius = 0.0;
        bool operator==(const Wire &other) const { return length == other.length && radius == other.radius; }
    };
    Wire ModelWire() const;
    void StartNec();
    void Paint();

    const WireModel &m_model;
    PictureUnit m_unit;
    TFittedImage *m_image = nullptr;
    QCheckBox *m_necBox = nullptr;
    TNecProgress *m_necProgress = nullptr;
    TNecBackground *m_nec = nullptr;
    std::optional<QString> m_necProgram;
    std::optional<Wire> m_running; // the wire of the run under way
    std::optional<Wire> m_failed;  // the wire whose run failed last
    struct Solved
    {
        Wire wire;
        NecSolution solution;
    };
    std::optional<Solved> m_solved;
    std::optional<NecSolution> m_shown;
};
