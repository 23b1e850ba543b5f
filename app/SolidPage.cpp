#include "SolidPage.h"

#include "SolidImage.h"
#include "physics/DipoleRules.h"
#include "physics/GroundImage.h"
#include "widgets/CalcEdit.h"
#include "wirewindow/WireFigures.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include <memory>
#include <stdexcept>
#include <utility>

namespace {

// The dB scale's floors on offer, as the pattern's pictures offer them.
constexpr int kDecibelFloors[] = {20, 30, 40, 50, 60};
constexpr int kDefaultDecibelFloor = 40;

// The grid's steps on offer. At 2° (90 × 180 cells) a turn is drawn in a
// few milliseconds at the window's sizes, well within a frame at 30 frames
// a second; 1° takes about four times as long, 5° shows its facets.
constexpr int kGridSteps[] = {1, 2, 5};
constexpr int kDefaultGridStep = 2;

// The height a ground choice starts with, in wavelengths.
constexpr double kStartHeight = 0.5;

bool overGround(SolidPlace place)
{
    return place == SolidPlace::Horizontal || place == SolidPlace::Vertical;
}

GroundOrientation orientationOf(SolidPlace place)
{
    return place == SolidPlace::Vertical ? GroundOrientation::Vertical : GroundOrientation::Horizontal;
}

QString lengthText(double M)
{
    return QStringLiteral("%1 λ").arg(WireNumberText(M));
}

SolidMesh meshOf(const SolidRequest &request)
{
    switch (request.place) {
    case SolidPlace::FreeSpace: break;
    case SolidPlace::Horizontal:
    case SolidPlace::Vertical:
        return GroundSolid(request.length, request.height, orientationOf(request.place), request.options);
    case SolidPlace::Monopole: return MonopoleSolid(request.length, request.options);
    }
    return DipoleSolid(request.length, request.options);
}

// The reason CheckHeight refuses a height, in the order it checks.
QString heightRefusalText(double M, double radius, double h, GroundOrientation orientation)
{
    if (!IsComputableLength(M) || !WireRadiusFits(M, radius))
        return QCoreApplication::translate(
                   "TSolidPage", "Над землёй не строится: провод радиусом %1 не тоньше половины длины вибратора")
            .arg(lengthText(radius));
    const double lowest = LowestHeightAllowed(M, radius, orientation);
    if (!(h > lowest))
        return orientation == GroundOrientation::Vertical
                   ? QCoreApplication::translate(
                         "TSolidPage",
                         "Вибратор касается земли: высота центра должна быть больше половины его длины, %1")
                         .arg(lengthText(lowest))
                   : QCoreApplication::translate("TSolidPage",
                                                 "Провод касается земли: высота должна быть больше его радиуса, %1")
                         .arg(lengthText(lowest));
    return QCoreApplication::translate("TSolidPage", "Высота центра должна быть не больше %1")
        .arg(lengthText(kMaxGroundHeight));
}

} // namespace

bool SolidRequest::operator==(const SolidRequest &other) const
{
    const bool decibels = options.scale == SolidScale::Decibel;
    return length == other.length && options.stepDegrees == other.options.stepDegrees
           && options.scale == other.options.scale && (!decibels || options.decibelFloor == other.options.decibelFloor)
           && place == other.place && (!overGround(place) || height == other.height);
}

TSolidPage::TSolidPage(std::function<double()> radius, QWidget *parent) : QWidget(parent), m_radius(std::move(radius))
{
    CreateControls();
    connect(m_decibelBox, &QCheckBox::toggled, m_floorBox, &QWidget::setEnabled);
    connect(m_decibelBox, &QCheckBox::toggled, this, &TSolidPage::ShowSolid);
    for (QComboBox *box : {m_floorBox, m_stepBox, m_lengthBox, m_placeBox})
        connect(box, &QComboBox::currentIndexChanged, this, &TSolidPage::ShowSolid);
    connect(m_heightField, &TCustomNumEdit::OnExit, this, &TSolidPage::ShowSolid);
    connect(m_heightField, &QLineEdit::returnPressed, this, &TSolidPage::ShowSolid);
    connect(m_resetButton, &QPushButton::clicked, this, &TSolidPage::ResetView);
}

void TSolidPage::CreateControls()
{
    auto *layout = new QVBoxLayout(this);
    m_image = new TSolidImage(this);
    m_image->setObjectName(QStringLiteral("SolidImage"));
    layout->addWidget(m_image, 1);
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("SolidCaption"));
    m_caption->setAlignment(Qt::AlignHCenter);
    m_caption->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_caption);
    layout->addLayout(CreateScaleRow());
    layout->addLayout(CreateGroundRow());
}

QLayout *TSolidPage::CreateScaleRow()
{
    auto *row = new QHBoxLayout;
    m_decibelBox = new QCheckBox(tr("Шкала в децибелах"), this);
    m_decibelBox->setObjectName(QStringLiteral("SolidDecibelBox"));
    row->addWidget(m_decibelBox);
    m_floorBox = new QComboBox(this);
    m_floorBox->setObjectName(QStringLiteral("SolidFloorBox"));
    for (const int floor : kDecibelFloors)
        m_floorBox->addItem(tr("до −%1 дБ").arg(floor), floor);
    m_floorBox->setCurrentIndex(m_floorBox->findData(kDefaultDecibelFloor));
    m_floorBox->setEnabled(false);
    row->addWidget(m_floorBox);
    row->addSpacing(16);
    row->addWidget(new QLabel(tr("Шаг сетки:"), this));
    m_stepBox = new QComboBox(this);
    m_stepBox->setObjectName(QStringLiteral("SolidStepBox"));
    for (const int step : kGridSteps)
        m_stepBox->addItem(QStringLiteral("%1°").arg(step), step);
    m_stepBox->setCurrentIndex(m_stepBox->findData(kDefaultGridStep));
    row->addWidget(m_stepBox);
    row->addSpacing(16);
    // Shown after a family only.
    m_lengthBox = new QComboBox(this);
    m_lengthBox->setObjectName(QStringLiteral("SolidLengthBox"));
    m_lengthBox->setVisible(false);
    row->addWidget(m_lengthBox);
    row->addStretch(1);
    m_resetButton = new QPushButton(tr("Вид по умолчанию"), this);
    m_resetButton->setObjectName(QStringLiteral("SolidResetButton"));
    row->addWidget(m_resetButton);
    return row;
}

QLayout *TSolidPage::CreateGroundRow()
{
    auto *row = new QHBoxLayout;
    m_placeBox = new QComboBox(this);
    m_placeBox->setObjectName(QStringLiteral("SolidPlaceBox"));
    m_placeBox->addItem(tr("Свободное пространство"), int(SolidPlace::FreeSpace));
    m_placeBox->addItem(tr("Над идеальной землёй: горизонтальный"), int(SolidPlace::Horizontal));
    m_placeBox->addItem(tr("Над идеальной землёй: вертикальный"), int(SolidPlace::Vertical));
    m_placeBox->addItem(tr("Монополь"), int(SolidPlace::Monopole));
    row->addWidget(m_placeBox);
    row->addSpacing(16);
    row->addWidget(new QLabel(tr("Высота центра, λ:"), this));
    // A numeric field with its calculator, as the window's radius field.
    m_heightField = new TCalcEdit(this);
    m_heightField->setObjectName(QStringLiteral("SolidHeightField"));
    m_heightField->setFixedWidth(121);
    m_heightField->SetDecimalPlaces(8);
    m_heightField->SetDisplayFormat(QStringLiteral(",0.########"));
    m_heightField->SetValue(kStartHeight);
    m_heightField->setEnabled(false);
    row->addWidget(m_heightField);
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("SolidMessage"));
    m_message->setWordWrap(true);
    QPalette palette = m_message->palette();
    palette.setColor(QPalette::WindowText, QColor(0xb0, 0x30, 0x30));
    m_message->setPalette(palette);
    row->addWidget(m_message, 1);
    return row;
}

void TSolidPage::SetLength(double M)
{
    m_lengths = {M};
    const QSignalBlocker blocker(m_lengthBox);
    m_lengthBox->clear();
    m_lengthBox->setVisible(false);
    ShowSolid();
}

void TSolidPage::SetFamily(const std::vector<double> &lengths)
{
    if (lengths.empty())
        return;
    m_lengths = lengths;
    {
        const QSignalBlocker blocker(m_lengthBox);
        m_lengthBox->clear();
        for (const double M : lengths)
            m_lengthBox->addItem(QStringLiteral("M = %1").arg(lengthText(M)));
        m_lengthBox->setCurrentIndex(0);
    }
    m_lengthBox->setVisible(lengths.size() > 1);
    ShowSolid();
}

QString TSolidPage::Caption() const
{
    return m_caption->text();
}

QString TSolidPage::Message() const
{
    return m_message->text();
}

SolidRequest TSolidPage::Request() const
{
    SolidRequest request;
    const int index = std::max(0, m_lengthBox->currentIndex());
    request.length = std::size_t(index) < m_lengths.size() ? m_lengths[std::size_t(index)] : 0.0;
    request.options.stepDegrees = m_stepBox->currentData().toDouble();
    request.options.scale = m_decibelBox->isChecked() ? SolidScale::Decibel : SolidScale::Linear;
    request.options.decibelFloor = m_floorBox->currentData().toDouble();
    request.place = SolidPlace(m_placeBox->currentData().toInt());
    request.height = double(m_heightField->Value());
    return request;
}

QString TSolidPage::Refusal(const SolidRequest &request) const
{
    if (!overGround(request.place))
        return {};
    const GroundOrientation orientation = orientationOf(request.place);
    const double radius = m_radius();
    try {
        CheckHeight(request.length, radius, request.height, orientation);
    } catch (const std::domain_error &) {
        return heightRefusalText(request.length, radius, request.height, orientation);
    }
    return {};
}

QString TSolidPage::CaptionOf(const SolidRequest &request) const
{
    const QString scale = request.options.scale == SolidScale::Decibel
                              ? tr("шкала в дБ до −%1 дБ").arg(request.options.decibelFloor)
                              : tr("линейная шкала");
    QString place;
    switch (request.place) {
    case SolidPlace::FreeSpace: place = tr("в свободном пространстве"); break;
    case SolidPlace::Horizontal:
        place = tr("горизонтальный над идеальной землёй, h = %1").arg(lengthText(request.height));
        break;
    case SolidPlace::Vertical:
        place = tr("вертикальный над идеальной землёй, h = %1").arg(lengthText(request.height));
        break;
    case SolidPlace::Monopole:
        place = tr("монополь высотой %1 на идеальной земле").arg(lengthText(request.length / 2.0));
        break;
    }
    return QStringLiteral("M = %1 · %2 · %3").arg(lengthText(request.length), scale, place);
}

void TSolidPage::ShowSolid()
{
    const SolidRequest request = Request();
    m_heightField->setEnabled(overGround(request.place));
    // A refused height leaves the last picture and its line as they were.
    const QString refusal = Refusal(request);
    m_message->setText(refusal);
    if (!refusal.isEmpty() || (m_shown && *m_shown == request))
        return;
    std::shared_ptr<const SolidMesh> mesh;
    try {
        mesh = std::make_shared<const SolidMesh>(meshOf(request));
    } catch (const std::invalid_argument &) {
        // A length whose pattern is zero everywhere (a length of 0) has no
        // solid to show.
        m_message->setText(
            tr("Вибратор длиной %1 не излучает: объёмной диаграммы нет").arg(lengthText(request.length)));
    }
    m_image->SetMesh(mesh);
    m_shown = mesh ? std::optional(request) : std::nullopt;
    m_caption->setText(CaptionOf(request));
}

void TSolidPage::ResetView()
{
    m_image->SetTurn(SolidTurn{});
}
