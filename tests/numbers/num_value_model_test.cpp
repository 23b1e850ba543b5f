#include "numbers/LocaleNumberSettings.h"
#include "numbers/NumValueModel.h"
#include "numbers/NumberErrors.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// The edit control as the model sees it, counting what the model does to it.
class FakeField : public NumValueHost
{
public:
    QString text;
    int writes = 0;
    int repaints = 0;
    bool designing = false;
    bool loading = false;

    QString editText() const override { return text; }
    void setEditText(const QString &t) override
    {
        text = t;
        ++writes;
    }
    void repaintField() override { ++repaints; }
    bool isDesigning() const override { return designing; }
    bool isLoading() const override { return loading; }
};

// The length fields of the main window.
void useMainWindowSettings(NumValueModel &model)
{
    model.setDecimalPlaces(8);
    model.setDisplayFormat(QStringLiteral(",0.########"));
}

class NumValueModelTest : public ::testing::Test
{
protected:
    ScopedLocaleNumberSettings locale{LocaleNumberSettings::russianBlank()};
    FakeField field;
    NumValueModel model{&field};
};

TEST_F(NumValueModelTest, ZeroIsEmptyWhileEditedAndZeroOnDisplay)
{
    useMainWindowSettings(model);
    model.setValue(0);
    EXPECT_EQ(model.text(), "");
    EXPECT_EQ(model.formatDisplayText(), "0");
    model.setZeroEmpty(false);
    EXPECT_EQ(model.text(), "0");
}

TEST_F(NumValueModelTest, EditingAndDisplayFormsOfOneValue)
{
    useMainWindowSettings(model);
    model.setValue(1234.5L);
    EXPECT_EQ(model.text(), "1234,5");
    EXPECT_EQ(model.formatDisplayText(), "1 234,5");

    model.setValue(0.5L);
    EXPECT_EQ(model.text(), "0,5");

    model.setValue(1.123456789L);
    EXPECT_EQ(model.text(), "1,12345679");
    EXPECT_EQ(model.formatDisplayText(), "1,12345679");

    model.setDisplayFormat(QString());
    EXPECT_EQ(model.formatDisplayText(), "1,123456789");
}

TEST_F(NumValueModelTest, DefaultsShowTwoDecimals)
{
    model.setValue(1234.567L);
    EXPECT_EQ(model.text(), "1234,57");
    EXPECT_EQ(model.formatDisplayText(), "1 234,57");
    EXPECT_FALSE(model.isDisplayFormatStored());
}

TEST_F(NumValueModelTest, WritingValueClampsSilently)
{
    model.setMinValue(5);
    model.setValue(3);
    EXPECT_EQ(model.value(), 5);
    model.setValue(100);
    EXPECT_EQ(model.value(), 100);

    model.setMinValue(0);
    model.setMaxValue(-5);
    model.setValue(0);
    EXPECT_EQ(model.value(), -5);
    model.setValue(-10);
    EXPECT_EQ(model.value(), -10);
    EXPECT_EQ(model.text(), "-10");
}

TEST_F(NumValueModelTest, ChangingABoundReclampsTheValue)
{
    model.setValue(20);
    model.setMaxValue(10);
    EXPECT_EQ(model.storedValue(), 10);
    EXPECT_EQ(model.text(), "10");
}

TEST_F(NumValueModelTest, ReadingValueFollowsTheTypedText)
{
    useMainWindowSettings(model);
    const struct
    {
        const char *typed;
        long double value;
    } cases[] = {
        {"1e5", 100000}, {"-", 0}, {"", 0}, {" 2,5 ", 2.5L}, {"1.5", 1.5L}, {"1 000", 1000},
    };
    for (const auto &c : cases) {
        field.text = QString::fromUtf8(c.typed);
        EXPECT_EQ(model.value(), c.value) << c.typed;
    }
}

TEST_F(NumValueModelTest, ReadingValueNeverFailsAndFallsBackToMinValue)
{
    model.setMinValue(5);
    model.setMaxValue(10);
    model.setValue(7);
    field.text = QStringLiteral("e5");
    long double value = 0;
    EXPECT_NO_THROW(value = model.value());
    EXPECT_EQ(value, 5);
    field.text = QStringLiteral("50");
    EXPECT_EQ(model.value(), 10) << "the typed value is clamped";
    EXPECT_EQ(field.text, "50") << "reading does not rewrite the text";
}

TEST_F(NumValueModelTest, ThousandsCommaIsSkippedWhenReading)
{
    ScopedLocaleNumberSettings english(LocaleNumberSettings::english());
    field.text = QStringLiteral("1,5");
    EXPECT_EQ(model.value(), 15);
}

TEST_F(NumValueModelTest, WritingTextNormalisesOrRaisesWithoutChanges)
{
    useMainWindowSettings(model);
    model.setText(QStringLiteral(" 2.50 "));
    EXPECT_EQ(model.text(), "2,5");
    EXPECT_EQ(model.storedValue(), 2.5L);

    const int repaints = field.repaints;
    try {
        model.setText(QStringLiteral("1.2.3"));
        FAIL() << "no error raised";
    } catch (const ConversionError &e) {
        EXPECT_EQ(e.message(), "'1,2,3' is not a valid floating point value");
    }
    EXPECT_EQ(model.text(), "2,5");
    EXPECT_EQ(model.storedValue(), 2.5L);
    EXPECT_EQ(field.repaints, repaints);

    model.setText(QString());
    EXPECT_EQ(model.text(), "");
    EXPECT_EQ(model.storedValue(), 0);
}

TEST_F(NumValueModelTest, WritingTextIsIgnoredWhileLoadingAndDesigningKeepsTheValue)
{
    field.loading = true;
    model.setText(QStringLiteral("5"));
    EXPECT_EQ(model.storedValue(), 0);
    field.loading = false;

    model.setValue(3);
    field.designing = true;
    field.text = QStringLiteral("9");
    EXPECT_EQ(model.value(), 3);
}

TEST_F(NumValueModelTest, UnchangedSettingsTouchNeitherTextNorPicture)
{
    model.setValue(1.5L);
    field.text = QStringLiteral("1,50"); // as typed, not yet read
    const int writes = field.writes;
    const int repaints = field.repaints;
    model.setMinValue(0);
    model.setMaxValue(0);
    model.setDecimalPlaces(2);
    model.setZeroEmpty(true);
    model.setDisplayFormat(NumValueModel::defaultDisplayFormatText());
    EXPECT_EQ(field.writes, writes);
    EXPECT_EQ(field.repaints, repaints);
    EXPECT_EQ(field.text, "1,50");

    model.setDecimalPlaces(0);
    EXPECT_EQ(field.text, "2");
    EXPECT_GT(field.repaints, repaints);
}

TEST_F(NumValueModelTest, RangeIsVerifiedOnlyOnRequest)
{
    model.setMinValue(1);
    model.setMaxValue(10);
    field.text = QStringLiteral("11");
    try {
        model.verifyRange();
        FAIL() << "no error raised";
    } catch (const RangeError &e) {
        EXPECT_EQ(e.message(), "Value must be between 1,00 and 10,00");
    }
    field.text = QStringLiteral("x");
    EXPECT_THROW(model.verifyRange(), ConversionError);
    field.text = QStringLiteral("10");
    EXPECT_NO_THROW(model.verifyRange());
    EXPECT_THROW(model.range().check(0, model.decimalPlaces()), RangeError);
    EXPECT_EQ(model.range().clamp(0), 1);
}

TEST_F(NumValueModelTest, RevertRestoresTheLastStoredValue)
{
    useMainWindowSettings(model);
    model.setValue(0.5L);
    field.text = QStringLiteral("123");
    model.revertEdit();
    EXPECT_EQ(field.text, "0,5");
}

TEST(NumValueModelWithoutHost, KeepsItsOwnText)
{
    ScopedLocaleNumberSettings locale(LocaleNumberSettings::english());
    NumValueModel model;
    EXPECT_EQ(model.text(), "");
    model.setValue(2.25L);
    EXPECT_EQ(model.text(), "2.25");
    EXPECT_TRUE(model.acceptsTypedChar(0, 0, QLatin1Char('1')));
    EXPECT_FALSE(model.acceptsTypedChar(4, 0, QLatin1Char('1')));
}

} // namespace
