// The main window driven as a user would: typing lengths, ticking rows,
// pressing the commands. The pictures are compared with pictures drawn
// directly by the plotting core, so a wrong colour, order, position or a
// missing clear shows up as a pixel difference.
#include "RecordingNotifier.h"
#include "ShownMainWindow.h"
#include "app/Application.h"
#include "app/ImageControl.h"
#include "app/UnitMain.h"
#include "numbers/LocaleNumberSettings.h"
#include "plot/DrawingSurface.h"
#include "plot/PlotCommands.h"
#include "plot/PolarPlot.h"
#include "plot/RectangularPlot.h"
#include "widgets/CalcEdit.h"
#include "widgets/ColorCombo.h"

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

const QString kTooLongText = QStringLiteral("Ну, Вы, имейте совесть!\r\nНичего толком не увидите уже!");
const QString kTooLongCaption = QStringLiteral("Слишком большое значение!");

// Reference pictures drawn straight onto surfaces, as a command should.
struct Reference
{
    DrawingSurface polar{kPictureWidth, kPictureHeight};
    DrawingSurface rect{kPictureWidth, kPictureHeight};
    int y = 10;

    Reference()
    {
        for (DrawingSurface *s : {&polar, &rect}) {
            ClearPicture(*s);
            s->setFontSize(30);
            s->setFontName(QStringLiteral("Arial"));
        }
        polar.setFontSize(12);
    }
    void plot(TColor colour, double M, bool fill = true)
    {
        DrawPolarPattern(polar, colour, M, fill);
        DrawRectangularPattern(rect, colour, M);
    }
    void legend(TColor colour, const QString &text)
    {
        for (DrawingSurface *s : {&polar, &rect}) {
            s->setFontColor(colour);
            s->setFontSize(10);
            s->textOut(60, y, QStringLiteral("M=") + text);
        }
        y += 22;
    }
};

class MainWindowTest : public ShownMainWindowTest
{
protected:
    template <class T> T *get(const QString &name) const
    {
        T *w = form->findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    TCalcEdit *length(int n) const { return get<TCalcEdit>(QStringLiteral("CalcEdit%1").arg(n)); }
    QCheckBox *tick(int n) const { return get<QCheckBox>(QStringLiteral("CheckBox%1").arg(n)); }
    TColorComboBox *colour(int n) const { return get<TColorComboBox>(QStringLiteral("ColorComboBox%1").arg(n)); }
    QPushButton *button(int n) const { return get<QPushButton>(QStringLiteral("Button%1").arg(n)); }

    // Types a length into a field the way a user does: focus, select all, type.
    void typeLength(int n, const QString &text)
    {
        TCalcEdit *field = length(n);
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }
    void build(const QString &text)
    {
        typeLength(1, text);
        QTest::mouseClick(button(1), Qt::LeftButton);
    }
    std::vector<long double> familyLengths() const
    {
        std::vector<long double> values;
        for (int n = 2; n <= 8; ++n)
            values.push_back(length(n)->Value());
        return values;
    }
    const QImage &polar() const { return form->Image1()->ShownImage(); }
    const QImage &rect() const { return form->Image2()->ShownImage(); }

    ScopedLocaleNumberSettings locale{LocaleNumberSettings::russian()};
    RecordingNotifier notifier;
};

bool isAllWhite(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                return false;
    return true;
}

} // namespace

TEST_F(MainWindowTest, StartsWithTheTitleOnThePolarPictureAndAFixedWindow)
{
    EXPECT_EQ(form->windowTitle(), "Построение ДН СВ");
    EXPECT_EQ(form->size(), QSize(792, 548));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(get<QTabWidget>("PageControl1")->currentIndex(), 0);
    EXPECT_TRUE(button(1)->hasFocus()) << "the first control in the tab order";

    ASSERT_NE(form->Image1()->Surface(), nullptr);
    EXPECT_EQ(polar().size(), QSize(778, 462));
    EXPECT_EQ(form->Image1()->size(), QSize(778, 462));
    EXPECT_FALSE(isAllWhite(polar()));
    EXPECT_TRUE(isAllWhite(rect()));

    // The two 30-point lines and the 12-point line, all drawn in the
    // window-text colour around the middle of the picture.
    Reference ref;
    DrawingSurface &s = ref.polar;
    s.setFontSize(30);
    for (auto [text, y] : {std::pair{QStringLiteral("Исследование направленных свойств"), 185},
                           std::pair{QStringLiteral("симметричного вибратора"), 225}})
        s.textOut(389 - s.textWidth(text) / 2, y, text);
    s.setFontSize(12);
    s.textOut(389 - s.textWidth(TForm1::StartupSubtitle()) / 2, 300, TForm1::StartupSubtitle());
    EXPECT_EQ(polar(), s.image());
    EXPECT_EQ(form->Image2()->Surface()->fontName(), "Arial");
    DrawingSurface thirtyPoints(1, 1);
    thirtyPoints.setFontSize(30);
    EXPECT_EQ(form->Image2()->Surface()->fontHeight(), thirtyPoints.fontHeight());

    EXPECT_EQ(length(1)->Value(), 0.5L);
    EXPECT_EQ(colour(1)->ColorValue(), clNavy);
    EXPECT_TRUE(tick(1)->isChecked());
    const TColor rowColours[] = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal};
    for (int n = 2; n <= 8; ++n) {
        EXPECT_EQ(colour(n)->ColorValue(), rowColours[n - 2]) << n;
        EXPECT_EQ(length(n)->text(), "") << n;
        EXPECT_FALSE(tick(n)->isChecked()) << n;
    }
    // The form's own settings of every length field reach it.
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(length(n)->DecimalPlaces(), 8u) << n;
        EXPECT_EQ(length(n)->DisplayFormat(), ",0.########") << n;
        EXPECT_EQ(length(n)->NumGlyphs(), 2) << n;
    }
}

TEST_F(MainWindowTest, BuildRecordsNewLengthsAndDrawsBothPlots)
{
    QTest::mouseClick(button(1), Qt::LeftButton);
    Reference ref;
    ref.plot(clNavy, 0.5);
    EXPECT_EQ(polar(), ref.polar.image()) << "start-up title cleared, navy curve with fill";
    EXPECT_EQ(rect(), ref.rect.image());
    EXPECT_EQ(familyLengths(), (std::vector<long double>{0.5L, 0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(tick(2)->isChecked());
    EXPECT_EQ(length(2)->text(), "0,5");

    build("0,5");
    EXPECT_EQ(familyLengths(), (std::vector<long double>{0.5L, 0, 0, 0, 0, 0, 0}));

    tick(1)->setChecked(false);
    colour(1)->SetColorValue(clRed);
    build("0,75");
    EXPECT_EQ(familyLengths(), (std::vector<long double>{0.5L, 0.75L, 0, 0, 0, 0, 0}));
    Reference red;
    red.plot(clRed, 0.75, false);
    EXPECT_EQ(polar(), red.polar.image());
    EXPECT_EQ(rect(), red.rect.image());
    EXPECT_TRUE(notifier.boxes.empty());
}

TEST_F(MainWindowTest, LengthsOfThirtyAndMoreAreRefused)
{
    build("0,5");
    const QImage polarBefore = polar();
    const QImage rectBefore = rect();
    const auto rowsBefore = familyLengths();

    for (const char *text : {"30", "1000"}) {
        notifier.boxes.clear();
        build(QString::fromLatin1(text));
        ASSERT_EQ(notifier.boxes.size(), 1u) << text;
        EXPECT_EQ(notifier.boxes[0].text, kTooLongText);
        EXPECT_EQ(notifier.boxes[0].caption, kTooLongCaption);
        EXPECT_FALSE(notifier.boxes[0].error);
        EXPECT_EQ(polar(), polarBefore) << text;
        EXPECT_EQ(rect(), rectBefore) << text;
        EXPECT_EQ(familyLengths(), rowsBefore) << text;
    }

    notifier.boxes.clear();
    build("29,99");
    EXPECT_TRUE(notifier.boxes.empty());
    EXPECT_EQ(length(3)->Value(), 29.99L);
    EXPECT_NE(polar(), polarBefore);
}

TEST_F(MainWindowTest, NegativeLengthIsRecordedAndDrawnLikeItsMagnitude)
{
    build("-0,5");
    EXPECT_EQ(length(2)->Value(), -0.5L);
    Reference ref;
    ref.plot(clNavy, 0.5);
    EXPECT_EQ(polar(), ref.polar.image());
    EXPECT_EQ(rect(), ref.rect.image());

    // Zero equals an empty row, so it is never recorded.
    build("0");
    EXPECT_EQ(familyLengths(), (std::vector<long double>{-0.5L, 0, 0, 0, 0, 0, 0}));
}

TEST_F(MainWindowTest, BuildRecordsNothingWhenTheTableIsFullOrHoldsTheLength)
{
    for (int n = 2; n <= 8; ++n)
        length(n)->SetValue(n);
    build("1,25");
    EXPECT_EQ(familyLengths(), (std::vector<long double>{2, 3, 4, 5, 6, 7, 8}));
    Reference ref;
    ref.plot(clNavy, 1.25);
    EXPECT_EQ(polar(), ref.polar.image());

    for (int n = 2; n <= 8; ++n)
        length(n)->SetValue(0);
    length(5)->SetValue(1.25L);
    build("1,25");
    EXPECT_EQ(familyLengths(), (std::vector<long double>{0, 0, 0, 1.25L, 0, 0, 0}));
}

TEST_F(MainWindowTest, FamilyDrawsTickedUsableRowsWithLegends)
{
    const struct
    {
        int row;
        const char *text;
        bool ticked;
    } rows[] = {
        {2, "30", true},    // too long: skipped silently
        {3, "0,5", true},   // maroon, legend at y 10
        {4, "1", false},    // not ticked
        {5, "-1", true},    // negative: skipped
        {6, "1,5", true},   // navy, legend at y 32
        {7, "", true},      // empty row reads 0: skipped
        {8, "29,99", true}, // teal, legend at y 54
    };
    for (const auto &r : rows) {
        typeLength(r.row, QString::fromUtf8(r.text));
        tick(r.row)->setChecked(r.ticked);
    }
    get<QTabWidget>("PageControl1")->setCurrentIndex(2);
    QTest::mouseClick(button(4), Qt::LeftButton);

    Reference ref;
    ref.plot(clMaroon, 0.5);
    ref.legend(clMaroon, "0,5");
    ref.plot(clNavy, 1.5);
    ref.legend(clNavy, "1,5");
    ref.plot(clTeal, 29.99);
    ref.legend(clTeal, "29,99");
    EXPECT_EQ(polar(), ref.polar.image());
    EXPECT_EQ(rect(), ref.rect.image());

    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_EQ(notifier.boxes[0].text, "Диаграммы построены!");
    EXPECT_EQ(notifier.boxes[0].caption, "Выпонено успешно");

    // A second press clears first, so it gives the same pictures.
    const QImage polarFirst = polar();
    QTest::mouseClick(button(4), Qt::LeftButton);
    EXPECT_EQ(polar(), polarFirst);
    EXPECT_EQ(rect(), ref.rect.image());
}

TEST_F(MainWindowTest, FamilyOfSevenRowsUsesTheRowColoursAndTheFillOption)
{
    tick(1)->setChecked(false);
    const TColor rowColours[] = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal};
    Reference ref;
    for (int n = 2; n <= 8; ++n) {
        length(n)->SetValue(0.25L * n);
        tick(n)->setChecked(true);
        ref.plot(rowColours[n - 2], 0.25 * n, false);
        ref.legend(rowColours[n - 2], length(n)->text());
    }
    EXPECT_EQ(ref.y, 164) << "legends at 10, 32, ..., 142";
    QTest::mouseClick(button(4), Qt::LeftButton);
    EXPECT_EQ(polar(), ref.polar.image());
    EXPECT_EQ(rect(), ref.rect.image());
}

TEST_F(MainWindowTest, FamilyWithNoRowTickedClearsAndStillReports)
{
    length(3)->SetValue(0.5L);
    QTest::mouseClick(button(4), Qt::LeftButton);
    EXPECT_TRUE(isAllWhite(polar()));
    EXPECT_TRUE(isAllWhite(rect()));
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_EQ(notifier.boxes[0].text, "Диаграммы построены!");
}

TEST_F(MainWindowTest, SaveWritesBothPicturesIntoTheCurrentDirectory)
{
    CurrentDirectory dir;
    QTest::mouseClick(button(2), Qt::LeftButton);
    EXPECT_TRUE(notifier.boxes.empty());
    EXPECT_TRUE(QFile::exists(dir.path() + "/dn1.bmp"));
    EXPECT_TRUE(QFile::exists(dir.path() + "/dn2.bmp"));
    EXPECT_EQ(QFileInfo(dir.path() + "/dn1.bmp").size(), 1437798);
}

TEST_F(MainWindowTest, SaveIntoAnUnwritableDirectoryShowsTheErrorBoxAndWritesNothing)
{
    CurrentDirectory dir;
    if (geteuid() == 0) {
        // The superuser writes into read-only directories; a directory that
        // no longer exists refuses every new file.
        const QString gone = dir.path() + "/gone";
        QDir().mkdir(gone);
        QDir::setCurrent(gone);
        QDir().rmdir(gone);
    } else {
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    }
    const QImage before = polar();
    QTest::mouseClick(button(2), Qt::LeftButton);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_EQ(notifier.boxes[0].text, "Cannot create file dn1.bmp.");
    EXPECT_EQ(notifier.boxes[0].caption, "Построение ДН СВ");
    EXPECT_TRUE(notifier.boxes[0].error);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(polar(), before);

    // The window goes on working after the error.
    notifier.boxes.clear();
    QTest::mouseClick(button(1), Qt::LeftButton);
    EXPECT_TRUE(notifier.boxes.empty());
    EXPECT_NE(polar(), before);
}

TEST_F(MainWindowTest, SaveStopsAtTheSecondFileWhenItCannotBeCreated)
{
    CurrentDirectory dir;
    // A directory in the way cannot be opened as a file, even by the superuser.
    QDir(dir.path()).mkdir("dn2.bmp");
    QTest::mouseClick(button(2), Qt::LeftButton);
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_EQ(notifier.boxes[0].text, "Cannot create file dn2.bmp.");
    EXPECT_TRUE(notifier.boxes[0].error);
    EXPECT_FALSE(QFile::exists(dir.path() + "/dn1.bmp")); // the pair is saved whole or not at all
}

TEST_F(MainWindowTest, AboutOpensAModalWindowEachTimeCentredOverTheMainWindow)
{
    for (int round = 0; round < 3; ++round) {
        bool seen = false;
        QPoint centreOffset;
        QString caption;
        QTimer::singleShot(0, form.get(), [&] {
            QWidget *about = QApplication::activeModalWidget();
            if (!about)
                return;
            seen = true;
            caption = about->windowTitle();
            centreOffset = about->geometry().center() - form->geometry().center();
            auto *ok = about->findChild<QPushButton *>("Button1");
            ASSERT_NE(ok, nullptr);
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        QTest::mouseClick(button(3), Qt::LeftButton);
        EXPECT_TRUE(seen) << round;
        EXPECT_EQ(caption, "О программе...");
        EXPECT_LE(centreOffset.manhattanLength(), 2) << round;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
    EXPECT_TRUE(form->findChildren<QDialog *>().isEmpty()) << "closed About windows are released";
}

namespace {

// What a user sees on resting the pointer at pos of an image: the tooltip's
// text, or nothing.
QString hover(TImage *image, QPoint pos)
{
    QToolTip::hideText();
    QHelpEvent help(QEvent::ToolTip, pos, image->mapToGlobal(pos));
    QApplication::sendEvent(image, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

// The tooltip's own window, while one shows.
const QWidget *shownToolTip()
{
    for (const QWidget *widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->objectName() == QLatin1String("qtooltip_label"))
            return widget;
    return nullptr;
}

} // namespace

TEST_F(MainWindowTest, PicturesShowTheReadoutsOfTheLastBuildAsTooltips)
{
    EXPECT_EQ(hover(form->Image1(), {389, 231}), QString()) << "nothing built yet";
    EXPECT_EQ(hover(form->Image2(), {200, 300}), QString());

    build("0,5");
    const QImage polarBefore = polar();
    const QImage rectBefore = rect();
    const QString summary =
        QStringLiteral("М = 0,5\nМаксимум при θ = 90,00°\n"
                       "Ширина ДН по половинной мощности: 78,1°\n"
                       "Ширина ДН по уровню 0,7: 79,2°\nСкобка на графике (0,7): 73,0°\nКНД: 1,64 (2,15 дБи)\n"
                       "Rизл: 73,1 Ом\nRвх: 73,1 Ом\nБоковые лепестки: нет\nНули: нет");
    const QString hint = QStringLiteral("\nПравый щелчок: меню и окно «Лаборатория»");
    EXPECT_EQ(hover(form->Image1(), {100, 100}), summary + hint);
    // Column 200 of the rectangular picture is sample 180, 90°, where F = 1;
    // column 110 is 45°, F = 0.62793…
    EXPECT_EQ(hover(form->Image2(), {200, 50}), summary + QStringLiteral("\nθ = 90°, F = 1") + hint);
    EXPECT_EQ(hover(form->Image2(), {110, 400}), summary + QStringLiteral("\nθ = 45°, F = 0,6279") + hint);
    EXPECT_EQ(hover(form->Image2(), {19, 400}), summary + hint) << "left of the curve";
    EXPECT_EQ(hover(form->Image2(), {741, 400}), summary + hint) << "right of the curve";
    EXPECT_EQ(polar(), polarBefore) << "hovering draws nothing";
    EXPECT_EQ(rect(), rectBefore);

    // The user's separator, and a length whose feed sits at a current null.
    {
        ScopedLocaleNumberSettings english(LocaleNumberSettings::english());
        build("1");
        const QString text = hover(form->Image1(), {100, 100});
        EXPECT_TRUE(text.startsWith(QStringLiteral("М = 1\n"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("\nКНД: 2.41 (3.82 дБи)\n"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("\nRвх: не определено\n(узел тока в точке питания)\n")));
    }

    // A refused length leaves the pictures and their tooltips alone.
    build("30");
    EXPECT_TRUE(hover(form->Image1(), {100, 100}).startsWith(QStringLiteral("М = 1\n")));

    tick(2)->setChecked(true);
    QTest::mouseClick(button(4), Qt::LeftButton);
    EXPECT_EQ(hover(form->Image1(), {100, 100}), QString()) << "no tooltip after a family";
    EXPECT_EQ(hover(form->Image2(), {200, 50}), QString());

    // A long negative length is drawn but has no readouts.
    build("-40");
    EXPECT_EQ(hover(form->Image1(), {100, 100}), QString());
}

TEST_F(MainWindowTest, TooltipsStayInsideTheWindowAndOffThePointer)
{
    // The longest length has the tallest block: its many nulls.
    build("29,99");
    const QRect window(form->mapToGlobal(QPoint(0, 0)), form->size());
    for (TImage *image : {form->Image1(), form->Image2()}) {
        for (const QPoint pos : {QPoint(5, 5), QPoint(389, 231), QPoint(770, 10), QPoint(10, 455), QPoint(770, 455),
                                 QPoint(200, 30), QPoint(600, 300)}) {
            ASSERT_FALSE(hover(image, pos).isEmpty());
            const QWidget *tip = shownToolTip();
            ASSERT_NE(tip, nullptr);
            const QPoint pointer = image->mapToGlobal(pos);
            EXPECT_TRUE(window.contains(tip->geometry())) << pos.x() << "," << pos.y();
            EXPECT_FALSE(tip->geometry().adjusted(-3, -3, 3, 3).contains(pointer)) << pos.x() << "," << pos.y();
            EXPECT_LT(tip->width(), 400) << "a narrow block";
        }
    }
}
