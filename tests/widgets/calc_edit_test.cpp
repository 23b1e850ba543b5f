// The numeric field as the window uses it: typed keys are checked, the
// separator keys give the locale's separator, and leaving the field with a
// text that is no number reports it and keeps the focus.
#include "RecordingNotifier.h"
#include "numbers/LocaleNumberSettings.h"
#include "widgets/CalcEdit.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

class CalcEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto *layout = new QVBoxLayout(&window);
        field = new TCalcEdit(&window);
        field->SetDecimalPlaces(8);
        field->SetDisplayFormat(",0.########");
        other = new QLineEdit(&window);
        layout->addWidget(field);
        layout->addWidget(other);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        field->setFocus();
        ASSERT_TRUE(field->hasFocus());
    }

    ScopedLocaleNumberSettings locale{LocaleNumberSettings::russianBlank()};
    RecordingNotifier notifier;
    QWidget window;
    TCalcEdit *field = nullptr;
    QLineEdit *other = nullptr;
};

} // namespace

TEST_F(CalcEditTest, RefusesKeysThatWouldMakeTheTextNoNumber)
{
    QTest::keyClicks(field, "1a.5x");
    EXPECT_EQ(field->text(), "1,5");
    EXPECT_EQ(notifier.beeps, 2);
    EXPECT_EQ(field->Value(), 1.5L);

    // Eight decimals at most; a second separator is refused too.
    field->clear();
    QTest::keyClicks(field, "0,123456789,");
    EXPECT_EQ(field->text(), "0,12345678");
    EXPECT_EQ(notifier.beeps, 4);
}

TEST_F(CalcEditTest, LeavingTheFieldShowsTheEditingFormAndPaintsTheDisplayForm)
{
    QTest::keyClicks(field, "1234,50");
    other->setFocus();
    EXPECT_FALSE(field->IsEditing());
    EXPECT_EQ(field->text(), "1234,5");
    EXPECT_EQ(field->FormatDisplayText(), "1 234,5");
    EXPECT_EQ(field->Value(), 1234.5L);

    field->SetValue(0);
    EXPECT_EQ(field->text(), "");
    EXPECT_EQ(field->FormatDisplayText(), "0");
}

TEST_F(CalcEditTest, LeavingWithATextThatIsNoNumberReportsItAndKeepsTheFocus)
{
    QTest::keyClicks(field, "1e5");
    EXPECT_EQ(field->Value(), 100000.0L);
    field->setCursorPosition(1);
    QTest::keyClick(field, Qt::Key_Backspace);
    ASSERT_EQ(field->text(), "e5");
    other->setFocus();
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_TRUE(notifier.boxes[0].error);
    EXPECT_EQ(notifier.boxes[0].text, "'e5' is not a valid floating point value.");
    EXPECT_TRUE(field->hasFocus());
    EXPECT_TRUE(field->IsEditing());
    EXPECT_EQ(field->Value(), 0.0L) << "a text that is no number reads as MinValue";
}

TEST_F(CalcEditTest, EscapeRestoresTheLastValue)
{
    field->SetValue(0.5L);
    QTest::keyClicks(field, "7");
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_EQ(field->text(), "0,5");
}
