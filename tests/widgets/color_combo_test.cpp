// The colour picker's rules that can break: list contents, the ColorValue
// read/write rules, OnChange/OnClick counts and order, item height and the
// swatch drawing; the wheel also on an X server, where it can give the focus.
#include "RealInput.h"
#include "widgets/ColorCombo.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QStringList itemNames(const QComboBox &box)
{
    QStringList names;
    for (int i = 0; i < box.count(); ++i)
        names << box.itemText(i);
    return names;
}

} // namespace

TEST(ColorComboTest, ListsTheStandardColoursInTableOrder)
{
    TColorComboBox box;
    EXPECT_EQ(itemNames(box), (QStringList{"Black", "Maroon", "Green", "Olive", "Navy", "Purple", "Teal", "Gray",
                                           "Silver", "Red", "Lime", "Yellow", "Blue", "Fuchsia", "Aqua", "White"}));
    EXPECT_EQ(box.ItemColor(4), clNavy);
    EXPECT_EQ(box.ItemColor(9), clRed);
    EXPECT_EQ(box.ColorValue(), clBlack);
    EXPECT_EQ(box.currentText(), "Black");

    box.SetOptions(coIncludeNone | coIncludeDefault);
    ASSERT_EQ(box.count(), 18);
    EXPECT_EQ(box.itemText(16), "None");
    EXPECT_EQ(box.ItemColor(16), clNone);
    EXPECT_EQ(box.itemText(17), "Default");
    EXPECT_EQ(box.ItemColor(17), clDefault);

    box.SetOptions(coIncludeDefault);
    ASSERT_EQ(box.count(), 17);
    EXPECT_EQ(box.itemText(16), "Default");
}

TEST(ColorComboTest, WritingAColourSelectsItAndNotifiesOnlyOnAChange)
{
    TColorComboBox box;
    QSignalSpy changes(&box, &TColorComboBox::OnChange);
    box.SetColorValue(clRed);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(box.currentText(), "Red");
    box.SetColorValue(clRed);
    EXPECT_EQ(changes.count(), 1);

    box.SetOptions(coIncludeNone);
    EXPECT_EQ(box.currentText(), "Red") << "re-creating the list selects the colour again";
    EXPECT_EQ(changes.count(), 1);
}

TEST(ColorComboTest, AColourOutsideTheListIsKept)
{
    TColorComboBox box;
    QSignalSpy changes(&box, &TColorComboBox::OnChange);
    box.SetColorValue(0x123456);
    EXPECT_EQ(box.currentIndex(), -1);
    EXPECT_EQ(box.ColorValue(), TColor(0x123456));
    EXPECT_EQ(changes.count(), 1);
    // No item is selected, so the same colour is written (and announced) again.
    box.SetColorValue(0x123456);
    EXPECT_EQ(changes.count(), 2);
    box.SetColorNames({"", "Бордовый"});
    EXPECT_EQ(box.ColorValue(), TColor(0x123456));
    EXPECT_EQ(box.currentIndex(), -1);

    TColorComboBox editable;
    editable.SetDrawStyle(csDropDown);
    editable.SetColorValue(0x123456);
    EXPECT_EQ(editable.currentText(), "$00123456");
    EXPECT_EQ(editable.ColorValue(), TColor(0x123456));
    editable.SetColorValue(clWindowText);
    EXPECT_EQ(editable.currentText(), "WindowText");
    EXPECT_EQ(editable.ColorValue(), clWindowText);
}

TEST(ColorComboTest, PickingNotifiesChangeBeforeClickAndOnlyForANewColour)
{
    TColorComboBox box;
    box.show();
    QStringList order;
    QObject::connect(&box, &TColorComboBox::OnChange, &box, [&] { order << "change"; });
    QObject::connect(&box, &TColorComboBox::OnClick, &box, [&] { order << "click"; });

    QTest::keyClick(&box, Qt::Key_Down);
    EXPECT_EQ(order, (QStringList{"change", "click"}));
    EXPECT_EQ(box.ColorValue(), clMaroon);

    order.clear();
    box.showPopup();
    ASSERT_TRUE(QTest::qWaitFor([&] { return box.view()->isVisible(); }, 2000));
    QTest::keyClick(box.view(), Qt::Key_Return);
    EXPECT_EQ(order, QStringList{"click"});
    EXPECT_EQ(box.ColorValue(), clMaroon);
}

TEST(ColorComboTest, TheListDropsDownBelowTheFieldInOwnerDrawnRows)
{
    // A box styled on its own, and every box under the application's style
    // (as the program has it), whose list is built when it first drops down.
    struct Case
    {
        const char *name;
        bool applicationStyle;
    };
    const Case cases[] = {{"a style of the box's own", false}, {"the application's style", true}};
    const QString previousStyle = QApplication::style()->name();
    for (const Case &c : cases) {
        if (c.applicationStyle)
            QApplication::setStyle(NewDropDownListStyle());
        {
            TColorComboBox box;
            box.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&box)) << c.name;
            for (int size : {11, 20}) {
                // A font changed once the list exists refits its rows too.
                QFont font = box.font();
                font.setPixelSize(size);
                box.setFont(font);
                box.showPopup();
                ASSERT_TRUE(QTest::qWaitFor([&] { return box.view()->isVisible(); }, 2000)) << c.name;
                QAbstractItemView *list = box.view();
                EXPECT_EQ(list->sizeHintForRow(0), box.ItemHeight()) << c.name << ", " << size << " px";
                EXPECT_EQ(list->viewport()->height() / box.ItemHeight(), 8) << c.name << ", " << size << " px";
                EXPECT_GE(list->window()->geometry().top(), box.mapToGlobal(QPoint(0, box.height() - 1)).y())
                    << c.name << ": below the field";
                box.hidePopup();
                ASSERT_TRUE(QTest::qWaitFor([&] { return !box.view()->isVisible(); }, 2000)) << c.name;
            }
        }
        QApplication::setStyle(previousStyle);
    }
}

TEST(ColorComboTest, EditableBoxReadsNamesAndNumbersFromItsText)
{
    TColorComboBox box;
    box.SetDrawStyle(csDropDown);
    box.show();
    QSignalSpy changes(&box, &TColorComboBox::OnChange);

    box.lineEdit()->clear();
    QTest::keyClicks(box.lineEdit(), "rED");
    EXPECT_EQ(box.ColorValue(), clRed);
    const int afterRed = changes.count();
    EXPECT_GE(afterRed, 1);

    box.lineEdit()->clear();
    QTest::keyClicks(box.lineEdit(), "$FF00");
    EXPECT_EQ(box.ColorValue(), TColor(0xFF00));
    QTest::keyClick(box.lineEdit(), Qt::Key_Return);
    EXPECT_EQ(box.count(), 16) << "Enter adds nothing to the list";
    EXPECT_EQ(box.ColorValue(), TColor(0xFF00));

    QTest::keyClicks(box.lineEdit(), "zz");
    EXPECT_EQ(box.ColorValue(), TColor(0xFF00)) << "text that is no colour keeps the last one";
}

TEST(ColorComboTest, ColorNamesReplaceNamesByTablePosition)
{
    TColorComboBox box;
    box.SetColorValue(clMaroon);
    box.SetColorNames({"", "Бордовый"});
    EXPECT_EQ(box.itemText(0), "Black");
    EXPECT_EQ(box.itemText(1), "Бордовый");
    EXPECT_EQ(box.itemText(2), "Green");
    EXPECT_EQ(box.ColorValue(), clMaroon);
    EXPECT_EQ(box.currentIndex(), 1);

    // Names count table positions, skipped entries included.
    QStringList names(18);
    names[17] = "По умолчанию";
    box.SetColorNames(names);
    box.SetOptions(coIncludeDefault);
    EXPECT_EQ(box.itemText(16), "По умолчанию");
}

TEST(ColorComboTest, ItemHeightFollowsTheFont)
{
    TColorComboBox box;
    QFont big = box.font();
    big.setPixelSize(30);
    box.setFont(big);
    EXPECT_EQ(box.ItemHeight(), QFontMetrics(big).height() + 1);
    EXPECT_EQ(box.sizeHint().height(), box.ItemHeight() + 8);

    QFont tiny = box.font();
    tiny.setPixelSize(2);
    box.setFont(tiny);
    EXPECT_EQ(box.ItemHeight(), 9);
}

TEST(ColorComboTest, SwatchBorderRule)
{
    EXPECT_EQ(TColorComboBox::ColorBorderFor(clWhite, false), clBlack);
    EXPECT_EQ(TColorComboBox::ColorBorderFor(clBlue, true), clBlack);
    EXPECT_EQ(TColorComboBox::ColorBorderFor(clNavy, false), clNavy);
    EXPECT_EQ(TColorComboBox::ColorBorderFor(clNavy, true), clWhite);
    EXPECT_EQ(TColorComboBox::ColorBorderFor(clSilver, false), clSilver);
    EXPECT_EQ(TColorComboBox::ColorBorderFor(RgbColor(193, 0, 0), false), clBlack);
}

TEST(ColorComboTest, DrawsTheSwatchAndNameAtTheirPlaces)
{
    TColorComboBox box;
    QImage image(145, 14, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    const QColor base = box.palette().color(QPalette::Base);
    {
        QPainter painter(&image);
        box.DrawItem(painter, 4, image.rect(), false); // Navy
    }
    const QRgb navy = qRgb(0, 0, 128);
    EXPECT_EQ(image.pixel(1, 5), base.rgb());
    EXPECT_EQ(image.pixel(2, 2), navy) << "border";
    EXPECT_EQ(image.pixel(23, 11), navy) << "bottom-right border pixel";
    EXPECT_EQ(image.pixel(24, 5), base.rgb()) << "right edge excluded";
    EXPECT_EQ(image.pixel(10, 12), base.rgb()) << "bottom edge excluded";
    EXPECT_EQ(image.pixel(10, 6), navy);

    // The name starts 28 pixels right of the item's left edge.
    int firstInk = -1;
    for (int x = 24; x < image.width() && firstInk < 0; ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) != base.rgb()) {
                firstInk = x;
                break;
            }
    EXPECT_GE(firstInk, 28);
    EXPECT_LE(firstInk, 31);

    {
        QPainter painter(&image);
        box.DrawItem(painter, 15, image.rect(), true); // White, selected
    }
    EXPECT_EQ(image.pixel(2, 2), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(10, 6), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(1, 5), box.palette().color(QPalette::Highlight).rgb());

    box.SetDisplayNames(false);
    {
        QPainter painter(&image);
        box.DrawItem(painter, 4, image.rect(), true);
    }
    EXPECT_EQ(image.pixel(141, 2), qRgb(255, 255, 255)) << "swatch spans to 3 pixels short of the right edge";
    EXPECT_EQ(image.pixel(140, 6), navy);

    // The closed field draws the chosen item at the list's item height, so
    // its swatch is as tall as in the list, whatever the style's field height.
    box.SetDisplayNames(true);
    box.SetColorValue(clNavy);
    box.resize(145, 22);
    const QImage field = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int swatchRows = 0;
    for (int y = 0; y < field.height(); ++y)
        swatchRows += field.pixel(12, y) == navy;
    EXPECT_EQ(swatchRows, box.ItemHeight() - 4);
}

TEST(ColorComboTest, WheelChangesTheColourOnlyWhileTheBoxHasTheFocus)
{
    QWidget form;
    auto *box = new TColorComboBox(&form);
    auto *other = new QLineEdit(&form);
    other->move(0, 40);
    box->SetColorValue(clNavy);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    other->setFocus();
    QSignalSpy changes(box, &TColorComboBox::OnChange);

    ASSERT_TRUE(realinput::wheelDown(box));
    ASSERT_TRUE(realinput::wheelDown(box));
    EXPECT_EQ(box->ColorValue(), clNavy);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_TRUE(other->hasFocus()) << "the wheel gives no focus";

    box->setFocus();
    ASSERT_TRUE(realinput::wheelDown(box));
    EXPECT_EQ(box->ColorValue(), clPurple);
    EXPECT_EQ(changes.count(), 1);
}
