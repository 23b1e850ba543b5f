#include "CurrentPage.h"

#include "NecBackground.h"
#include "NecProgress.h"
#include "WireImages.h"
#include "labelled/LabelledStyle.h"
#include "nec/NecCrossCheck.h"

#include <QBoxLayout>
#include <QCheckBox>

#include <cmath>
#include <memory>
#include <utility>

TCurrentPage::TCurrentPage(const WireModel &model, PictureUnit unit, QWidget *parent)
    : QWidget(parent), m_model(model), m_unit(std::move(unit))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_image = new TFittedImage(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    layout->addWidget(m_image, 1);
    m_nec = new TNecBackground(this);
    auto *bar = new QHBoxLayout;
    m_necBox = new QCheckBox(tr("NEC-2"), this);
    m_necBox->setObjectName(QStringLiteral("NecCurrentBox"));
    m_necBox->setToolTip(tr("Ток по NEC-2 (программа nec2c) рядом с теорией"));
    bar->addWidget(m_necBox);
    m_necProgress = new TNecProgress(*m_nec, this);
    bar->addWidget(m_necProgress, 1);
    layout->addLayout(bar);
    connect(m_necBox, &QCheckBox::toggled, this, &TCurrentPage::ShowModel);
    // Whatever ends the run, the next build may start another; a wire that
    // failed is not tried again until it changes (or the box is checked anew).
    connect(m_nec, &TNecBackground::Failed, this, [this] {
        m_failed = m_running;
        m_running.reset();
    });
    connect(m_nec, &TNecBackground::Cancelled, this, [this] { m_running.reset(); });
}

TCurrentPage::~TCurrentPage() = default;

TCurrentPage::Wire TCurrentPage::ModelWire() const
{
    return {std::fabs(m_model.length()), m_model.radius()};
}

void TCurrentPage::ShowModel()
{
    const Wire wire = ModelWire();
    if (m_solved && !(m_solved->wire == wire))
        m_solved.reset();
    const bool wanted = m_necBox->isChecked();
    if (m_running && (!wanted || !(*m_running == wire)))
        m_nec->Cancel();
    if (!wanted) {
        m_necProgress->SetStatus(QString());
        m_failed.reset();
    }
    const WireState state = m_model.state();
    const bool solvable = state == WireState::Impedance || state == WireState::CurrentNode;
    if (wanted && !m_solved && !m_running && solvable && !(m_failed && *m_failed == wire))
        StartNec();
    Paint();
}

void TCurrentPage::StartNec()
{
    const Wire wire = ModelWire();
    const QString program = m_necProgram.value_or(FindNec2c());
    m_nec->Start([this, wire, program](const std::atomic<bool> &cancel,
                                       const TNecBackground::Progress &) -> TNecBackground::Apply {
        NecSolution solution = RunNecCrossCheck(wire.length, wire.radius, kNecTimeout, program, &cancel);
        return [this, wire, solution = std::move(solution)] {
            m_running.reset();
            m_solved = Solved{wire, solution};
            Paint();
        };
    });
    m_running = wire;
    m_failed.reset();
    m_necProgress->Began(0);
}

void TCurrentPage::Paint()
{
    m_shown.reset();
    if (m_solved && m_necBox->isChecked()) {
        m_shown = m_solved->solution;
        m_necProgress->SetStatus(tr("NEC-2 рассчитан, сегментов: %1").arg(m_shown->segments));
    }
    if (m_model.state() == WireState::OutOfRange) {
        m_image->SetPainting([](QPainter &, const QRectF &) {});
        return;
    }
    const auto picture = std::make_shared<const CurrentPicture>(WireCurrentPicture(m_model, m_shown));
    m_image->SetPainting([this, picture](QPainter &painter, const QRectF &area) {
        const ScopedLabelledUnit unit(m_unit());
        PaintCurrentPicture(painter, area, *picture);
    });
}
