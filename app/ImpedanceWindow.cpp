#include "ImpedanceWindow.h"

#include "FormFont.h"
#include "ImageControl.h"
#include "WireImages.h"
#include "base/AppError.h"
#include "numbers/NumberText.h"
#include "widgets/CalcEdit.h"
#include "widgets/UserNotifier.h"
#include "wirewindow/ModelLimitNote.h"
#include "wirewindow/WireFigures.h"

#include <QLabel>

namespace {

constexpr int kMargin = 8;
constexpr QSize kPictureSize(480, 300);
constexpr int kFieldsTop = kMargin + 300 + 12;
constexpr int kRowHeight = 26;
constexpr int kFieldX = 200;
constexpr int kFiguresX = kMargin * 2 + 480;
constexpr int kFigureValueX = kFiguresX + 180;
// Beneath the rows, a note where the model is not the wire: two lines.
constexpr int kNoteTop = kFieldsTop + 4 * kRowHeight;
constexpr int kNoteHeight = 2 * kRowHeight;
constexpr QSize kWindowSize(kMargin * 3 + 480 * 2, kNoteTop + kNoteHeight + kMargin);

} // namespace

TFormImpedance::TFormImpedance(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("FormImpedance"));
    setFont(FormFont());
    setWindowTitle(QStringLiteral("Ток и сопротивление"));
    setFixedSize(kWindowSize);
    // Left open, it does not keep the program running once the main window
    // is closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    CreateControls();

    connect(m_calcEdit1, &TCustomNumEdit::OnExit, this, &TFormImpedance::CalcEdit1Exit);
    connect(m_calcEdit1, &QLineEdit::returnPressed, this, &TFormImpedance::CalcEdit1Exit);
    connect(m_calcEdit2, &TCustomNumEdit::OnExit, this, &TFormImpedance::CalcEdit2Exit);
    connect(m_calcEdit2, &QLineEdit::returnPressed, this, &TFormImpedance::CalcEdit2Exit);
    ShowModel();
}

TFormImpedance::~TFormImpedance() = default;

QLabel *TFormImpedance::AddLabel(const QString &text, int x, int y)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("Label%1").arg(findChildren<QLabel *>().size()));
    label->move(x, y);
    label->adjustSize();
    return label;
}

TCalcEdit *TFormImpedance::AddField(long double value, int x, int y)
{
    auto *field = new TCalcEdit(this);
    field->setObjectName(QStringLiteral("CalcEdit%1").arg(findChildren<TCalcEdit *>().size()));
    field->setGeometry(x, y, 121, 21);
    field->SetDecimalPlaces(8);
    field->SetDisplayFormat(QStringLiteral(",0.########"));
    field->SetValue(value);
    return field;
}

void TFormImpedance::CreateControls()
{
    m_image1 = new TImage(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setGeometry(QRect(QPoint(kMargin, kMargin), kPictureSize));
    m_image2 = new TImage(this);
    m_image2->setObjectName(QStringLiteral("Image2"));
    m_image2->setGeometry(QRect(QPoint(kFiguresX, kMargin), kPictureSize));

    const int textShift = 4; // a label's text level with a field's
    AddLabel(QStringLiteral("Радиус провода, λ:"), kMargin, kFieldsTop + textShift);
    m_calcEdit1 = AddField(m_model.radius(), kFieldX, kFieldsTop);
    AddLabel(QStringLiteral("Волновое сопротивление линии, Ом:"), kMargin, kFieldsTop + kRowHeight + textShift);
    m_calcEdit2 = AddField(m_model.referenceResistance(), kFieldX, kFieldsTop + kRowHeight);

    AddLabel(QStringLiteral("Длина вибратора:"), kFiguresX, kFieldsTop + textShift);
    m_lengthValue = AddLabel(QString(), kFigureValueX, kFieldsTop + textShift);
    AddLabel(QStringLiteral("Входное сопротивление:"), kFiguresX, kFieldsTop + kRowHeight + textShift);
    m_impedanceValue = AddLabel(QString(), kFigureValueX, kFieldsTop + kRowHeight + textShift);
    m_swrCaption = AddLabel(QString(), kFiguresX, kFieldsTop + 2 * kRowHeight + textShift);
    m_swrValue = AddLabel(QString(), kFigureValueX, kFieldsTop + 2 * kRowHeight + textShift);
    AddLabel(QStringLiteral("Ток в точке питания / наибольший:"), kFiguresX, kFieldsTop + 3 * kRowHeight + textShift);
    m_currentValue = AddLabel(QString(), kFigureValueX, kFieldsTop + 3 * kRowHeight + textShift);
    m_limitNote = AddLabel(QString(), kMargin, kNoteTop);
    m_limitNote->setWordWrap(true);
    m_limitNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_limitNote->setGeometry(kMargin, kNoteTop, kWindowSize.width() - 2 * kMargin, kNoteHeight);
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

void TFormImpedance::SetLength(double M)
{
    m_model.setLength(M);
    ShowModel();
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
    for (QLabel *label : {m_lengthValue, m_impedanceValue, m_swrCaption, m_swrValue, m_currentValue})
        label->adjustSize();
    m_image1->SetPicture(CurrentImage(m_model, kPictureSize));
    m_image2->SetPicture(ImpedanceImage(m_model, kPictureSize));
}
