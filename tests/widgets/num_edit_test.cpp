// The numeric field under real keys, pastes and mouse clicks, set up as the
// main window sets up its length fields: what may be typed, what leaving the
// field does with the text, and the drop-down calculator's hand-over. Runs on
// the offscreen platform and again on an X server, where the clicks on the
// button and the calculator keys go through the window system.
#include "QtPrinters.h"
#include "RealInput.h"
#include "RecordingNotifier.h"
#include "numbers/LocaleNumberSettings.h"
#include "widgets/CalcEdit.h"
#include "widgets/PopupCalculator.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class NumEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        form.setGeometry(100, 100, 300, 200);
        field = new TCalcEdit(&form);
        field->setGeometry(10, 10, 121, 21);
        field->SetAutoSize(false);
        field->SetDecimalPlaces(8);
        field->SetDisplayFormat(QStringLiteral(",0.########"));
        field->SetNumGlyphs(2);
        other = new QLineEdit(&form);
        other->setGeometry(10, 160, 121, 21);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        field->setFocus();
        ASSERT_TRUE(field->hasFocus());
    }

    // Types into the field, which keeps the keyboard focus throughout.
    void type(const QString &keys) { QTest::keyClicks(field, keys); }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(field, k, mods); }
    void leave() { other->setFocus(); }
    void openCalculator()
    {
        ASSERT_TRUE(realinput::click(field->Button()));
        ASSERT_TRUE(field->PopupVisible());
    }
    TCalcButton *calculatorKey(const QString &caption)
    {
        for (TCalcButton *b : field->Calculator()->findChildren<TCalcButton *>())
            if (b->Caption() == caption)
                return b;
        return nullptr;
    }

    ScopedLocaleNumberSettings locale{LocaleNumberSettings::russian()};
    RecordingNotifier notifier;
    QWidget form;
    TCalcEdit *field = nullptr;
    QLineEdit *other = nullptr;
};

} // namespace

// ---- typing -----------------------------------------------------------------

TEST_F(NumEditTest, DecimalsBeyondDecimalPlacesAreRefusedWithABeep)
{
    type(QStringLiteral("1,12345678"));
    EXPECT_EQ(notifier.beeps, 0);
    type(QStringLiteral("9"));
    EXPECT_EQ(field->text(), "1,12345678");
    EXPECT_EQ(notifier.beeps, 1);
    // A digit in front of the separator is still welcome.
    key(Qt::Key_Home);
    type(QStringLiteral("2"));
    EXPECT_EQ(field->text(), "21,12345678");
    EXPECT_EQ(notifier.beeps, 1);
}

TEST_F(NumEditTest, BothSeparatorKeysTypeTheLocaleSeparatorOnlyOnce)
{
    type(QStringLiteral("3."));
    EXPECT_EQ(field->text(), "3,");
    type(QStringLiteral(",5."));
    EXPECT_EQ(field->text(), "3,5");
    EXPECT_EQ(notifier.beeps, 2);
    leave();
    EXPECT_EQ(field->Value(), 3.5L);
}

TEST_F(NumEditTest, MinusSignAndNonNegativeRange)
{
    type(QStringLiteral("-"));
    EXPECT_EQ(field->text(), "-");
    EXPECT_EQ(field->Value(), 0.0L);
    EXPECT_EQ(notifier.beeps, 0);

    field->setText(QString());
    field->SetMinValue(0);
    field->SetMaxValue(10);
    type(QStringLiteral("-0"));
    EXPECT_EQ(field->text(), "-0"); // still zero, so still allowed
    type(QStringLiteral("5"));
    EXPECT_EQ(field->text(), "-0");
    EXPECT_EQ(notifier.beeps, 1);
}

TEST_F(NumEditTest, ExponentOnlyWhereTheTextStaysANumber)
{
    type(QStringLiteral("e"));
    EXPECT_EQ(field->text(), "");
    EXPECT_EQ(notifier.beeps, 1);
    type(QStringLiteral("15"));
    key(Qt::Key_Left);
    type(QStringLiteral("e"));
    EXPECT_EQ(field->text(), "1e5");
    leave();
    EXPECT_EQ(field->Value(), 100000.0L);
    EXPECT_EQ(field->text(), "100000");
    EXPECT_EQ(field->PaintedText(), QString("100") + QChar(0xA0) + "000");
}

TEST_F(NumEditTest, EscapeRestoresTheStoredValue)
{
    leave();
    field->SetValue(0.5L);
    field->setFocus(); // entering selects the whole text
    type(QStringLiteral("7"));
    EXPECT_EQ(field->text(), "7");
    key(Qt::Key_Escape);
    EXPECT_EQ(field->text(), "0,5");
    EXPECT_EQ(field->selectedText(), "0,5");
    EXPECT_TRUE(field->hasFocus());
}

TEST_F(NumEditTest, CharactersOutsideTheBasicPlaneAreCheckedLikeAnyOther)
{
    type(QStringLiteral("8"));
    // A mathematical digit nine and an emoji: one key each, two UTF-16 units.
    for (const char *typed : {"\U0001D7D7", "\U0001F600"}) {
        const QString text = QString::fromUtf8(typed);
        ASSERT_EQ(text.size(), 2);
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, text, Qt::NoModifier);
    }
    EXPECT_EQ(field->text(), "8");
    EXPECT_EQ(notifier.beeps, 2);

    // Committed by an input method, together with plain digits.
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("1\U0001D7D72"));
    QCoreApplication::sendEvent(field, &commit);
    EXPECT_EQ(field->text(), "81");
    EXPECT_EQ(notifier.beeps, 3);
    leave();
    EXPECT_EQ(field->Value(), 81.0L);
    EXPECT_TRUE(notifier.boxes.empty());
}

TEST_F(NumEditTest, ControlKeysAreNotCheckedAsTypedCharacters)
{
    type(QStringLiteral("12"));
    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(field->selectedText(), "12");
    key(Qt::Key_Backspace);
    key(Qt::Key_Delete);
    EXPECT_EQ(field->text(), "");
    EXPECT_EQ(notifier.beeps, 0);
}

// ---- entering and leaving ---------------------------------------------------

namespace {

// The top-left of the first glyph's ink on the field, left of its button.
QPoint firstGlyphInk(QWidget *field)
{
    const QImage image = field->grab().toImage();
    auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
    for (int x = 3; x < image.width() - 30; ++x) {
        for (int y = 3; y < image.height() - 3; ++y) {
            if (!dark(x, y))
                continue;
            int top = y;
            for (int gx = x; gx < x + 3; ++gx)
                for (int gy = 3; gy < top; ++gy)
                    if (dark(gx, gy))
                        top = gy;
            return QPoint(x, top);
        }
    }
    return QPoint(-1, -1);
}

} // namespace

TEST_F(NumEditTest, PaintedTextStandsWhereTheEditedTextStands)
{
    field->SetDisplayAlignment(taLeftJustify);
    field->SetValue(0.5L);
    leave();
    const QPoint painted = firstGlyphInk(field);
    ASSERT_NE(painted, QPoint(-1, -1));
    field->setFocus();
    key(Qt::Key_End); // the caret stands clear of the first glyph
    EXPECT_EQ(firstGlyphInk(field), painted);
    openCalculator();
    EXPECT_EQ(firstGlyphInk(field), painted); // the calculator's display, "0,5"
}

TEST_F(NumEditTest, EditingFormWhileFocusedDisplayFormOtherwise)
{
    leave();
    field->SetValue(1234.5L);
    EXPECT_FALSE(field->IsEditing());
    EXPECT_EQ(field->PaintedText(), QString("1") + QChar(0xA0) + "234,5");
    field->setFocus();
    EXPECT_TRUE(field->IsEditing());
    EXPECT_EQ(field->text(), "1234,5");
    EXPECT_EQ(field->selectedText(), "1234,5");
}

TEST_F(NumEditTest, LeavingReadsTheTextAndFiresOnExit)
{
    QSignalSpy exits(field, &TCustomNumEdit::OnExit);
    type(QStringLiteral("2,25"));
    leave();
    EXPECT_EQ(exits.count(), 1);
    EXPECT_FALSE(field->IsEditing());
    EXPECT_EQ(field->Value(), 2.25L);
    EXPECT_EQ(field->cursorPosition(), 0);
    EXPECT_TRUE(notifier.boxes.empty());
}

TEST_F(NumEditTest, LeavingWithNoNumberShowsTheErrorAndKeepsTheFocus)
{
    QSignalSpy exits(field, &TCustomNumEdit::OnExit);
    type(QStringLiteral("1e5"));
    key(Qt::Key_Home);
    key(Qt::Key_Delete);
    ASSERT_EQ(field->text(), "e5");
    leave();
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_TRUE(notifier.boxes[0].error);
    EXPECT_EQ(notifier.boxes[0].text, "'e5' is not a valid floating point value.");
    EXPECT_TRUE(field->hasFocus());
    EXPECT_TRUE(field->IsEditing());
    EXPECT_EQ(field->selectedText(), "e5");
    EXPECT_EQ(exits.count(), 0);
    EXPECT_EQ(field->Value(), 0.0L); // no number reads as MinValue
}

TEST_F(NumEditTest, RangeIsCheckedOnExitOnlyWhenAsked)
{
    field->SetDecimalPlaces(2);
    field->SetMinValue(1);
    field->SetMaxValue(10);
    type(QStringLiteral("20"));
    leave();
    EXPECT_TRUE(notifier.boxes.empty());
    EXPECT_EQ(field->Value(), 10.0L); // clamped silently

    field->SetCheckOnExit(true);
    field->setFocus();
    type(QStringLiteral("20"));
    leave();
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_EQ(notifier.boxes[0].text, "Value must be between 1,00 and 10,00.");
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(field->text(), "20");
}

// ---- paste and regrouping ---------------------------------------------------

TEST_F(NumEditTest, PasteOfANonNumberRestoresTheText)
{
    type(QStringLiteral("12"));
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), "12");
    EXPECT_EQ(field->selectedText(), "12");
    EXPECT_EQ(notifier.beeps, 1);

    // A number is taken as it stands, decimals and all.
    QGuiApplication::clipboard()->setText(QStringLiteral("0,1234567891"));
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), "0,1234567891");
    EXPECT_EQ(notifier.beeps, 1);
}

TEST_F(NumEditTest, PasteTakesTheTextUpToItsFirstLineBreak)
{
    // A spreadsheet cell, a terminal line, a cell copied on another desktop.
    const struct
    {
        const char *clipboard;
        const char *text;
    } cases[] = {{"5\n", "5"}, {"2,5\r\n", "2,5"}, {"7\r", "7"}, {"1,5\n2,5\n", "1,5"}, {"4\u2029", "4"}};
    for (const auto &c : cases) {
        field->selectAll();
        QGuiApplication::clipboard()->setText(QString::fromUtf8(c.clipboard));
        key(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(field->text(), QString::fromUtf8(c.text)) << c.clipboard;
    }
    EXPECT_EQ(notifier.beeps, 0);
    // What is left of the first line still has to be a number.
    QGuiApplication::clipboard()->setText(QStringLiteral("x\n5"));
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), "4");
    EXPECT_EQ(notifier.beeps, 1);
}

TEST_F(NumEditTest, FormatOnEditingGroupsWhileTypingAndKeepsTheCaret)
{
    field->SetFormatOnEditing(true);
    const QString nbsp(QChar(0xA0));
    type(QStringLiteral("1234"));
    EXPECT_EQ(field->text(), "1" + nbsp + "234");
    EXPECT_EQ(field->cursorPosition(), 5);
    key(Qt::Key_Home);
    key(Qt::Key_Right);
    type(QStringLiteral("5"));
    EXPECT_EQ(field->text(), "15" + nbsp + "234");
    EXPECT_EQ(field->cursorPosition(), 2);
    leave();
    EXPECT_EQ(field->Value(), 15234.0L);
}

// ---- drop-down calculator ---------------------------------------------------

TEST_F(NumEditTest, CalculatorStartsFromTheFieldAndANewNumberReplacesIt)
{
    field->SetValue(0.5L);
    QSignalSpy changes(field, &TCustomComboEdit::OnChange);
    openCalculator();
    EXPECT_EQ(field->PaintedText(), "0,5");
    type(QStringLiteral("2"));
    EXPECT_EQ(field->PaintedText(), "2");
    EXPECT_EQ(field->text(), "0,5"); // the edit text waits for the result
    key(Qt::Key_Return);
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_FALSE(field->Calculator()->isVisible());
    EXPECT_EQ(field->text(), "2");
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(field->Value(), 2.0L);
}

TEST_F(NumEditTest, CalculatorResultComesBackAsTheFieldText)
{
    openCalculator();
    EXPECT_EQ(field->PaintedText(), "0");
    type(QStringLiteral("1+2"));
    key(Qt::Key_Enter);
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_EQ(field->text(), "3");

    openCalculator();
    type(QStringLiteral("9q="));
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_EQ(field->text(), "3");

    openCalculator();
    type(QStringLiteral("200+10%"));
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_EQ(field->text(), "220");
}

TEST_F(NumEditTest, CalculatorErrorKeepsThePopupOpenUntilClearedOrEscaped)
{
    field->SetValue(0.5L);
    QSignalSpy changes(field, &TCustomComboEdit::OnChange);
    openCalculator();
    type(QStringLiteral("5/0="));
    EXPECT_TRUE(field->PopupVisible());
    EXPECT_EQ(field->PaintedText(), "Error");
    EXPECT_EQ(notifier.beeps, 1);
    key(Qt::Key_Return);
    EXPECT_TRUE(field->PopupVisible());
    type(QStringLiteral("c"));
    EXPECT_EQ(field->PaintedText(), "0");
    type(QStringLiteral("5/0="));
    key(Qt::Key_Escape);
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_EQ(field->text(), "0,5");
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(notifier.beeps, 3); // two errors, and reading "Error" on the way out
    EXPECT_TRUE(field->hasFocus());
}

TEST_F(NumEditTest, OneThirdIsRoundedToDecimalPlacesOnLeaving)
{
    openCalculator();
    type(QStringLiteral("1/3\r"));
    EXPECT_EQ(field->text(), "0,333333333333333");
    leave();
    EXPECT_EQ(field->text(), "0,33333333");
    EXPECT_EQ(field->PaintedText(), "0,33333333");
}

TEST_F(NumEditTest, ClicksOnCalculatorKeysLeaveTheFocusInTheField)
{
    openCalculator();
    for (const char *caption : {"7", "*", "6", "="}) {
        TCalcButton *button = calculatorKey(QString::fromLatin1(caption));
        ASSERT_NE(button, nullptr) << caption;
        ASSERT_TRUE(realinput::click(button)) << caption;
        EXPECT_TRUE(field->hasFocus()) << caption;
    }
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_EQ(field->text(), "42");
    EXPECT_TRUE(form.isActiveWindow());
}

TEST_F(NumEditTest, ClosingCancelsAPressOnACalculatorKey)
{
    field->SetValue(0.5L);
    openCalculator();
    TCalcButton *eight = calculatorKey(QStringLiteral("8"));
    ASSERT_NE(eight, nullptr);
    QSignalSpy clicks(eight, &TGlyphButton::OnClick);
    ASSERT_TRUE(realinput::press(eight));
    ASSERT_EQ(eight->State(), sbsDown);
    key(Qt::Key_Escape);
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_EQ(eight->State(), sbsUp);
    ASSERT_TRUE(realinput::release(eight));
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(field->text(), "0,5");
    openCalculator();
    EXPECT_EQ(field->PaintedText(), "0,5");
    type(QStringLiteral("1="));
    EXPECT_EQ(field->text(), "1");
}

namespace {

// Shows real error boxes, as the program does, and closes each once it is
// on the screen, so that a box that takes the focus does it here too.
class ModalBoxNotifier : public RecordingNotifier
{
public:
    void errorBox(QWidget *parent, const QString &text, const QString &caption) override
    {
        RecordingNotifier::errorBox(parent, text, caption);
        QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, parent);
        QTimer closer;
        QElapsedTimer shown;
        shown.start();
        QObject::connect(&closer, &QTimer::timeout, &box, [&] {
            if (box.isActiveWindow() || shown.elapsed() > 2000)
                box.accept();
        });
        closer.start(10);
        box.exec();
    }
};

} // namespace

TEST_F(NumEditTest, AnUnreadableDisplayIsReportedInOneBox)
{
    field->SetValue(0.5L);
    ModalBoxNotifier boxes;
    openCalculator();
    // The sign key turns the entry into -1E-5; the separator lands behind the exponent.
    type(QStringLiteral("0,00001_,"));
    ASSERT_EQ(field->PaintedText(), "-1E-5,");
    key(Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeModalWidget() == nullptr; }, 3000));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "'-1E-5,' is not a valid floating point value.");
    EXPECT_EQ(field->text(), "0,5");
}

TEST_F(NumEditTest, CalculatorKeysWithACommaThousandsSeparator)
{
    ScopedLocaleNumberSettings english(LocaleNumberSettings::english());
    openCalculator();
    // The comma groups thousands here, so it is no calculator key.
    type(QStringLiteral("1,5"));
    EXPECT_EQ(field->PaintedText(), "15");
    type(QStringLiteral("c1.5*2="));
    EXPECT_EQ(field->text(), "3");
}

TEST_F(NumEditTest, ButtonCarriesTheCalculatorGlyph)
{
    EXPECT_EQ(field->ButtonWidth(), 20);
    EXPECT_EQ(field->GlyphKind(), gkDefault);
    EXPECT_EQ(field->NumGlyphs(), 2);
    EXPECT_EQ(field->Glyph().size(), QSize(28, 12));
    EXPECT_EQ(field->Calculator()->size(), QSize(104, 127));
}

TEST_F(NumEditTest, AcceptingAnErrorGivesZeroWithABeep)
{
    field->SetValue(0.5L);
    openCalculator();
    type(QStringLiteral("5/0="));
    ASSERT_EQ(notifier.beeps, 1);
    key(Qt::Key_Down, Qt::AltModifier); // the click key accepts whatever is shown
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_EQ(field->text(), "0");
    EXPECT_EQ(notifier.beeps, 2);
}

TEST_F(NumEditTest, BeepOnErrorAlsoSilencesTheCalculator)
{
    field->SetBeepOnError(false);
    type(QStringLiteral("1,123456789"));
    openCalculator();
    type(QStringLiteral("5/0="));
    key(Qt::Key_Escape);
    EXPECT_EQ(notifier.beeps, 0);
    field->SetBeepOnError(true);
    openCalculator();
    type(QStringLiteral("1/0="));
    EXPECT_EQ(notifier.beeps, 1);
}

TEST_F(NumEditTest, CalculatorTypingStaysOutOfTheEditText)
{
    type(QStringLiteral("7"));
    openCalculator();
    // Not a calculator key: checked against the text, which is read-only now.
    type(QStringLiteral("e"));
    EXPECT_EQ(field->text(), "7");
    // Neither may paste or cut.
    QGuiApplication::clipboard()->setText(QStringLiteral("5"));
    key(Qt::Key_V, Qt::ControlModifier);
    field->selectAll();
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(field->text(), "7");
    type(QStringLiteral("3"));
    key(Qt::Key_Backspace);
    type(QStringLiteral("8_"));
    EXPECT_EQ(field->PaintedText(), "-8");
    EXPECT_EQ(field->text(), "7");
    ASSERT_TRUE(realinput::click(field->Button()));
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_EQ(field->text(), "-8");
    EXPECT_FALSE(field->isReadOnly());
}

TEST_F(NumEditTest, AFieldThatCannotBeLeftKeepsTheFocusFromAnotherFieldsButton)
{
    auto *second = new TCalcEdit(&form);
    second->setGeometry(10, 60, 121, 21);
    second->show();
    type(QStringLiteral("1e5"));
    key(Qt::Key_Home);
    key(Qt::Key_Delete);
    QTest::mouseClick(second->Button(), Qt::LeftButton, {}, second->Button()->rect().center());
    EXPECT_EQ(notifier.boxes.size(), 1u);
    EXPECT_TRUE(field->hasFocus());
    EXPECT_FALSE(second->PopupVisible());
    EXPECT_FALSE(second->Calculator()->isVisible());
}

TEST_F(NumEditTest, AFieldThatCannotBeLeftSwallowsTheClickOnACommandButton)
{
    auto *command = new QPushButton(QStringLiteral("Run"), &form);
    command->setGeometry(10, 110, 80, 25);
    command->show();
    QSignalSpy clicks(command, &QPushButton::clicked);
    type(QStringLiteral("1e5"));
    key(Qt::Key_Home);
    key(Qt::Key_Delete);
    QTest::mouseClick(command, Qt::LeftButton, {}, command->rect().center());
    EXPECT_EQ(notifier.boxes.size(), 1u);
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_FALSE(command->isDown());

    // Once the text is a number again, the button works at the first click.
    type(QStringLiteral("2"));
    QTest::mouseClick(command, Qt::LeftButton, {}, command->rect().center());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(field->Value(), 2.0L);
}
