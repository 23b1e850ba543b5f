// The laboratory's tabs driven with the mouse as a user would: the
// impedance chart zoomed by a drag, the wheel, a double click and its
// button, the SWR-against-the-line picture following the radius and the
// builds, the pattern's table of lobes, and a family drawn against its
// own maxima or on one dBi scale.
#include "RecordingNotifier.h"
#include "ShownMainWindow.h"
#include "app/ImpedancePage.h"
#include "app/ImpedanceWindow.h"
#include "app/LobeTable.h"
#include "labelled/LabelledStyle.h"
#include "numbers/LocaleNumberSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <vector>

namespace {

const QColor kResonanceColour(0x2e, 0x7d, 0x32);

// The columns of the marks of X = 0 (dashed green lines at least 20 pixels
// high) in the picture, left to right.
std::vector<int> resonanceColumns(const QImage &image)
{
    std::vector<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        int rows = 0;
        for (int y = 0; y < image.height(); ++y) {
            const QColor pixel(image.pixel(x, y));
            rows += std::abs(pixel.red() - kResonanceColour.red()) < 40
                    && std::abs(pixel.green() - kResonanceColour.green()) < 40
                    && std::abs(pixel.blue() - kResonanceColour.blue()) < 40;
        }
        if (rows >= 20 && (columns.empty() || columns.back() < x - 2))
            columns.push_back(x);
    }
    return columns;
}

class LaboratoryTabsTest : public ShownMainWindowTest
{
protected:
    static void showTab(TFormImpedance *window, QWidget *page)
    {
        window->Tabs()->setCurrentWidget(page);
        QApplication::processEvents();
    }

    static void wheel(QWidget *image, double x, int delta)
    {
        const QPointF at(x, image->height() / 2.0);
        QWheelEvent event(at, image->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(image, &event);
    }

    ScopedLocaleNumberSettings locale{LocaleNumberSettings::russian()};
    RecordingNotifier notifier;
};

// Every step starts where the one before left the chart. A drag goes from
// the mark of one resonance to the mark of another, found by their pixels,
// so that the lengths zoomed to are those the marks stand for: X = 0 at
// 0.478 and 1.062 for the default radius.
TEST_F(LaboratoryTabsTest, TheImpedanceChartZoomsByDragWheelAndBackToTheWholeRange)
{
    TFormImpedance *window = open(QStringLiteral("0,5"));
    ASSERT_NE(window, nullptr);
    TImpedancePage *page = window->ImpedancePage();
    showTab(window, page);
    TFittedImage *image = page->ImpedanceImage();
    const std::pair<double, double> whole(0.1, 3.0);
    EXPECT_EQ(page->Range(), whole);
    const std::vector<int> marks = resonanceColumns(image->ShownImage());
    ASSERT_EQ(marks.size(), 5u);
    // One pixel of the whole range in lengths, the tolerance of a drag.
    const double pixel = (whole.second - whole.first) / image->width();

    enum class Step { Drag, WheelIn, WheelOut, DoubleClick, Button };
    struct Case
    {
        const char *name;
        Step step;
        std::pair<double, double> range; // expected after the step
        double tolerance;
    };
    // The wheel zooms by 0.8 a notch about the length under the pointer,
    // here the middle of the range shown: 0.770 ± 0.292 · 0.8.
    const Case cases[] = {
        {"drag from one resonance to the next", Step::Drag, {0.478, 1.062}, 3 * pixel},
        {"one notch in", Step::WheelIn, {0.770 - 0.2336, 0.770 + 0.2336}, 3 * pixel},
        {"one notch out", Step::WheelOut, {0.478, 1.062}, 3 * pixel},
        {"a double click", Step::DoubleClick, whole, 1e-9},
        {"drag again", Step::Drag, {0.478, 1.062}, 3 * pixel},
        {"the button", Step::Button, whole, 1e-9},
    };
    for (const Case &c : cases) {
        const auto [from, to] = page->Range();
        switch (c.step) {
        case Step::Drag:
            QTest::mousePress(image, Qt::LeftButton, {}, QPoint(marks[0], image->height() / 2));
            QTest::mouseMove(image, QPoint((marks[0] + marks[1]) / 2, image->height() / 2));
            QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(marks[1], image->height() / 2));
            break;
        case Step::WheelIn:
        case Step::WheelOut: {
            // The column of the range's middle, found back from the mapping
            // checked by the drag.
            int x = 0;
            while (x < image->width() && *page->LengthAt(x) < (from + to) / 2)
                ++x;
            wheel(image, x, c.step == Step::WheelIn ? 120 : -120);
            break;
        }
        case Step::DoubleClick:
            QTest::mouseDClick(image, Qt::LeftButton, {}, QPoint(image->width() / 2, image->height() / 2));
            break;
        case Step::Button: QTest::mouseClick(page->FullRangeButton(), Qt::LeftButton); break;
        }
        EXPECT_NEAR(page->Range().first, c.range.first, c.tolerance) << c.name;
        EXPECT_NEAR(page->Range().second, c.range.second, c.tolerance) << c.name;
        EXPECT_EQ(image->ShownImage().size(), image->size()) << c.name;
    }
}

// The line-SWR picture is the built length's with the radius field's
// radius, drawn again for each (at M = 0.5 the impedance is the same for
// every thin radius, so the radius is changed at 0.75); where the impedance
// is not finite it is none (a current node at M = 1).
TEST_F(LaboratoryTabsTest, TheLineSwrPictureFollowsTheRadiusAndTheBuilds)
{
    TFormImpedance *window = open(QStringLiteral("0,5"));
    ASSERT_NE(window, nullptr);
    TImpedancePage *page = window->ImpedancePage();
    showTab(window, page);
    struct Case
    {
        const char *length; // built, or nullptr to keep it
        const char *radius; // typed, or nullptr to keep it
        bool drawn;
    };
    const Case cases[] = {
        {nullptr, nullptr, true}, {"0,75", nullptr, true}, {nullptr, "0,01", true},
        {"1", nullptr, false},    {"1,4", "0,002", true},
    };
    QImage before = page->LineSwrImage()->ShownImage();
    for (const Case &c : cases) {
        if (c.length)
            build(QString::fromUtf8(c.length));
        if (c.radius) {
            QApplication::setActiveWindow(window);
            window->RadiusField()->setFocus();
            window->RadiusField()->selectAll();
            QTest::keyClick(window->RadiusField(), Qt::Key_Delete);
            QTest::keyClicks(window->RadiusField(), QString::fromUtf8(c.radius));
            QTest::keyClick(window->RadiusField(), Qt::Key_Return);
        }
        showTab(window, page);
        const std::string name = std::string(c.length ? c.length : "-") + " " + (c.radius ? c.radius : "-");
        ASSERT_EQ(page->LineSwr().has_value(), c.drawn) << name;
        const QImage shown = page->LineSwrImage()->ShownImage();
        if (!c.drawn)
            continue;
        EXPECT_EQ(page->LineSwr()->radius, window->Model().radius()) << name;
        EXPECT_EQ(page->LineSwr()->length, window->Model().length()) << name;
        EXPECT_EQ(page->LineSwr()->input.resistance, window->Model().inputImpedance()->resistance) << name;
        EXPECT_EQ(page->LineSwr()->input.reactance, window->Model().inputImpedance()->reactance) << name;
        if (c.length || c.radius) {
            EXPECT_NE(shown, before) << name;
        }
        before = shown;
    }
}

// The table lists what dipole-render --lobes lists for the length (its
// figures here), with the decimal comma and the minus sign, the rival's row
// tinted; a length with no pattern, none.
TEST_F(LaboratoryTabsTest, TheLobeTableListsEveryLobeOfTheBuiltLength)
{
    TFormImpedance *window = open(QStringLiteral("0,5"));
    ASSERT_NE(window, nullptr);
    struct Case
    {
        const char *length;
        std::vector<QStringList> rows;
        int tintedRow; // -1: none
    };
    const Case cases[] = {
        {"0,5", {{"90,00°", "0,00 дБ", "78,08°", "максимум"}}, -1},
        {"1,5", {{"42,56°", "0,00 дБ", "32,80°", "максимум"}, {"90,00°", "−2,92 дБ", "19,54°", ""}}, -1},
        {"1,44",
         {{"40,18°", "−0,03 дБ", "32,08°", "соперник: в пределах 1 дБ от максимума"},
          {"90,00°", "0,00 дБ", "22,47°", "максимум"}},
         0},
        {"1,46",
         {{"40,99°", "0,00 дБ", "32,36°", "максимум"},
          {"90,00°", "−0,95 дБ", "21,48°", "соперник: в пределах 1 дБ от максимума"}},
         1},
        {"2,5",
         {{"32,20°", "0,00 дБ", "24,75°", "максимум"},
          {"65,93°", "−4,11 дБ", "12,70°", ""},
          {"90,00°", "−4,88 дБ", "11,55°", ""}},
         -1},
        {"-35", {}, -1},
    };
    const QTableWidget *table = window->LobeTable();
    for (const Case &c : cases) {
        build(QString::fromUtf8(c.length));
        ASSERT_EQ(table->rowCount(), int(c.rows.size())) << c.length;
        for (int row = 0; row < table->rowCount(); ++row) {
            for (int column = 0; column < 4; ++column)
                EXPECT_EQ(table->item(row, column)->text(), c.rows[size_t(row)][column])
                    << c.length << " row " << row << " column " << column;
            EXPECT_EQ(table->item(row, 0)->background() != QBrush(), row == c.tintedRow) << c.length << " " << row;
        }
    }
    EXPECT_EQ(table->editTriggers(), QAbstractItemView::NoEditTriggers);
}

// The value of the rectangular picture's axis at the top pixel of the
// curve drawn in colour: its maximum as drawn, read off the pixels with the
// picture's own plot area and axis.
double drawnMaximum(const QImage &image, const QRectF &plot, double top, double range, const QColor &colour)
{
    for (int y = int(plot.top()); y < int(plot.bottom()); ++y)
        for (int x = int(plot.left()) + 2; x < int(plot.right()) - 2; ++x)
            if (std::abs(qRed(image.pixel(x, y)) - colour.red()) < 30
                && std::abs(qGreen(image.pixel(x, y)) - colour.green()) < 30
                && std::abs(qBlue(image.pixel(x, y)) - colour.blue()) < 30)
                return top - range * (y + 0.5 - plot.top()) / plot.height();
    return -1000.0;
}

// 0.5 λ and 1.25 λ drawn as a family from the main window's rows: each
// against its own maximum both reach the top; on the common scale the
// 1.25 λ curve's maximum stands 10·log10(3.28 / 1.64) ≈ 3.0 dB above the
// half-wave's, at 2.15 dBi and 5.16 dBi on an axis topped at 10 dBi. The
// next build shows the built length again.
TEST_F(LaboratoryTabsTest, AFamilyIsDrawnAgainstItsOwnMaximaOrOnOneDbiScale)
{
    build(QStringLiteral("1,25"));
    TFormImpedance *window = open(QStringLiteral("0,5"));
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->FamilyScaleBox()->isEnabled()) << "no family yet";
    for (const char *row : {"CheckBox2", "CheckBox3"})
        form->findChild<QCheckBox *>(QString::fromLatin1(row))->setChecked(true);
    QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("Button4")), Qt::LeftButton);
    ASSERT_EQ(window->Patterns()->patterns().size(), 2u);
    EXPECT_EQ(window->findChild<QComboBox *>(QStringLiteral("SolidLengthBox"))->count(), 2)
        << "the solid's page offers the family's lengths one at a time";
    EXPECT_TRUE(window->FamilyScaleBox()->isEnabled());
    EXPECT_EQ(window->LobeTable()->rowCount(), 0);
    struct Case
    {
        int scale;           // the family scale box's choice
        double top;          // the axis's top value
        double half, longer; // the curves' maxima as drawn
    };
    const Case cases[] = {{0, 1.0, 1.0, 1.0}, {1, 10.0, 2.15, 5.16}};
    for (const Case &c : cases) {
        window->FamilyScaleBox()->setCurrentIndex(c.scale);
        EXPECT_EQ(window->DecibelBox()->isEnabled(), c.scale == 0) << "the common scale is in dB";
        window->Tabs()->setCurrentIndex(0);
        const QImage image = window->RectangularImage()->ShownImage();
        const LabelledPatterns *patterns = window->Patterns();
        const ScopedLabelledUnit unit(window->PictureUnit());
        const QRectF plot = patterns->rectangularPlotArea(QRectF(QPointF(0, 0), QSizeF(image.size())));
        const double range = c.scale == 0 ? 1.0 : 40.0;
        const double pixel = range / plot.height();
        for (const LabelledPatterns::Pattern &pattern : patterns->patterns()) {
            const double drawn = drawnMaximum(image, plot, c.top, range, QColor::fromRgb(ToQRgb(pattern.curve.colour)));
            EXPECT_NEAR(drawn, pattern.curve.length == 0.5 ? c.half : c.longer, 3 * pixel)
                << c.scale << " " << pattern.curve.length;
        }
    }
    build(QStringLiteral("1,5"));
    ASSERT_EQ(window->Patterns()->patterns().size(), 1u);
    EXPECT_EQ(window->Patterns()->patterns().front().curve.length, 1.5);
    EXPECT_FALSE(window->FamilyScaleBox()->isEnabled());
}

} // namespace
