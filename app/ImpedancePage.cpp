#include "ImpedancePage.h"

#include "NecBackground.h"
#include "NecProgress.h"
#include "WindowLanguage.h"
#include "WireImages.h"
#include "labelled/LabelledStyle.h"
#include "nec/NecCrossCheck.h"
#include "nec/NecSweep.h"
#include "wirewindow/WireFigures.h"

#include <QBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRubberBand>
#include <QSplitter>
#include <QThread>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

// A drag shorter than this (pixels) is a click, not a span.
constexpr double kLeastDrag = 4.0;
// The narrowest span of lengths the chart zooms to.
constexpr double kLeastSpan = 0.02;
// One notch of the wheel narrows the span to this share (or widens it by its inverse).
constexpr double kWheelZoom = 0.8;
constexpr int kWheelNotch = 120;

} // namespace

TImpedancePage::TImpedancePage(const WireModel &model, PictureUnit unit, QWidget *parent)
    : QWidget(parent), m_model(model), m_unit(std::move(unit))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *bar = new QHBoxLayout;
    m_fullRange = new QPushButton(tr("Весь диапазон"), this);
    m_fullRange->setObjectName(QStringLiteral("FullRangeButton"));
    bar->addWidget(m_fullRange);
    auto *hint = new QLabel(tr("Увеличить: протянуть мышью вдоль графика или покрутить колесо"), this);
    hint->setObjectName(QStringLiteral("ZoomHint"));
    bar->addWidget(hint);
    // One row of controls leaves the charts the height a small window has.
    m_nec = new TNecBackground(this);
    m_necButton = new QPushButton(tr("Рассчитать NEC-2"), this);
    m_necButton->setObjectName(QStringLiteral("NecButton"));
    m_necButton->setToolTip(tr("R и X по NEC-2 (программа nec2c) в показанном диапазоне длин"));
    bar->addWidget(m_necButton);
    m_necProgress = new TNecProgress(*m_nec, this);
    bar->addWidget(m_necProgress, 1);
    layout->addLayout(bar);
    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(QStringLiteral("ImpedanceSplitter"));
    splitter->setChildrenCollapsible(false);
    m_impedanceImage = new TFittedImage(splitter);
    m_impedanceImage->setObjectName(QStringLiteral("Image2"));
    m_impedanceImage->setMinimumHeight(160);
    m_lineSwrImage = new TFittedImage(splitter);
    m_lineSwrImage->setObjectName(QStringLiteral("LineSwrImage"));
    m_lineSwrImage->setMinimumHeight(120);
    splitter->addWidget(m_impedanceImage);
    splitter->addWidget(m_lineSwrImage);
    // Both charts need their title block and axes: even shares.
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);
    m_span = new QRubberBand(QRubberBand::Rectangle, m_impedanceImage);
    m_impedanceImage->installEventFilter(this);
    connect(m_fullRange, &QPushButton::clicked, this, &TImpedancePage::ShowFullRange);
    connect(m_necButton, &QPushButton::clicked, this, &TImpedancePage::StartNec);
    const auto ended = [this] { m_necButton->setEnabled(true); };
    connect(m_nec, &TNecBackground::Finished, this, ended);
    connect(m_nec, &TNecBackground::Failed, this, ended);
    connect(m_nec, &TNecBackground::Cancelled, this, ended);
}

TImpedancePage::~TImpedancePage() = default;

std::pair<double, double> TImpedancePage::Range() const
{
    if (const std::optional<ImpedanceChartPlace> place = ChartPlace())
        return {place->from, place->to};
    return {0.0, 0.0};
}

std::optional<ImpedanceChartPlace> TImpedancePage::ChartPlace() const
{
    if (!m_picture)
        return std::nullopt;
    // The chart as the picture was laid out: at its size, with its unit.
    const ScopedLabelledUnit unit(m_unit());
    return LayOutImpedanceChart(QRectF(QPointF(0, 0), QSizeF(m_impedanceImage->size())), *m_picture);
}

std::optional<double> TImpedancePage::LengthAt(double x) const
{
    const std::optional<ImpedanceChartPlace> place = ChartPlace();
    if (!place || place->plot.width() <= 0.0)
        return std::nullopt;
    const double share = std::clamp((x - place->plot.left()) / place->plot.width(), 0.0, 1.0);
    return place->from + share * (place->to - place->from);
}

void TImpedancePage::ShowModel()
{
    ShowImpedance();
    m_lineSwr.reset();
    const std::optional<Impedance> input = m_model.inputImpedance();
    if (m_model.state() == WireState::Impedance && input && input->resistance > 0.0) {
        LineSwrPicture picture;
        picture.length = m_model.length();
        picture.radius = m_model.radius();
        picture.input = *input;
        picture.language = CurrentWindowLanguage();
        m_lineSwr = picture;
    }
    const std::optional<LineSwrPicture> shown = m_lineSwr;
    m_lineSwrImage->SetPainting([this, shown](QPainter &painter, const QRectF &area) {
        if (!shown)
            return;
        const ScopedLabelledUnit unit(m_unit());
        PaintLineSwrPicture(painter, area, *shown);
    });
}

void TImpedancePage::ShowImpedance()
{
    DropStaleNec();
    ImpedancePicture shown =
        m_zoom ? WireImpedancePicture(m_model, m_zoom->first, m_zoom->second) : WireImpedancePicture(m_model);
    if (m_necCurve)
        shown = WithNecSamples(std::move(shown), m_necCurve->samples);
    const auto picture = std::make_shared<const ImpedancePicture>(std::move(shown));
    m_picture = picture;
    m_impedanceImage->SetPainting([this, picture](QPainter &painter, const QRectF &area) {
        const ScopedLabelledUnit unit(m_unit());
        PaintImpedancePicture(painter, area, *picture);
    });
}

void TImpedancePage::DropStaleNec()
{
    const double radius = m_model.radius();
    if (m_necCurve && m_necCurve->radius != radius) {
        m_necCurve.reset();
        m_necProgress->SetStatus(QString());
    }
    if (m_nec->IsRunning() && m_necRunRadius != radius)
        m_nec->Cancel();
}

void TImpedancePage::StartNec()
{
    const auto [from, to] = m_zoom.value_or(std::pair(kCurveFirstLength, kCurveLastLength));
    const double radius = m_model.radius();
    const std::vector<double> lengths = NecChartLengths(from, to, radius);
    if (lengths.size() < 2) {
        m_necProgress->SetStatus(tr("NEC-2 не рассчитан: провод этого радиуса слишком толст для этих длин"));
        return;
    }
    const QString program = m_necProgram.value_or(FindNec2c());
    m_necRunRadius = radius;
    m_nec->Start([this, lengths, radius, program](const std::atomic<bool> &cancel,
                                                  const TNecBackground::Progress &progress) -> TNecBackground::Apply {
        const auto solve = [&](double M) {
            return RunNecImpedance(MakeNecModel(M, radius), kNecTimeout, program, &cancel);
        };
        std::vector<SampledImpedance> samples = SampledImpedanceCurve(
            lengths, SolveEachLength(lengths, std::max(1, QThread::idealThreadCount()), solve, progress, &cancel),
            std::nullopt);
        // On the window's thread, once the run is known to be still wanted.
        return [this, radius, samples = std::move(samples)] {
            m_necCurve = NecCurve{radius, samples};
            m_necProgress->SetStatus(
                tr("NEC-2 рассчитан: от %1 до %2 λ, длин: %3")
                    .arg(WireNumberText(samples.front().length), WireNumberText(samples.back().length))
                    .arg(samples.size()));
            ShowImpedance();
        };
    });
    m_necButton->setEnabled(false);
    m_necProgress->Began(int(lengths.size()));
}

void TImpedancePage::ShowFullRange()
{
    m_zoom.reset();
    ShowImpedance();
}

void TImpedancePage::ZoomTo(double from, double to)
{
    from = std::max(from, kCurveFirstLength);
    to = std::min(to, kCurveLastLength);
    if (to - from < kLeastSpan) {
        const double middle =
            std::clamp(0.5 * (from + to), kCurveFirstLength + 0.5 * kLeastSpan, kCurveLastLength - 0.5 * kLeastSpan);
        from = middle - 0.5 * kLeastSpan;
        to = middle + 0.5 * kLeastSpan;
    }
    if (from <= kCurveFirstLength && to >= kCurveLastLength) {
        ShowFullRange();
        return;
    }
    m_zoom = std::pair(from, to);
    ShowImpedance();
}

void TImpedancePage::ZoomByWheel(double x, int delta)
{
    const std::optional<double> at = LengthAt(x);
    if (!at || delta == 0)
        return;
    const auto [from, to] = Range();
    const double share = std::pow(kWheelZoom, double(delta) / kWheelNotch);
    ZoomTo(*at - (*at - from) * share, *at + (to - *at) * share);
}

bool TImpedancePage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_impedanceImage)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && ChartPlace()) {
            m_dragFrom = mouse->position().x();
            m_span->hide();
        }
        break;
    }
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_dragFrom && (mouse->buttons() & Qt::LeftButton)) {
            const QRectF plot = ChartPlace()->plot;
            const double x = std::clamp(mouse->position().x(), plot.left(), plot.right());
            const double from = std::clamp(*m_dragFrom, plot.left(), plot.right());
            m_span->setGeometry(
                QRectF(QPointF(std::min(from, x), plot.top()), QPointF(std::max(from, x), plot.bottom()))
                    .toAlignedRect());
            m_span->show();
        }
        break;
    }
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && m_dragFrom) {
            const double x1 = *m_dragFrom;
            const double x2 = mouse->position().x();
            m_dragFrom.reset();
            m_span->hide();
            if (std::fabs(x2 - x1) >= kLeastDrag)
                ZoomTo(*LengthAt(std::min(x1, x2)), *LengthAt(std::max(x1, x2)));
        }
        break;
    }
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            m_dragFrom.reset();
            ShowFullRange();
            return true;
        }
        break;
    case QEvent::Wheel: {
        const auto *wheel = static_cast<QWheelEvent *>(event);
        ZoomByWheel(wheel->position().x(), wheel->angleDelta().y());
        return true;
    }
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}
