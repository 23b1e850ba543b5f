#include "UnitMain.h"

#include "About.h"
#include "Application.h"
#include "FormFont.h"
#include "ImageControl.h"
#include "ImpedanceWindow.h"
#include "PictureMenu.h"
#include "base/AppError.h"
#include "base/LengthRefusal.h"
#include "numbers/NumberText.h"
#include "physics/DipoleRules.h"
#include "physics/PatternFunction.h"
#include "plot/DrawingSurface.h"
#include "plot/FamilyPlot.h"
#include "plot/PictureFile.h"
#include "plot/PlotCommands.h"
#include "plot/RectangularPlot.h"
#include "readouts/ReadoutsText.h"
#include "ui_MainWindow.h"
#include "widgets/CalcEdit.h"
#include "widgets/ColorCombo.h"
#include "widgets/UserNotifier.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

#include <cmath>

namespace {

constexpr int kFirstFamilyRow = 2;
constexpr int kLastFamilyRow = 8;

QString lengthRefusedCaption()
{
    return QCoreApplication::translate("TForm1", "Слишком большое значение!");
}

// The window's control of a kind and number: ("CalcEdit", 2) is CalcEdit2.
template <class T> T *control(const QWidget *form, const char *kind, int number)
{
    return form->findChild<T *>(QLatin1String(kind) + QString::number(number));
}

// The last line of a picture's tooltip: where the menu and the laboratory
// window are found, since nothing else on the window shows them.
QString menuHintLine()
{
    return QCoreApplication::translate("TForm1", "\nПравый щелчок: меню и окно «Лаборатория»");
}

} // namespace

TForm1::TForm1(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::TForm1>()),
      m_pictureMenu(std::make_unique<PictureMenu>(this))
{
    setFont(FormFont());
    ui->setupUi(this);
    setWindowTitle(ApplicationTitle());
    setFixedSize(792, 548);
    // The family page's captions take the size of their texts.
    ui->Label3->adjustSize();
    ui->Label4->adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // The first control in the tab order has the focus when the window opens.
    ui->Button1->setFocus();

    connect(ui->Button1, &QPushButton::clicked, this, [this] { RunCommand(&TForm1::Button1Click); });
    connect(ui->Button2, &QPushButton::clicked, this, [this] { RunCommand(&TForm1::Button2Click); });
    connect(ui->Button3, &QPushButton::clicked, this, [this] { RunCommand(&TForm1::Button3Click); });
    connect(ui->Button4, &QPushButton::clicked, this, [this] { RunCommand(&TForm1::Button4Click); });

    ui->Image1->SetToolTipSource([this](QPoint) { return PolarToolTip(); });
    ui->Image2->SetToolTipSource([this](QPoint pos) { return RectangularToolTip(pos); });
    for (TImage *image : {ui->Image1, ui->Image2})
        image->SetMenuSource([this, image](QMenu &menu) { FillPictureMenu(menu, image); });

    // Runs while the window is being created: an error here ends start-up.
    FormCreate();
}

TForm1::~TForm1() = default;

TImage *TForm1::Image1() const
{
    return ui->Image1;
}

TImage *TForm1::Image2() const
{
    return ui->Image2;
}

PictureMenu &TForm1::PicturesMenu() const
{
    return *m_pictureMenu;
}

// Before the first build the pictures hold the start-up title, which the
// menu has nothing to offer for.
void TForm1::FillPictureMenu(QMenu &menu, TImage *image)
{
    if (!m_lastCommand)
        return;
    const PictureSide side = image == ui->Image1 ? PictureSide::Polar : PictureSide::Rectangular;
    m_pictureMenu->addItems(menu, MainShownPicture(side, image->ShownImage(), *m_lastCommand));
    // The laboratory window studies a built length; a family alone has none.
    if (m_builtLength)
        menu.addAction(tr("Лаборатория…"), this, &TForm1::ShowImpedanceWindow);
}

QString TForm1::StartupSubtitle()
{
    return tr("Учебная программа по теории антенн");
}

void TForm1::RunCommand(void (TForm1::*command)())
{
    try {
        (this->*command)();
    } catch (const AppError &error) {
        ShowError(this, error.message());
    }
}

void TForm1::Button1Click()
{
    BuildLength();
}

void TForm1::Button2Click()
{
    SavePictureFiles();
}

void TForm1::Button3Click()
{
    ShowAbout();
}

void TForm1::Button4Click()
{
    DrawTickedFamily();
}

void TForm1::ClearPictures()
{
    ClearPicture(ui->Image1->Canvas());
    ClearPicture(ui->Image2->Canvas());
}

void TForm1::FormCreate()
{
    // The first use of each canvas creates its picture.
    ClearPictures();
    for (TImage *image : {ui->Image1, ui->Image2}) {
        DrawingSurface &canvas = image->Canvas();
        canvas.setFontSize(30);
        canvas.setFontName(QStringLiteral("Arial"));
    }
    DrawCentredTitle(tr("Исследование направленных свойств"), 185);
    DrawCentredTitle(tr("симметричного вибратора"), 225);
    ui->Image1->Canvas().setFontSize(12);
    DrawCentredTitle(StartupSubtitle(), 300);
}

void TForm1::BuildLength()
{
    const long double v = ui->CalcEdit1->Value();
    try {
        CheckBuildLength(v);
    } catch (const LengthRefusedError &) {
        CurrentUserNotifier().messageBox(this, LengthRefusedText(LineBreak::Form), lengthRefusedCaption());
        return;
    }

    // Record the length in the first empty family row, unless a row holds it.
    bool recorded = false;
    for (int n = kFirstFamilyRow; n <= kLastFamilyRow && !recorded; ++n)
        recorded = control<TCalcEdit>(this, "CalcEdit", n)->Value() == v;
    for (int n = kFirstFamilyRow; n <= kLastFamilyRow && !recorded; ++n) {
        TCalcEdit *field = control<TCalcEdit>(this, "CalcEdit", n);
        if (field->Value() == 0) {
            field->SetValue(v);
            recorded = true;
        }
    }

    const TColor colour = ui->ColorComboBox1->ColorValue();
    const double M = static_cast<double>(v);
    const bool fill = ui->CheckBox1->isChecked();
    BuildPictures(ui->Image1->Canvas(), ui->Image2->Canvas(), colour, M, fill);
    const auto drawing = [colour, M, fill](PlotCanvas &polar, PlotCanvas &rect) {
        BuildPictures(polar, rect, colour, M, fill);
    };
    m_lastCommand = DrawnCommand{drawing, {{M, colour}}, fill};
    SetPictureToolTips(v);
    m_builtLength = static_cast<double>(v);
    Q_EMIT OnLengthBuilt(*m_builtLength);
}

void TForm1::ShowImpedanceWindow()
{
    if (!m_builtLength)
        return;
    if (!m_formImpedance) {
        m_formImpedance = std::make_unique<TFormImpedance>();
        connect(this, &TForm1::OnLengthBuilt, m_formImpedance.get(), &TFormImpedance::SetLength);
        connect(this, &TForm1::OnFamilyBuilt, m_formImpedance.get(), &TFormImpedance::SetFamily);
    }
    m_formImpedance->SetLength(*m_builtLength);
    m_formImpedance->show();
    m_formImpedance->raise();
    m_formImpedance->activateWindow();
}

void TForm1::SetPictureToolTips(long double length)
{
    m_tipLength = static_cast<double>(length);
    m_tipSummary.clear();
    if (IsMeasurableLength(length))
        m_tipSummary = ReadoutsSummaryText(ComputePatternReadouts(m_tipLength), FormatEditingText(length, 8));
}

QString TForm1::PolarToolTip() const
{
    return m_tipSummary.isEmpty() ? QString() : m_tipSummary + menuHintLine();
}

// Beside the readouts, the angle of the curve's column under the pointer and
// F there, as the curve draws it.
QString TForm1::RectangularToolTip(QPoint pos) const
{
    if (m_tipSummary.isEmpty())
        return {};
    const int i = RectangularSampleAtColumn(pos.x());
    if (i < 0)
        return m_tipSummary + menuHintLine();
    return m_tipSummary + QLatin1Char('\n') + PointerReadoutText(i / 2.0, PatternValue(m_tipLength, SampleAngle(i, 2)))
           + menuHintLine();
}

void TForm1::SavePictureFiles()
{
    SavePictures(ui->Image1->Canvas(), ui->Image2->Canvas());
}

void TForm1::ShowAbout()
{
    // Each press makes a new window, released once it is closed: nothing
    // can reach a closed About window, and kept ones would pile up.
    TFormAbout about(this);
    about.exec();
    about.close();
}

void TForm1::DrawTickedFamily()
{
    std::vector<FamilyRow> rows;
    for (int n = kFirstFamilyRow; n <= kLastFamilyRow; ++n) {
        if (!control<QCheckBox>(this, "CheckBox", n)->isChecked())
            continue;
        TCalcEdit *field = control<TCalcEdit>(this, "CalcEdit", n);
        rows.push_back(
            {field->Value(), control<TColorComboBox>(this, "ColorComboBox", n)->ColorValue(), field->text()});
    }
    const bool fill = ui->CheckBox1->isChecked();
    DrawFamily(ui->Image1->Canvas(), ui->Image2->Canvas(), rows, fill);
    std::vector<LabelledCurve> curves;
    for (const FamilyRow &row : rows) {
        // The rows the family draws.
        if (IsFamilyLength(row.length))
            curves.push_back({static_cast<double>(row.length), row.colour});
    }
    const auto drawing = [rows, fill](PlotCanvas &polar, PlotCanvas &rect) { DrawFamily(polar, rect, rows, fill); };
    m_lastCommand = DrawnCommand{drawing, curves, fill};
    m_tipSummary.clear();
    Q_EMIT OnFamilyBuilt(curves);
    CurrentUserNotifier().messageBox(this, tr("Диаграммы построены!"), tr("Выпонено успешно"));
}

void TForm1::DrawCentredTitle(const QString &text, int y)
{
    DrawingSurface &canvas = ui->Image1->Canvas();
    const int tw = canvas.textWidth(text);
    const int x = canvas.width() / 2 - tw / 2;
    canvas.textOut(x, y, text);
}
