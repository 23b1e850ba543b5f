#include "FrequencyPage.h"

#include "WindowLanguage.h"

#include "labelled/FrequencyPictures.h"
#include "labelled/LabelledStyle.h"
#include "numbers/NumberText.h"
#include "physics/PhysicalUnits.h"
#include "widgets/CalcEdit.h"
#include "widgets/UserNotifier.h"
#include "wirewindow/FrequencyFigures.h"
#include "wirewindow/FrequencyText.h"
#include "wirewindow/MeasurementFile.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTabWidget>

#include <algorithm>
#include <memory>

namespace {

constexpr int kFieldWidth = 96;
// The Smith chart's picture at its widest, against its height.
constexpr double kSmithWidest = 1.5;
// The units the fields start in: MHz, and metres for the length and
// millimetres for the diameter.
constexpr int kStartFrequencyUnit = 1;
constexpr int kStartLengthUnit = 0;
constexpr int kStartDiameterUnit = 2;

QString wavelengthsText(double value)
{
    return GeneralNumberText(value, 4) + QStringLiteral(" λ");
}

QString fileDialog(QWidget *parent)
{
    return QFileDialog::getOpenFileName(
        parent, TFrequencyPage::tr("Открыть измерение"), QString(),
        TFrequencyPage::tr("Измерения (*.s1p *.S1P *.csv *.txt);;Touchstone, S11 (*.s1p *.S1P);;"
                           "Диаграмма, угол и уровень (*.csv *.txt);;Все файлы (*)"),
        nullptr, QFileDialog::DontUseNativeDialog);
}

} // namespace

TFrequencyPage::TFrequencyPage(PictureUnit unit, QWidget *parent)
    : QWidget(parent), m_unit(std::move(unit)), m_openDialog(fileDialog)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(CreateFields());
    // Each picture on a page of its own: the charts against frequency hold
    // two plots and a legend each, and need the whole width and height to
    // stay readable in the smallest window.
    m_pictures = new QTabWidget(this);
    m_pictures->setObjectName(QStringLiteral("FrequencyPictures"));
    m_pictures->setDocumentMode(true);
    m_impedanceImage = new TFittedImage(m_pictures);
    m_impedanceImage->setObjectName(QStringLiteral("FrequencyImpedanceImage"));
    m_swrImage = new TFittedImage(m_pictures);
    m_swrImage->setObjectName(QStringLiteral("FrequencySwrImage"));
    // The Smith chart is round: its picture, as shown (and so saved and
    // printed), is no wider than the circle with its legend beside it needs.
    auto *smithPage = new QWidget(m_pictures);
    smithPage->setObjectName(QStringLiteral("SmithPage"));
    smithPage->installEventFilter(this);
    m_smithImage = new TFittedImage(smithPage);
    m_smithImage->setObjectName(QStringLiteral("SmithImage"));
    m_pictures->addTab(m_impedanceImage, tr("R и X"));
    m_pictures->addTab(m_swrImage, tr("КСВ и возвратные потери"));
    m_pictures->addTab(smithPage, tr("Диаграмма Вольперта — Смита"));
    layout->addWidget(m_pictures, 1);

    for (const FieldRow &row : m_rows) {
        connect(row.edit, &TCustomNumEdit::OnExit, this, [this, field = row.field] { Take(field); });
        connect(row.edit, &QLineEdit::returnPressed, this, [this, field = row.field] { Take(field); });
    }
    for (const auto &taken : m_takenUnits) {
        QComboBox *box = taken.first;
        connect(box, &QComboBox::currentIndexChanged, this, [this, box] { TakeUnit(box); });
    }
    connect(m_open, &QPushButton::clicked, this, &TFrequencyPage::ChooseMeasurement);
    connect(m_clear, &QPushButton::clicked, this, &TFrequencyPage::ClearMeasurement);
    ShowFields();
    Show();
}

TFrequencyPage::~TFrequencyPage() = default;

bool TFrequencyPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && watched == m_smithImage->parentWidget()) {
        const QSize size = m_smithImage->parentWidget()->size();
        const int width = std::min(size.width(), int(kSmithWidest * size.height()));
        m_smithImage->setGeometry((size.width() - width) / 2, 0, width, size.height());
    }
    return QWidget::eventFilter(watched, event);
}

TCalcEdit *TFrequencyPage::AddField(FrequencyField field)
{
    auto *edit = new TCalcEdit(this);
    edit->setObjectName(QStringLiteral("FrequencyField%1").arg(int(field)));
    edit->setFixedWidth(kFieldWidth);
    edit->SetDecimalPlaces(8);
    edit->SetDisplayFormat(QStringLiteral(",0.########"));
    return edit;
}

QComboBox *TFrequencyPage::AddUnitBox(const std::vector<FieldUnit> &units, int current)
{
    auto *box = new QComboBox(this);
    box->setObjectName(QStringLiteral("UnitBox%1").arg(m_takenUnits.size()));
    for (const FieldUnit &unit : units)
        box->addItem(FrequencyModel::tr(unit.name));
    box->setCurrentIndex(current);
    m_takenUnits.emplace_back(box, current);
    return box;
}

QWidget *TFrequencyPage::CreateFields()
{
    auto *top = new QWidget(this);
    auto *columns = new QHBoxLayout(top);
    // Off the tab's frame; the pictures' pages beneath reach it.
    columns->setContentsMargins(6, 6, 6, 0);
    auto *grid = new QGridLayout;
    const auto addRow = [&](int line, const QString &caption, FrequencyField field, QComboBox *box,
                            const std::vector<FieldUnit> &units) {
        grid->addWidget(new QLabel(caption, top), line, 0);
        m_rows[std::size_t(field)] = {field, AddField(field), box, &units};
        grid->addWidget(m_rows[std::size_t(field)].edit, line, 1);
    };
    const std::vector<FieldUnit> &hertz = FrequencyUnits();
    const std::vector<FieldUnit> &metres = LengthUnits();
    addRow(0, tr("Частота:"), FrequencyField::Frequency, AddUnitBox(hertz, kStartFrequencyUnit), hertz);
    addRow(1, tr("Длина провода L:"), FrequencyField::Length, AddUnitBox(metres, kStartLengthUnit), metres);
    addRow(2, tr("Диаметр провода:"), FrequencyField::Diameter, AddUnitBox(metres, kStartDiameterUnit), metres);
    // Both ends of the band in one unit.
    QComboBox *band = AddUnitBox(hertz, kStartFrequencyUnit);
    addRow(3, tr("Диапазон от:"), FrequencyField::SweepFrom, band, hertz);
    m_rows[std::size_t(FrequencyField::SweepTo)] = {FrequencyField::SweepTo, AddField(FrequencyField::SweepTo), band,
                                                    &hertz};
    for (int line = 0; line < 3; ++line)
        grid->addWidget(m_rows[std::size_t(line)].unit, line, 2);
    auto *bandRow = new QHBoxLayout;
    bandRow->addWidget(new QLabel(tr("до"), top));
    bandRow->addWidget(m_rows[std::size_t(FrequencyField::SweepTo)].edit);
    bandRow->addWidget(band);
    bandRow->addStretch(1);
    grid->addLayout(bandRow, 3, 2, 1, 2);
    m_wavelength = new QLabel(top);
    m_lengthWaves = new QLabel(top);
    m_lengthWaves->setObjectName(QStringLiteral("LengthInWavelengths"));
    m_radiusWaves = new QLabel(top);
    m_radiusWaves->setObjectName(QStringLiteral("RadiusInWavelengths"));
    grid->addWidget(m_wavelength, 0, 3);
    grid->addWidget(m_lengthWaves, 1, 3);
    grid->addWidget(m_radiusWaves, 2, 3);
    columns->addLayout(grid);
    columns->addSpacing(12);

    auto *figures = new QVBoxLayout;
    m_modelFigures = new QLabel(top);
    m_modelFigures->setObjectName(QStringLiteral("FrequencyFigures"));
    m_measuredFigures = new QLabel(top);
    m_measuredFigures->setObjectName(QStringLiteral("MeasuredFigures"));
    for (QLabel *label : {m_modelFigures, m_measuredFigures}) {
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        figures->addWidget(label);
    }
    auto *buttons = new QHBoxLayout;
    m_open = new QPushButton(tr("Открыть измерение…"), top);
    m_open->setObjectName(QStringLiteral("OpenMeasurementButton"));
    m_clear = new QPushButton(tr("Убрать измерение"), top);
    m_clear->setObjectName(QStringLiteral("ClearMeasurementButton"));
    buttons->addWidget(m_open);
    buttons->addWidget(m_clear);
    buttons->addStretch(1);
    figures->addLayout(buttons);
    figures->addStretch(1);
    columns->addLayout(figures, 1);
    return top;
}

const TFrequencyPage::FieldRow &TFrequencyPage::Row(FrequencyField field) const
{
    return m_rows[std::size_t(field)];
}

TCalcEdit *TFrequencyPage::Field(FrequencyField field) const
{
    return Row(field).edit;
}

QComboBox *TFrequencyPage::UnitBox(FrequencyField field) const
{
    return Row(field).unit;
}

double TFrequencyPage::UnitScale(const FieldRow &row) const
{
    return (*row.units)[std::size_t(std::max(row.unit->currentIndex(), 0))].scale;
}

void TFrequencyPage::Take(FrequencyField field)
{
    const FieldRow &row = Row(field);
    const double number = static_cast<double>(row.edit->Value());
    const double scale = UnitScale(row);
    if (number * scale == m_model.value(field))
        return;
    const QString refusal = m_model.take(field, number, scale);
    if (!refusal.isEmpty()) {
        // The old value goes back into the field, so that what it shows is
        // what the pictures were drawn with.
        row.edit->SetValue(m_model.value(field) / scale);
        CurrentUserNotifier().messageBox(this, refusal, tr("Частота"));
        return;
    }
    Show();
}

void TFrequencyPage::TakeUnit(QComboBox *box)
{
    // The numbers typed stay; the new unit applies to them.
    std::vector<FrequencyModel::FieldValue> values;
    for (const FieldRow &row : m_rows)
        if (row.unit == box)
            values.push_back({row.field, static_cast<double>(row.edit->Value()), UnitScale(row)});
    const auto taken = std::find_if(m_takenUnits.begin(), m_takenUnits.end(),
                                    [box](const std::pair<QComboBox *, int> &entry) { return entry.first == box; });
    const QString refusal = m_model.take(values);
    if (!refusal.isEmpty()) {
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(taken->second);
        ShowFields();
        CurrentUserNotifier().messageBox(this, refusal, tr("Частота"));
        return;
    }
    taken->second = box->currentIndex();
    Show();
}

void TFrequencyPage::ShowFields()
{
    for (const FieldRow &row : m_rows)
        row.edit->SetValue(m_model.value(row.field) / UnitScale(row));
}

void TFrequencyPage::SetReferenceResistance(double resistance)
{
    if (resistance == m_model.referenceResistance())
        return;
    m_model.setReferenceResistance(resistance);
    Show();
}

void TFrequencyPage::ChooseMeasurement()
{
    const QString fileName = m_openDialog(window());
    if (!fileName.isEmpty())
        OpenMeasurement(fileName);
}

void TFrequencyPage::OpenMeasurement(const QString &fileName)
{
    const MeasurementFile file = ReadMeasurementFile(fileName);
    if (file.sweep)
        m_model.setMeasuredSweep(*file.sweep, QFileInfo(fileName).fileName());
    else if (file.pattern)
        m_model.setMeasuredPattern(*file.pattern, QFileInfo(fileName).fileName());
    else {
        CurrentUserNotifier().messageBox(this, file.failure, tr("Измерение"));
        return;
    }
    Show();
    Q_EMIT MeasurementChanged();
}

void TFrequencyPage::ClearMeasurement()
{
    m_model.clearMeasurements();
    Show();
    Q_EMIT MeasurementChanged();
}

QString TFrequencyPage::WavelengthsFigure() const
{
    return m_lengthWaves->text() + QLatin1Char(' ') + m_radiusWaves->text();
}

QString TFrequencyPage::ModelFigure() const
{
    return m_modelFigures->text();
}

QString TFrequencyPage::MeasuredFigure() const
{
    return m_measuredFigures->text();
}

void TFrequencyPage::Show()
{
    const FrequencyWire &wire = m_model.wire();
    m_wavelength->setText(tr("λ = %1").arg(MetresText(kSpeedOfLight / wire.frequency)));
    m_lengthWaves->setText(tr("M = L·f/c = %1").arg(wavelengthsText(m_model.lengthInWavelengths())));
    m_radiusWaves->setText(tr("A = r·f/c = %1").arg(wavelengthsText(m_model.radiusInWavelengths())));
    m_modelFigures->setText(ModelFiguresText(m_model));
    QStringList measured;
    if (!m_model.measuredSweepFile().isEmpty())
        measured << MeasuredSweepText(m_model);
    if (m_model.measuredPattern())
        measured << tr("Диаграмма из «%1» — на вкладке «Диаграмма».").arg(m_model.measuredPatternFile());
    m_measuredFigures->setText(measured.join(QLatin1Char('\n')));
    m_measuredFigures->setVisible(!m_measuredFigures->text().isEmpty());
    m_clear->setEnabled(!m_model.measuredSweepFile().isEmpty() || m_model.measuredPattern());

    auto picture = std::make_shared<FrequencyPicture>();
    picture->lengthMetres = wire.length;
    picture->radiusMetres = wire.diameter / 2.0;
    picture->referenceResistance = m_model.referenceResistance();
    picture->swrLimit = kFrequencySwrLimit;
    picture->language = CurrentWindowLanguage();
    picture->series.push_back({FrequencySource::Theory, m_model.sweep()});
    if (!m_model.measuredSweep().empty())
        picture->series.push_back({FrequencySource::Measured, m_model.measuredSweep()});
    const std::shared_ptr<const FrequencyPicture> shown = picture;
    const std::pair<TFittedImage *, void (*)(QPainter &, const QRectF &, const FrequencyPicture &)> paintings[] = {
        {m_impedanceImage, PaintFrequencyImpedance},
        {m_swrImage, PaintFrequencySwr},
        {m_smithImage, PaintFrequencySmith}};
    for (const auto &[image, paint] : paintings)
        image->SetPainting([this, shown, paint = paint](QPainter &painter, const QRectF &area) {
            const ScopedLabelledUnit unit(m_unit());
            paint(painter, area, *shown);
        });
}
