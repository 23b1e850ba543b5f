// The drop-down edit frame under real keys and mouse clicks: opening and
// closing the popup every way, accepting versus discarding, placement at the
// screen edges, the read-only modes, button placement and glyph kinds. The
// focus rules run on the offscreen platform and again on an X server, where
// the clicks go through the window system.
#include "RealInput.h"
#include "RecordingNotifier.h"
#include "widgets/ComboEdit.h"
#include "widgets/EditButtonGlyphs.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialog>
#include <QMenu>
#include <QPaintEvent>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

// A popup that holds one value; the test sets what it hands back.
class ValuePopup : public TPopupWindow
{
public:
    explicit ValuePopup(QWidget *editor) : TPopupWindow(editor) { resize(104, 127); }
    QVariant PopupGetValue() override
    {
        ++reads;
        return value;
    }
    void PopupSetValue(const QVariant &v) override
    {
        started = v;
        value = v;
    }
    QVariant value;
    QVariant started;
    int reads = 0;
};

class TestField : public TCustomComboEdit
{
public:
    explicit TestField(QWidget *parent = nullptr) : TCustomComboEdit(parent)
    {
        popup = new ValuePopup(this);
        SetPopup(popup);
    }
    QImage DefaultGlyphBitmap() const override { return defaultGlyph; }
    void PopupValueChanged() override { ++popupChanges; }
    void paintEvent(QPaintEvent *event) override
    {
        paintedRects.push_back(event->rect());
        TCustomComboEdit::paintEvent(event);
    }
    std::vector<QRect> paintedRects;
    using QLineEdit::cursorRect;
    using TCustomComboEdit::SetDefaultNumGlyphs;

    ValuePopup *popup;
    QImage defaultGlyph;
    int popupChanges = 0;
};

QPoint centreOf(const QWidget *w)
{
    return w->rect().center();
}

// A window with the field, another edit and a button that never takes the
// focus, shown and active with the focus in the field.
class ComboEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        form.setGeometry(100, 100, 300, 120);
        field = new TestField(&form);
        field->move(10, 10);
        field->SetButtonWidth(20);
        other = new QLineEdit(&form);
        other->setGeometry(10, 60, 121, 21);
        noFocusButton = new QPushButton(QStringLiteral("x"), &form);
        noFocusButton->setFocusPolicy(Qt::NoFocus);
        noFocusButton->setGeometry(150, 60, 40, 21);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        field->setFocus();
        ASSERT_TRUE(field->hasFocus());
    }

    void clickButton() { ASSERT_TRUE(realinput::click(field->Button())); }

    QWidget form;
    TestField *field = nullptr;
    QLineEdit *other = nullptr;
    QPushButton *noFocusButton = nullptr;
};

} // namespace

TEST_F(ComboEditTest, ButtonOpensThenAcceptsOnceWithoutReopening)
{
    field->setText(QStringLiteral("0,5"));
    QSignalSpy changes(field, &TCustomComboEdit::OnChange);
    QSignalSpy buttonClicks(field, &TCustomComboEdit::OnButtonClick);

    clickButton();
    ASSERT_TRUE(field->PopupVisible());
    EXPECT_TRUE(field->popup->isVisible());
    EXPECT_EQ(field->popup->started, QVariant(QStringLiteral("0,5")));
    // The field keeps the focus, without a caret, and cannot be typed into.
    EXPECT_TRUE(field->hasFocus());
    EXPECT_TRUE(field->isReadOnly());
    QTest::keyClicks(field, QStringLiteral("9"));
    EXPECT_EQ(field->text(), QStringLiteral("0,5"));

    field->popup->value = QStringLiteral("42");
    clickButton();
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_FALSE(field->popup->isVisible());
    EXPECT_EQ(field->text(), QStringLiteral("42"));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(field->popupChanges, 1);
    EXPECT_EQ(buttonClicks.count(), 1);
    EXPECT_FALSE(field->isReadOnly());
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(field->selectedText(), QStringLiteral("42"));
}

TEST_F(ComboEditTest, EmptyTextIsHandedOverAsNullAndSameValueFiresNoChange)
{
    QSignalSpy changes(field, &TCustomComboEdit::OnChange);
    clickButton();
    EXPECT_TRUE(field->popup->started.isNull());
    clickButton(); // the value is still null: text stays empty
    EXPECT_EQ(changes.count(), 0);

    field->setText(QStringLiteral("7"));
    changes.clear();
    clickButton();
    clickButton();
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(ComboEditTest, ClickKeyOpensAndAcceptsButNotWithoutAButton)
{
    QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(field->PopupVisible());
    field->popup->value = 3.5;
    QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_EQ(field->text(), QStringLiteral("3.5"));

    field->SetButtonWidth(0);
    EXPECT_FALSE(field->ButtonContainer()->isVisible());
    QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(field->PopupVisible());
}

TEST_F(ComboEditTest, EscapeDiscardsAndEnterAccepts)
{
    field->setText(QStringLiteral("1"));
    QSignalSpy changes(field, &TCustomComboEdit::OnChange);
    clickButton();
    field->popup->value = QStringLiteral("2");
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_EQ(field->text(), QStringLiteral("1"));
    EXPECT_EQ(field->popup->reads, 1); // read on every closing, used only when accepted

    clickButton();
    field->popup->value = QStringLiteral("2");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_EQ(field->text(), QStringLiteral("2"));
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(ComboEditTest, PressOnAnotherControlDiscards)
{
    field->setText(QStringLiteral("1"));
    clickButton();
    field->popup->value = QStringLiteral("2");
    // This button takes no focus, so only the watch on presses can close.
    ASSERT_TRUE(realinput::click(noFocusButton));
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_FALSE(field->popup->isVisible());
    EXPECT_EQ(field->text(), QStringLiteral("1"));
    EXPECT_TRUE(field->hasFocus());
}

TEST_F(ComboEditTest, FocusLossDiscards)
{
    field->setText(QStringLiteral("1"));
    clickButton();
    field->popup->value = QStringLiteral("2");
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_FALSE(field->popup->isVisible());
    EXPECT_EQ(field->text(), QStringLiteral("1"));
    // Closing does not pull the focus back.
    EXPECT_TRUE(other->hasFocus());
}

TEST_F(ComboEditTest, PressOnTheEditAreaDiscards)
{
    field->setText(QStringLiteral("1"));
    clickButton();
    field->popup->value = QStringLiteral("2");
    ASSERT_TRUE(realinput::click(field, QPoint(8, 10)));
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_EQ(field->text(), QStringLiteral("1"));
    EXPECT_TRUE(field->hasFocus());
}

TEST_F(ComboEditTest, ReleaseOnThePopupItselfAcceptsInsideAndDiscardsOutside)
{
    field->setText(QStringLiteral("1"));
    clickButton();
    field->popup->value = QStringLiteral("2");
    ASSERT_TRUE(realinput::press(field->popup, QPoint(20, 20)));
    ASSERT_TRUE(realinput::release(field->popup, QPoint(200, 20)));
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_EQ(field->text(), QStringLiteral("1"));

    clickButton();
    field->popup->value = QStringLiteral("2");
    ASSERT_TRUE(realinput::click(field->popup, QPoint(20, 20)));
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_EQ(field->text(), QStringLiteral("2"));
    EXPECT_TRUE(field->hasFocus());

    // A click on a child that leaves the mouse unused (a panel between its
    // keys) is no click on the popup itself.
    auto *panel = new QWidget(field->popup);
    panel->setGeometry(1, 1, 102, 125);
    clickButton();
    field->popup->value = QStringLiteral("3");
    ASSERT_TRUE(realinput::click(panel, QPoint(20, 20)));
    EXPECT_TRUE(field->PopupVisible());
    // Nor is a click on its border.
    ASSERT_TRUE(realinput::click(field->popup, QPoint(0, 60)));
    EXPECT_TRUE(field->PopupVisible());
    EXPECT_EQ(field->text(), QStringLiteral("2"));
}

TEST_F(ComboEditTest, OpeningTakesTheFocus)
{
    other->setFocus();
    ASSERT_TRUE(other->hasFocus());
    field->OpenPopup();
    ASSERT_TRUE(field->PopupVisible());
    EXPECT_TRUE(field->hasFocus());
    EXPECT_TRUE(field->IsFocused());
    // The field holds the focus, so the keys reach it: Escape closes.
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(field->PopupVisible());
}

TEST_F(ComboEditTest, AMenuOpeningDiscards)
{
    field->setText(QStringLiteral("1"));
    clickButton();
    field->popup->value = QStringLiteral("2");
    QMenu menu;
    menu.addAction(QStringLiteral("Item"));
    menu.popup(form.mapToGlobal(QPoint(150, 10)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu.isVisible(); }, 2000));
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_FALSE(field->popup->isVisible());
    EXPECT_EQ(field->text(), QStringLiteral("1"));
    menu.close();
}

TEST_F(ComboEditTest, TheWindowLosingActivationDiscards)
{
    field->setText(QStringLiteral("1"));
    clickButton();
    field->popup->value = QStringLiteral("2");
    QWidget otherWindow;
    otherWindow.setGeometry(500, 100, 100, 100);
    otherWindow.show();
    otherWindow.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&otherWindow));
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_FALSE(field->popup->isVisible());
    EXPECT_EQ(field->text(), QStringLiteral("1"));
}

TEST_F(ComboEditTest, TheWindowMovingResizingOrMinimisingDiscards)
{
    field->setText(QStringLiteral("1"));
    const std::vector<std::pair<const char *, std::function<void()>>> changes{
        {"move", [&] { form.move(form.pos() + QPoint(30, 20)); }},
        {"resize", [&] { form.resize(form.width() + 40, form.height()); }},
        {"minimise", [&] { form.showMinimized(); }},
    };
    for (const auto &[name, change] : changes) {
        form.showNormal();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form)) << name;
        field->setFocus();
        clickButton();
        ASSERT_TRUE(field->PopupVisible()) << name;
        field->popup->value = QStringLiteral("2");
        const int reads = field->popup->reads;
        change();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !field->PopupVisible(); }, 2000)) << name;
        EXPECT_FALSE(field->popup->isVisible()) << name;
        EXPECT_EQ(field->popup->reads, reads + 1) << name;
        EXPECT_EQ(field->text(), QStringLiteral("1")) << name;
    }
}

TEST_F(ComboEditTest, ContextMenuClosesTheDropDownFirstAndOffersPaste)
{
    field->setText(QStringLiteral("1"));
    QApplication::clipboard()->setText(QStringLiteral("5"));
    clickButton();
    ASSERT_TRUE(field->PopupVisible());
    field->popup->value = QStringLiteral("2");
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(8, 10), field->mapToGlobal(QPoint(8, 10)));
    QApplication::sendEvent(field, &request);
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_EQ(field->text(), QStringLiteral("1"));
    QMenu *menu = field->findChild<QMenu *>();
    ASSERT_NE(menu, nullptr);
    QAction *paste = nullptr;
    for (QAction *action : menu->actions())
        if (action->text().startsWith(QCoreApplication::translate("QLineEdit", "&Paste")))
            paste = action;
    ASSERT_NE(paste, nullptr);
    EXPECT_TRUE(paste->isEnabled());

    // The menu's paste follows the field's paste rules: one line only.
    QApplication::clipboard()->setText(QStringLiteral("5\n7"));
    field->selectAll();
    paste->trigger();
    EXPECT_EQ(field->text(), QStringLiteral("5"));
    menu->close();
}

TEST_F(ComboEditTest, ButtonDraggedOutAndReleasedOutsideDoesNothingAndNextClickWorks)
{
    TEditButton *button = field->Button();
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(button->State(), sbsDown);
    QTest::mouseMove(button, QPoint(-30, 5));
    EXPECT_EQ(button->State(), sbsUp);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-30, 5));
    EXPECT_FALSE(field->PopupVisible());

    // A press that closes the popup but ends outside the button must not
    // swallow the click after it.
    clickButton();
    ASSERT_TRUE(field->PopupVisible());
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(field->PopupVisible());
    QTest::mouseMove(button, QPoint(-30, 5));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-30, 5));
    clickButton();
    EXPECT_TRUE(field->PopupVisible());
}

TEST_F(ComboEditTest, DoubleClickOnTheButtonOpensAndClosesOnce)
{
    field->setText(QStringLiteral("1"));
    QTest::mouseDClick(field->Button(), Qt::LeftButton, {}, centreOf(field->Button()));
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_FALSE(field->popup->isVisible());
}

TEST_F(ComboEditTest, EnteringSelectsTheTextUnlessByClickOrWithoutDirectInput)
{
    field->setText(QStringLiteral("12,5"));
    other->setFocus();
    field->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(field->selectedText(), QStringLiteral("12,5"));

    other->setFocus();
    ASSERT_TRUE(realinput::click(field, QPoint(8, 10)));
    ASSERT_TRUE(field->hasFocus());
    EXPECT_FALSE(field->hasSelectedText());

    other->setFocus();
    field->SetDirectInput(false);
    QTest::keyClick(other, Qt::Key_Tab);
    ASSERT_TRUE(field->hasFocus() || other->hasFocus());
    field->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(field->hasSelectedText());
}

TEST_F(ComboEditTest, RefreshEditorRepaintsTheTextAreaAtOnce)
{
    clickButton();
    field->repaint(); // the repaints of opening
    field->paintedRects.clear();
    field->popup->RefreshEditor();
    ASSERT_FALSE(field->paintedRects.empty());
    EXPECT_EQ(field->paintedRects.front(), field->EditRect().intersected(field->rect()));
}

TEST_F(ComboEditTest, ReadOnlyFieldNeitherOpensNorChanges)
{
    field->setText(QStringLiteral("1"));
    field->SetFieldReadOnly(true);
    QSignalSpy buttonClicks(field, &TCustomComboEdit::OnButtonClick);
    clickButton();
    QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(field->PopupVisible());
    EXPECT_EQ(buttonClicks.count(), 0);
    QTest::keyClicks(field, QStringLiteral("5"));
    EXPECT_EQ(field->text(), QStringLiteral("1"));
}

TEST_F(ComboEditTest, WithoutDirectInputOnlyThePopupChangesTheText)
{
    field->setText(QStringLiteral("1"));
    field->SetDirectInput(false);
    QApplication::clipboard()->setText(QStringLiteral("77"));
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("5"));
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(field->text(), QStringLiteral("1"));

    clickButton();
    ASSERT_TRUE(field->PopupVisible());
    field->popup->value = QStringLiteral("8");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(field->text(), QStringLiteral("8"));
    EXPECT_TRUE(field->isReadOnly());

    field->SetDirectInput(true);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), QStringLiteral("77"));
}

TEST(ComboEditDialog, EnterAndEscapeWithoutPopupReachTheDialogButtons)
{
    QDialog dialog;
    auto *field = new TestField(&dialog);
    auto *ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->move(0, 40);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    field->setFocus();

    QSignalSpy accepted(&dialog, &QDialog::accepted);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(accepted.count(), 1);

    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    field->setFocus();
    QSignalSpy rejected(&dialog, &QDialog::rejected);
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_EQ(rejected.count(), 1);

    // With the popup open the keys stay with the field.
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    field->setFocus();
    field->OpenPopup();
    QTest::keyClick(field, Qt::Key_Escape);
    QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(rejected.count(), 1);
    EXPECT_EQ(accepted.count(), 1);
}

// ---- placement ----------------------------------------------------------

namespace {

struct PlacementCase
{
    const char *name;
    TPopupAlign align;
    // Field position relative to the screen's right and bottom edges when
    // negative, from its left and top otherwise.
    int fieldX;
    int fieldY;
    int popupWidth;
    // Expected popup position, with the same convention.
    int expectX;
    int expectY;
};

int resolve(int v, int extent)
{
    return v < 0 ? extent + v : v;
}

class PopupPlacement : public ::testing::TestWithParam<PlacementCase>
{
};

} // namespace

TEST_P(PopupPlacement, FollowsAlignmentAndStaysOnScreen)
{
    const PlacementCase &c = GetParam();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    ASSERT_EQ(screen.topLeft(), QPoint(0, 0));
    QWidget form(nullptr, Qt::FramelessWindowHint);
    auto *field = new TestField(&form);
    field->move(0, 0);
    form.resize(121, 21);
    form.move(resolve(c.fieldX, screen.width()), resolve(c.fieldY, screen.height()));
    form.show();
    ASSERT_EQ(field->mapToGlobal(QPoint(0, 0)),
              QPoint(resolve(c.fieldX, screen.width()), resolve(c.fieldY, screen.height())));
    field->popup->resize(c.popupWidth, 127);
    field->SetPopupAlign(c.align);
    field->OpenPopup();
    ASSERT_TRUE(field->PopupVisible());
    EXPECT_EQ(field->popup->pos(), QPoint(resolve(c.expectX, screen.width()), resolve(c.expectY, screen.height())));
    field->ClosePopup(false);
}

INSTANTIATE_TEST_SUITE_P(ComboEdit, PopupPlacement,
                         ::testing::Values(
                             // Under the field, right edges lined up.
                             PlacementCase{"RightUnder", epaRight, 300, 50, 200, 221, 71},
                             PlacementCase{"RightNarrowPopup", epaRight, 300, 50, 104, 317, 71},
                             // Lining up the right edges would leave the screen: left edges instead.
                             PlacementCase{"RightNearLeftEdge", epaRight, 20, 50, 200, 20, 71},
                             PlacementCase{"LeftUnder", epaLeft, 300, 50, 200, 300, 71},
                             // Near the right edge a left-aligned popup moves to line up right edges.
                             PlacementCase{"LeftNearRightEdge", epaLeft, -130, 50, 200, -209, 71},
                             // Field partly off the right edge: the popup still ends at the edge.
                             PlacementCase{"LeftPastRightEdge", epaLeft, -50, 50, 200, -200, 71},
                             PlacementCase{"RightPastRightEdge", epaRight, -50, 50, 104, -104, 71},
                             // Field partly off the left edge: never left of x = 0.
                             PlacementCase{"RightPastLeftEdge", epaRight, -10000, 50, 200, 0, 71},
                             // Near the bottom the popup opens above the field.
                             PlacementCase{"AboveNearBottom", epaRight, 300, -40, 200, 221, -167},
                             PlacementCase{"JustFitsBelow", epaRight, 300, -148, 200, 221, -127}),
                         [](const ::testing::TestParamInfo<PlacementCase> &info) {
                             return std::string(info.param.name);
                         });

// ---- geometry, glyph kinds ----------------------------------------------

TEST(ComboEditGeometry, ButtonSitsInsideTheRightEdgeForEachBorder)
{
    TestField field;
    field.resize(121, 21);
    field.SetButtonWidth(20);
    field.show();
    // 3D border: client (2,2) 117 × 17; button at client x 97..116, y 0..16.
    EXPECT_EQ(field.ButtonContainer()->geometry(), QRect(99, 2, 20, 17));
    EXPECT_EQ(field.Button()->geometry(), QRect(0, 0, 20, 17));
    EXPECT_EQ(field.EditRect(), QRect(2, 2, 95, 18));

    field.SetCtl3D(false);
    EXPECT_EQ(field.ButtonContainer()->geometry(), QRect(100, 3, 20, 17));
    field.setFrame(false);
    field.resize(121, 22);
    EXPECT_EQ(field.ButtonContainer()->geometry(), QRect(101, 0, 20, 22));
}

TEST(ComboEditGeometry, TextNeverRunsUnderTheButton)
{
    QWidget form;
    auto *field = new TestField(&form);
    field->SetButtonWidth(20);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    field->setText(QString(60, QLatin1Char('W')));
    field->end(false);
    field->repaint(); // the edit scrolls its text while painting
    EXPECT_LT(field->cursorRect().center().x(), field->ButtonContainer()->x());
}

TEST(ComboEditGeometry, LowerThanMinimumHeightSnapsBack)
{
    QWidget form;
    auto *field = new TestField(&form);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    field->resize(121, 3);
    EXPECT_EQ(field->height(), field->MinimumFieldHeight());
    EXPECT_GT(field->MinimumFieldHeight(), 5);
    field->resize(121, 40);
    EXPECT_EQ(field->height(), 40);
    EXPECT_EQ(field->ButtonContainer()->height(), 36);
}

TEST(ComboEditGeometry, ButtonWidthMustStayBelowTheClientWidth)
{
    TestField field;
    field.SetButtonWidth(20);
    field.SetButtonWidth(117); // client width of a 121-pixel field
    EXPECT_EQ(field.ButtonWidth(), 20);
    field.SetButtonWidth(1);
    EXPECT_EQ(field.ButtonWidth(), 1);
    EXPECT_TRUE(field.ButtonContainer()->isHidden());
    field.SetButtonWidth(30);
    EXPECT_FALSE(field.ButtonContainer()->isHidden());
}

TEST(ComboEditGlyph, EllipsisDotsFollowTheButtonWidth)
{
    struct Case
    {
        int buttonWidth;
        std::vector<int> darkColumns;
    };
    // bw = width − 6; gap = (bw − 6) / 2 limited to 1..3; first at (bw − 6 − 2·gap) / 2.
    const std::vector<Case> cases{
        {20, {1, 2, 6, 7, 11, 12}},   // bw 14, gap 3, x0 1
        {16, {0, 1, 4, 5, 8, 9}},     // bw 10, gap 2, x0 0
        {12, {0, 2, 3, 5}},           // bw 6, gap 1, x0 -1: outer squares half out
        {30, {6, 7, 11, 12, 16, 17}}, // bw 24, gap 3 (limited), x0 6
    };
    for (const Case &c : cases) {
        const QImage glyph = DrawEllipsisGlyph(c.buttonWidth);
        ASSERT_EQ(glyph.size(), QSize(c.buttonWidth - 6, 4));
        std::vector<int> dark;
        for (int x = 0; x < glyph.width(); ++x) {
            if (qRed(glyph.pixel(x, 1)) == 0) {
                dark.push_back(x);
                EXPECT_EQ(qRed(glyph.pixel(x, 2)), 0);
                EXPECT_EQ(qRed(glyph.pixel(x, 0)), 255);
                EXPECT_EQ(qRed(glyph.pixel(x, 3)), 255);
            }
        }
        EXPECT_EQ(dark, c.darkColumns) << c.buttonWidth;
    }
    EXPECT_EQ(DrawEllipsisGlyph(3).size(), QSize(1, 4));
}

TEST(ComboEditGlyph, KindsChooseGlyphCountAndWidth)
{
    TestField field;
    field.SetButtonWidth(20);
    QImage calc(28, 12, QImage::Format_RGB32);
    calc.fill(qRgb(0, 128, 128));
    field.defaultGlyph = calc;
    field.SetDefaultNumGlyphs(2);
    field.SetGlyphKind(gkDefault);
    EXPECT_EQ(field.NumGlyphs(), 2);
    EXPECT_EQ(field.ButtonWidth(), 20); // max(14 + 6, 20)
    field.SetNumGlyphs(4);              // the default count wins for gkDefault
    EXPECT_EQ(field.NumGlyphs(), 2);

    field.SetGlyphKind(gkEllipsis);
    EXPECT_EQ(field.Glyph().size(), QSize(14, 4));
    EXPECT_EQ(field.NumGlyphs(), 1);

    field.SetGlyphKind(gkDropDown);
    EXPECT_EQ(field.ButtonWidth(), field.style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    EXPECT_TRUE(field.Button()->IsWidthFixed());
    EXPECT_EQ(field.NumGlyphs(), 1);
    EXPECT_FALSE(field.Button()->ButtonGlyph().ImageFor(sbsUp).isNull());

    field.SetGlyph(calc);
    EXPECT_EQ(field.GlyphKind(), gkCustom);
}

TEST(ComboEditGlyph, DisabledFieldShowsTheSecondImage)
{
    QWidget form;
    auto *field = new TestField(&form);
    field->SetButtonWidth(20);
    QImage calc(28, 12, QImage::Format_RGB32);
    for (int x = 0; x < 28; ++x)
        for (int y = 0; y < 12; ++y)
            calc.setPixel(x, y, x < 14 ? qRgb(0, 128, 128) : qRgb(128, 128, 128));
    calc.setPixel(0, 11, qRgb(255, 0, 255));
    field->defaultGlyph = calc;
    field->SetDefaultNumGlyphs(2);
    field->SetGlyphKind(gkDefault);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QPoint middle = field->Button()->rect().center();
    const QImage released = field->Button()->grab().toImage();
    EXPECT_EQ(released.pixel(middle), qRgb(0, 128, 128));
    // The separating lines on the left stop short of the frame's dark
    // bottom edges.
    const int bottom = field->Button()->height() - 1;
    const TFrameColors c = TFrameColors::FromDesktop();
    EXPECT_EQ(released.pixel(0, bottom - 1), c.face | 0xFF000000u);
    EXPECT_EQ(released.pixel(0, bottom), c.windowFrame | 0xFF000000u);
    EXPECT_EQ(released.pixel(1, bottom - 2), c.highlight | 0xFF000000u);
    EXPECT_EQ(released.pixel(1, bottom - 1), c.shadow | 0xFF000000u);
    field->setEnabled(false);
    EXPECT_EQ(field->Button()->State(), sbsDisabled);
    EXPECT_EQ(field->Button()->grab().toImage().pixel(middle), qRgb(128, 128, 128));
    QSignalSpy buttonClicks(field, &TCustomComboEdit::OnButtonClick);
    QTest::mouseClick(field->Button(), Qt::LeftButton, {}, middle);
    EXPECT_EQ(buttonClicks.count(), 0);
}
