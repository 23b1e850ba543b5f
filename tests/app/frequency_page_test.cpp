// The laboratory's frequency tab driven as a user drives it: fields typed
// into and units chosen redraw the sweep, refusals put the old value back,
// the line's resistance comes from the window's field, and measurements
// opened through the button: a one-port's points beside the model, a
// pattern's markers on the pattern's pictures, a bad file told and nothing
// lost.
#include "PictureRightClick.h"
#include "QtPrinters.h"
#include "RecordingNotifier.h"
#include "app/FrequencyPage.h"
#include "app/ImpedanceWindow.h"
#include "numbers/LocaleNumberSettings.h"
#include "widgets/CalcEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Written by hand: Γ of 55 − j30, 58 − j10, 62 + j10 and 66 + j30 Ω against
// 50 Ω, whose reactance rises through zero at 14 MHz.
const char kMeasuredS1p[] = "# MHz S RI R 50\n"
                            "13.8 0.119496855346 -0.251572327044\n"
                            "13.9 0.081944916695 -0.085005100306\n"
                            "14.1 0.114204365707 0.079088895919\n"
                            "14.2 0.191975480635 0.208971858456\n";

// A half-wave dipole's pattern, turned a little on its turntable.
const char kMeasuredPattern[] = "theta_deg,level\n0,0.05\n30,0.45\n60,0.80\n90,1\n120,0.80\n150,0.45\n180,0.05\n";

// The labelled pictures' colour of a measurement.
const QColor kMeasuredColour(0x2e, 0x7d, 0x32);

int pixelsOf(const QImage &image, const QColor &colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += QColor(image.pixel(x, y)) == colour;
    return count;
}

class FrequencyPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        lab = std::make_unique<TFormImpedance>();
        lab->SetLength(0.5);
        lab->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(lab.get()));
        page = lab->FrequencyPage();
        page->SetOpenDialog([this](QWidget *) { return answer; });
        lab->Tabs()->setCurrentWidget(page);
        QApplication::processEvents();
    }

    void type(FrequencyField field, const QString &text)
    {
        TCalcEdit *edit = page->Field(field);
        QApplication::setActiveWindow(lab.get());
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    // Types the text, or with a unit index chooses that unit instead.
    void enter(FrequencyField field, const QString &text, int unit)
    {
        if (unit < 0)
            type(field, text);
        else
            page->UnitBox(field)->setCurrentIndex(unit);
    }

    void open(const QString &name, const QByteArray &contents)
    {
        answer = dir.filePath(name);
        QFile file(answer);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
        file.close();
        QTest::mouseClick(page->OpenButton(), Qt::LeftButton);
    }

    // A picture of the tab as its page shows it, brought forward as a
    // user's click on its page does.
    QImage shown(TFittedImage *image)
    {
        BringPictureForward(image);
        return image->ShownImage();
    }

    QImage shownOnPatternTab(TFittedImage *image)
    {
        lab->Tabs()->setCurrentIndex(0);
        QApplication::processEvents();
        const QImage picture = image->ShownImage();
        lab->Tabs()->setCurrentWidget(page);
        return picture;
    }

    ScopedLocaleNumberSettings locale{LocaleNumberSettings::russian()};
    RecordingNotifier notifier;
    QTemporaryDir dir;
    QString answer;
    std::unique_ptr<TFormImpedance> lab;
    TFrequencyPage *page = nullptr;
};

struct EditCase
{
    const char *name;
    FrequencyField field;
    const char *typed; // typed into the field, where unit is -1
    int unit;          // else the unit chosen for it
    double value;      // the field's value taken, metres or hertz
    const char *wavelengths;
    bool sweepRedrawn; // the frequency alone leaves the band's pictures
};

// clang-format off
const EditCase kEdits[] = {
    {"LengthTyped", FrequencyField::Length, "10,3", -1, 10.3, "M = L·f/c = 0,481 λ", true},
    {"LengthInCentimetres", FrequencyField::Length, "", 1, 0.104, "M = L·f/c = 0,004857 λ", true},
    {"FrequencyTyped", FrequencyField::Frequency, "7", -1, 7e6, "M = L·f/c = 0,2428 λ", false},
    {"FrequencyInKilohertz", FrequencyField::Frequency, "", 0, 14e3, "M = L·f/c = 0,0004857 λ", false},
    {"DiameterTyped", FrequencyField::Diameter, "40", -1, 0.04, "A = r·f/c = 0,000934 λ", true},
    {"BandCutBelowItsTop", FrequencyField::SweepTo, "14,2", -1, 14.2e6, "M = L·f/c = 0,4857 λ", true},
    {"BandInKilohertz", FrequencyField::SweepFrom, "", 0, 13e3, "M = L·f/c = 0,4857 λ", true},
};
// clang-format on

} // namespace

TEST_F(FrequencyPageTest, StartsWithADipoleCutFor14MegahertzAndItsResonance)
{
    EXPECT_EQ(page->Field(FrequencyField::Length)->Value(), 10.4L);
    EXPECT_EQ(page->UnitBox(FrequencyField::Diameter)->currentText(), QStringLiteral("мм"));
    EXPECT_EQ(page->Field(FrequencyField::Diameter)->Value(), 2.0L);
    EXPECT_EQ(page->WavelengthsFigure(), QStringLiteral("M = L·f/c = 0,4857 λ A = r·f/c = 4,67E-5 λ"));
    EXPECT_TRUE(page->ModelFigure().contains(QStringLiteral("Первый резонанс: 14,0119 МГц")));
    EXPECT_FALSE(page->ClearButton()->isEnabled());
}

TEST_F(FrequencyPageTest, EveryFieldAndUnitRedrawsTheSweep)
{
    for (const EditCase &c : kEdits) {
        SetUp();
        const QImage before = shown(page->ImpedanceImage());
        const QImage smith = shown(page->SmithImage());
        const QString figures = page->ModelFigure();
        enter(c.field, QString::fromUtf8(c.typed), c.unit);
        EXPECT_NEAR(page->Model().value(c.field), c.value, 1e-9 * c.value) << c.name;
        EXPECT_TRUE(page->WavelengthsFigure().contains(QString::fromUtf8(c.wavelengths)))
            << c.name << ": " << page->WavelengthsFigure().toStdString();
        EXPECT_EQ(shown(page->ImpedanceImage()) != before, c.sweepRedrawn) << c.name;
        EXPECT_EQ(shown(page->SmithImage()) != smith, c.sweepRedrawn) << c.name;
        // The resonant length is read at the frequency, the band at the wire's size.
        EXPECT_NE(page->ModelFigure(), figures) << c.name;
        EXPECT_TRUE(notifier.boxes.empty()) << c.name;
    }
}

struct RefusalCase
{
    const char *name;
    FrequencyField field;
    const char *typed;
    int unit;
    const char *message;
};

// clang-format off
const RefusalCase kRefusals[] = {
    {"ZeroFrequency", FrequencyField::Frequency, "0", -1, "Частота: нужно число больше нуля"},
    {"TooThickForTheModel", FrequencyField::Diameter, "5000", -1, "провод слишком толстый для модели"},
    {"ThickerThanLong", FrequencyField::Length, "0,001", -1, "Диаметр провода должен быть меньше его длины"},
    {"BandTooWide", FrequencyField::SweepTo, "900", -1, "Диапазон слишком широк для этого провода: на 900 МГц"},
    {"BandInGigahertz", FrequencyField::SweepTo, "", 2, "Диапазон слишком широк"},
};
// clang-format on

TEST_F(FrequencyPageTest, ARefusedValueIsToldAndTheOldOneGoesBack)
{
    for (const RefusalCase &c : kRefusals) {
        SetUp();
        notifier.boxes.clear();
        const FrequencyWire wire = page->Model().wire();
        const long double old = page->Field(c.field)->Value();
        const QString unit = page->UnitBox(c.field)->currentText();
        const QImage before = shown(page->ImpedanceImage());
        enter(c.field, QString::fromUtf8(c.typed), c.unit);
        ASSERT_EQ(notifier.boxes.size(), 1u) << c.name;
        EXPECT_TRUE(notifier.boxes.front().text.contains(QString::fromUtf8(c.message)))
            << c.name << ": " << notifier.boxes.front().text.toStdString();
        EXPECT_EQ(page->Field(c.field)->Value(), old) << c.name;
        EXPECT_EQ(page->UnitBox(c.field)->currentText(), unit) << c.name;
        const FrequencyWire after = page->Model().wire();
        EXPECT_TRUE(after.frequency == wire.frequency && after.length == wire.length && after.diameter == wire.diameter
                    && after.sweepFrom == wire.sweepFrom && after.sweepTo == wire.sweepTo)
            << c.name;
        EXPECT_EQ(shown(page->ImpedanceImage()), before) << c.name;
    }
}

TEST_F(FrequencyPageTest, TheLinesResistanceIsTheWindowsField)
{
    const QImage swr = shown(page->SwrImage());
    TCalcEdit *field = lab->ReferenceField();
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, QStringLiteral("75"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(page->Model().referenceResistance(), 75.0);
    EXPECT_NE(shown(page->SwrImage()), swr);
}

TEST_F(FrequencyPageTest, AnOnePortOpensBesideTheModelAndIsClearedAgain)
{
    const QImage smith = shown(page->SmithImage());
    const QImage swr = shown(page->SwrImage());
    open(QStringLiteral("dipole.s1p"), kMeasuredS1p);
    EXPECT_TRUE(notifier.boxes.empty());
    EXPECT_EQ(page->Model().measuredSweep().size(), 4u);
    EXPECT_TRUE(
        page->MeasuredFigure().contains(QStringLiteral("Измерение «dipole.s1p»: резонанс 14 МГц (-0,09 % от модели)")))
        << page->MeasuredFigure().toStdString();
    EXPECT_NE(shown(page->SmithImage()), smith);
    EXPECT_NE(shown(page->SwrImage()), swr);
    EXPECT_TRUE(page->ClearButton()->isEnabled());

    // A bad file is told with its name, line and reason; the measurement stays.
    const QString figure = page->MeasuredFigure();
    const QImage measured = shown(page->SmithImage());
    open(QStringLiteral("bad.s1p"), "# MHz S RI R 50\n14.0 0.1 0.2\n14.1 x 0.2\n");
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_TRUE(notifier.boxes.front().text.contains(QStringLiteral("«bad.s1p» не открыто: строка 3: \"x\"")))
        << notifier.boxes.front().text.toStdString();
    EXPECT_EQ(page->MeasuredFigure(), figure);
    EXPECT_EQ(page->Model().measuredSweep().size(), 4u);
    EXPECT_EQ(shown(page->SmithImage()), measured);

    QTest::mouseClick(page->ClearButton(), Qt::LeftButton);
    EXPECT_EQ(page->MeasuredFigure(), QString());
    EXPECT_EQ(shown(page->SmithImage()), smith);
    EXPECT_FALSE(page->ClearButton()->isEnabled());
}

TEST_F(FrequencyPageTest, APatternFileMarksThePatternPicturesWithItsDeviation)
{
    EXPECT_EQ(pixelsOf(shownOnPatternTab(lab->PolarImage()), kMeasuredColour), 0);
    answer.clear();
    QTest::mouseClick(page->OpenButton(), Qt::LeftButton);
    EXPECT_TRUE(notifier.boxes.empty()) << "a dialog closed without a file opens nothing";
    open(QStringLiteral("turntable.csv"), kMeasuredPattern);
    EXPECT_TRUE(notifier.boxes.empty());
    EXPECT_TRUE(page->MeasuredFigure().contains(QStringLiteral("«turntable.csv»")));
    EXPECT_GT(pixelsOf(shownOnPatternTab(lab->PolarImage()), kMeasuredColour), 20);
    EXPECT_GT(pixelsOf(shownOnPatternTab(lab->RectangularImage()), kMeasuredColour), 20);
    EXPECT_TRUE(lab->ReadoutsFigure().contains(QStringLiteral("Измерение «turntable.csv», точек: 7, СКО от теории")))
        << lab->ReadoutsFigure().toStdString();
    // A one-port opened after it leaves it on the pattern's pictures.
    open(QStringLiteral("dipole.s1p"), kMeasuredS1p);
    EXPECT_GT(pixelsOf(shownOnPatternTab(lab->PolarImage()), kMeasuredColour), 20);

    QTest::mouseClick(page->ClearButton(), Qt::LeftButton);
    EXPECT_EQ(pixelsOf(shownOnPatternTab(lab->PolarImage()), kMeasuredColour), 0);
    EXPECT_FALSE(lab->ReadoutsFigure().contains(QStringLiteral("Измерение")));
}
