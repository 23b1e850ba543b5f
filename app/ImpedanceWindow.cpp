#include "ImpedanceWindow.h"

#include "CurrentPage.h"
#include "FittedImage.h"
#include "FormFont.h"
#include "FrequencyPage.h"
#include "ImpedancePage.h"
#include "LobeTable.h"
#include "PatternPointer.h"
#include "PictureMenu.h"
#include "SolidImage.h"
#include "SolidPage.h"
#include "WindowLanguage.h"
#include "WireImages.h"
#include "base/AppError.h"
#include "labelled/LabelledPatterns.h"
#include "labelled/LabelledStyle.h"
#include "numbers/NumberText.h"
#include "plot/PictureFile.h"
#include "readouts/ReadoutsText.h"
#include "widgets/CalcEdit.h"
#include "widgets/UserNotifier.h"
#include "wirewindow/FrequencyFigures.h"
#include "wirewindow/ModelLimitNote.h"
#include "wirewindow/WireFigures.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QTabWidget>

#include <algorithm>
#include <memory>

namespace {

// Small enough for a screen beside the main window, large enough that the
// pictures' texts stay readable.
constexpr QSize kMinimumSize(800, 600);
constexpr QSize kStartSize(980, 780);

// The dB scale's depths on offer, and the labelled pictures' own.
constexpr int kDecibelRanges[] = {20, 30, 40, 50, 60};
constexpr int kDefaultDecibelRange = 40;

// The readouts' lines run on in one wrapped paragraph beneath the pictures;
// a list's continuation (an indented line) stays with its list.
QString readoutsParagraph(const QStringList &lines)
{
    QStringList items;
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1Char(' ')) && !items.isEmpty())
            items.last() += QLatin1Char(' ') + line.trimmed();
        else
            items << line;
    }
    return items.join(QStringLiteral(" · "));
}

} // namespace

TFormImpedance::TFormImpedance(QWidget *parent)
    : QWidget(parent, Qt::Window), m_pictureMenu(std::make_unique<PictureMenu>(this))
{
    setObjectName(QStringLiteral("FormImpedance"));
    setFont(FormFont());
    setWindowTitle(tr("Лаборатория"));
    setMinimumSize(kMinimumSize);
    resize(kStartSize);
    // Left open, it does not keep the program running once the main window
    // is closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    CreateControls();

    connect(m_calcEdit1, &TCustomNumEdit::OnExit, this, &TFormImpedance::CalcEdit1Exit);
    connect(m_calcEdit1, &QLineEdit::returnPressed, this, &TFormImpedance::CalcEdit1Exit);
    connect(m_calcEdit2, &TCustomNumEdit::OnExit, this, &TFormImpedance::CalcEdit2Exit);
    connect(m_calcEdit2, &QLineEdit::returnPressed, this, &TFormImpedance::CalcEdit2Exit);
    connect(m_decibelBox, &QCheckBox::toggled, this, &TFormImpedance::ShowPattern);
    connect(m_rangeBox, &QComboBox::currentIndexChanged, this, &TFormImpedance::ShowPattern);
    connect(m_familyScaleBox, &QComboBox::currentIndexChanged, this, &TFormImpedance::ShowPattern);
    connect(m_frequencyPage, &TFrequencyPage::MeasurementChanged, this, &TFormImpedance::ShowPattern);
    m_polarImage->SetPointerWatcher(
        [this](std::optional<QPoint> pos) { ShowPointer(m_polarImage, LabelledPatterns::View::Polar, pos); });
    m_rectangularImage->SetPointerWatcher([this](std::optional<QPoint> pos) {
        ShowPointer(m_rectangularImage, LabelledPatterns::View::Rectangular, pos);
    });
    // Every picture offers the pictures' menu, under dipole-render's name
    // for its file.
    const std::pair<TFittedImage *, QString> named[] = {
        {m_polarImage, QLatin1String(kPolarPictureName)},
        {m_rectangularImage, QLatin1String(kRectPictureName)},
        {m_image1, QStringLiteral("current")},
        {Image2(), QStringLiteral("impedance")},
        {m_impedancePage->LineSwrImage(), QStringLiteral("line-swr")},
        {m_solidPage->Image(), QStringLiteral("solid")},
        {m_frequencyPage->ImpedanceImage(), QStringLiteral("impedance")},
        {m_frequencyPage->SwrImage(), QStringLiteral("swr")},
        {m_frequencyPage->SmithImage(), QStringLiteral("smith")}};
    for (const auto &entry : named) {
        TFittedImage *image = entry.first;
        const QString name = entry.second;
        image->SetMenuSource([this, image, name](QMenu &menu) {
            if (const std::optional<ShownPicture> picture = image->Shown(name))
                m_pictureMenu->addItems(menu, *picture);
        });
    }
    ShowModel();
}

TFormImpedance::~TFormImpedance() = default;

QLabel *TFormImpedance::AddLabel(QGridLayout *grid, const QString &text, int row, int column)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("Label%1").arg(findChildren<QLabel *>().size()));
    grid->addWidget(label, row, column);
    return label;
}

TCalcEdit *TFormImpedance::AddField(QGridLayout *grid, long double value, int row)
{
    auto *field = new TCalcEdit(this);
    field->setObjectName(QStringLiteral("CalcEdit%1").arg(findChildren<TCalcEdit *>().size()));
    field->setFixedWidth(121);
    field->SetDecimalPlaces(8);
    field->SetDisplayFormat(QStringLiteral(",0.########"));
    field->SetValue(value);
    grid->addWidget(field, row, 1);
    return field;
}

QWidget *TFormImpedance::CreatePatternPage()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    auto *pictures = new QHBoxLayout;
    m_polarImage = new TFittedImage(page);
    m_polarImage->setObjectName(QStringLiteral("PolarImage"));
    m_rectangularImage = new TFittedImage(page);
    m_rectangularImage->setObjectName(QStringLiteral("RectangularImage"));
    // The polar picture is square, the rectangular one wider.
    pictures->addWidget(m_polarImage, 2);
    pictures->addWidget(m_rectangularImage, 3);
    layout->addLayout(pictures, 1);
    // A line of its own, as high as its tallest text (its Greek letter and
    // the infinity may come from other faces than the rest) and kept when
    // empty, so that the pictures do not move as the pointer enters and
    // leaves them.
    m_pointerReadout = new QLabel(PatternPointText({180.0, 0.0}), page);
    m_pointerReadout->setObjectName(QStringLiteral("PointerReadout"));
    m_pointerReadout->setFixedHeight(m_pointerReadout->sizeHint().height());
    m_pointerReadout->clear();
    layout->addWidget(m_pointerReadout);
    m_decibelBox = new QCheckBox(tr("Шкала в децибелах"), page);
    m_decibelBox->setObjectName(QStringLiteral("DecibelBox"));
    // How far below the maximum the dB scale reaches, for both pictures;
    // of no use on the linear scale.
    m_rangeBox = new QComboBox(page);
    m_rangeBox->setObjectName(QStringLiteral("DecibelRangeBox"));
    for (const int range : kDecibelRanges)
        m_rangeBox->addItem(tr("до −%1 дБ").arg(range), range);
    m_rangeBox->setCurrentIndex(m_rangeBox->findData(kDefaultDecibelRange));
    m_rangeBox->setEnabled(false);
    // A family's curves against their own maxima, or compared in dBi.
    m_familyScaleBox = new QComboBox(page);
    m_familyScaleBox->setObjectName(QStringLiteral("FamilyScaleBox"));
    m_familyScaleBox->addItems({tr("каждая к своему максимуму"), tr("общая шкала, дБи")});
    m_familyScaleBox->setEnabled(false);
    auto *scale = new QHBoxLayout;
    scale->addWidget(m_decibelBox);
    scale->addWidget(m_rangeBox);
    scale->addSpacing(16);
    scale->addWidget(new QLabel(tr("Масштаб:"), page));
    scale->addWidget(m_familyScaleBox);
    scale->addStretch(1);
    layout->addLayout(scale);
    m_readouts = new QLabel(page);
    m_readouts->setObjectName(QStringLiteral("Readouts"));
    m_readouts->setWordWrap(true);
    m_readouts->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_readouts);
    m_lobeTable = new TLobeTable(page);
    layout->addWidget(m_lobeTable);
    return page;
}

QGridLayout *TFormImpedance::CreateFigures()
{
    auto *grid = new QGridLayout;
    AddLabel(grid, tr("Радиус провода, λ:"), 0, 0);
    m_calcEdit1 = AddField(grid, m_model.radius(), 0);
    AddLabel(grid, tr("Волновое сопротивление линии, Ом:"), 1, 0);
    m_calcEdit2 = AddField(grid, m_model.referenceResistance(), 1);
    AddLabel(grid, tr("Длина вибратора:"), 0, 3);
    m_lengthValue = AddLabel(grid, QString(), 0, 4);
    AddLabel(grid, tr("Входное сопротивление:"), 1, 3);
    m_impedanceValue = AddLabel(grid, QString(), 1, 4);
    m_swrCaption = AddLabel(grid, QString(), 2, 3);
    m_swrValue = AddLabel(grid, QString(), 2, 4);
    AddLabel(grid, tr("Ток в точке питания / наибольший:"), 3, 3);
    m_currentValue = AddLabel(grid, QString(), 3, 4);
    // A gap between the fields and the figures; the figures take the rest.
    grid->setColumnMinimumWidth(2, 24);
    grid->setColumnStretch(4, 1);
    return grid;
}

void TFormImpedance::CreateControls()
{
    auto *layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("Tabs"));
    m_tabs->addTab(CreatePatternPage(), tr("Диаграмма"));
    m_currentPage = new TCurrentPage(
        m_model, [this] { return PictureUnit(); }, this);
    m_image1 = m_currentPage->Image();
    m_tabs->addTab(m_currentPage, tr("Ток"));
    m_impedancePage = new TImpedancePage(
        m_model, [this] { return PictureUnit(); }, this);
    m_tabs->addTab(m_impedancePage, tr("Сопротивление"));
    m_solidPage = new TSolidPage([this] { return m_model.radius(); }, this);
    m_solidPage->setObjectName(QStringLiteral("SolidPage"));
    m_tabs->addTab(m_solidPage, tr("Объём"));
    m_frequencyPage = new TFrequencyPage([this] { return PictureUnit(); }, this);
    m_frequencyPage->setObjectName(QStringLiteral("FrequencyPage"));
    m_tabs->addTab(m_frequencyPage, tr("Частота"));
    layout->addWidget(m_tabs, 1);
    layout->addLayout(CreateFigures());
    // Where the model is not the wire, a note of up to two lines.
    m_limitNote = new QLabel(this);
    m_limitNote->setObjectName(QStringLiteral("LimitNote"));
    m_limitNote->setWordWrap(true);
    m_limitNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_limitNote->setMinimumHeight(2 * fontMetrics().lineSpacing());
    layout->addWidget(m_limitNote);
}

TFittedImage *TFormImpedance::Image2() const
{
    return m_impedancePage->ImpedanceImage();
}

QString TFormImpedance::ImpedanceFigure() const
{
    return m_impedanceValue->text();
}

QString TFormImpedance::StandingWaveRatioFigure() const
{
    return m_swrValue->text();
}

QString TFormImpedance::FeedCurrentFigure() const
{
    return m_currentValue->text();
}

QString TFormImpedance::ModelLimitFigure() const
{
    return m_limitNote->text();
}

QString TFormImpedance::ReadoutsFigure() const
{
    return m_readouts->text();
}

QString TFormImpedance::PointerFigure() const
{
    return m_pointerReadout->text();
}

void TFormImpedance::SetLength(double M)
{
    m_family.clear();
    m_model.setLength(M);
    ShowModel();
    ShowPattern();
    m_solidPage->SetLength(M);
}

void TFormImpedance::SetFamily(const std::vector<LabelledCurve> &curves)
{
    m_family = curves;
    ShowPattern();
    std::vector<double> lengths;
    for (const LabelledCurve &curve : curves)
        lengths.push_back(curve.length);
    m_solidPage->SetFamily(lengths);
}

void TFormImpedance::CalcEdit1Exit()
{
    TakeRadius();
}

void TFormImpedance::CalcEdit2Exit()
{
    TakeReferenceResistance();
}

void TFormImpedance::TakeRadius()
{
    const double radius = static_cast<double>(m_calcEdit1->Value());
    if (radius == m_model.radius())
        return;
    if (!m_model.setRadius(radius)) {
        // The old radius goes back into the field, so that what it shows is
        // what the figures were computed with.
        m_calcEdit1->SetValue(m_model.radius());
        CurrentUserNotifier().messageBox(this, RadiusRefusalText(m_model.radiusFault(radius), radius, m_model.length()),
                                         RadiusRefusalCaption());
        return;
    }
    ShowModel();
}

void TFormImpedance::TakeReferenceResistance()
{
    const double resistance = static_cast<double>(m_calcEdit2->Value());
    if (resistance == m_model.referenceResistance())
        return;
    if (!m_model.setReferenceResistance(resistance)) {
        m_calcEdit2->SetValue(m_model.referenceResistance());
        CurrentUserNotifier().messageBox(this, ReferenceResistanceRefusalText(), ReferenceResistanceRefusalCaption());
        return;
    }
    ShowModel();
}

void TFormImpedance::ShowModel()
{
    m_lengthValue->setText(WireNumberText(m_model.length()) + QStringLiteral(" λ"));
    m_impedanceValue->setText(InputImpedanceText(m_model));
    m_swrCaption->setText(StandingWaveRatioCaption(m_model));
    m_swrValue->setText(StandingWaveRatioText(m_model));
    m_currentValue->setText(FeedCurrentText(m_model));
    m_limitNote->setText(ModelLimitNote(m_model));
    // The model has changed: the same drawings give new pictures.
    m_currentPage->ShowModel();
    m_impedancePage->ShowModel();
    m_frequencyPage->SetReferenceResistance(m_model.referenceResistance());
}

double TFormImpedance::PictureUnit() const
{
    const double eightPoints = 8.0 * logicalDpiY() / 72.0;
    return std::max(double(QFontInfo(font()).pixelSize()), eightPoints) / kSmallestTextUnits;
}

void TFormImpedance::ShowPattern()
{
    LabelledOptions options;
    options.language = CurrentWindowLanguage();
    options.scale = m_decibelBox->isChecked() ? LabelledScale::Decibel : LabelledScale::Linear;
    options.rangeDb = m_rangeBox->currentData().toDouble();
    const bool family = !m_family.empty();
    m_familyScaleBox->setEnabled(family);
    // The common scale is in dBi, a dB scale whatever the box says.
    options.commonDbi = family && m_familyScaleBox->currentIndex() == 1;
    if (options.commonDbi)
        options.scale = LabelledScale::Decibel;
    // The dB box has no say on the common scale; the depth applies to both dB scales.
    m_decibelBox->setEnabled(!options.commonDbi);
    m_rangeBox->setEnabled(options.scale == LabelledScale::Decibel);
    // A measured pattern's points go on the built length's pictures.
    const std::optional<MeasuredPattern> &measurement = m_frequencyPage->Model().measuredPattern();
    if (!family && measurement)
        options.measurement = LabelledMeasurementOf(*measurement, options.language);
    const auto patterns = std::make_shared<const LabelledPatterns>(
        family ? m_family : std::vector<LabelledCurve>{{m_model.length(), clNavy}}, options);
    m_patterns = patterns;
    m_pointerReadout->clear();
    m_polarImage->SetPainting([this, patterns](QPainter &painter, const QRectF &area) {
        const ScopedLabelledUnit unit(PictureUnit());
        patterns->paintPolar(painter, area);
    });
    m_rectangularImage->SetPainting([this, patterns](QPainter &painter, const QRectF &area) {
        const ScopedLabelledUnit unit(PictureUnit());
        patterns->paintRectangular(painter, area);
    });
    // The lobes and the readouts are the built length's; a family has many.
    if (family)
        m_lobeTable->setRowCount(0);
    else
        m_lobeTable->ShowLobes(m_model.length());
    const bool measured = !family && !patterns->patterns().empty();
    QStringList lines;
    if (measured)
        lines = ReadoutsSummaryLines(patterns->patterns().front().readouts, WireNumberText(m_model.length()));
    if (!family && measurement)
        lines << MeasuredPatternText(m_frequencyPage->Model(), m_model.length());
    m_readouts->setText(readoutsParagraph(lines));
}

void TFormImpedance::ShowPointer(const TFittedImage *image, LabelledPatterns::View view, std::optional<QPoint> pos)
{
    std::optional<PatternPoint> point;
    if (pos && m_patterns) {
        // The plot as the picture was laid out: at its size, with its unit.
        const ScopedLabelledUnit unit(PictureUnit());
        point = PatternPointAt(*m_patterns, view, QRectF(QPointF(0, 0), QSizeF(image->size())), QPointF(*pos));
    }
    m_pointerReadout->setText(point ? PatternPointText(*point) : QString());
}
