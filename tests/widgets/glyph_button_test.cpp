// The glyph button under real mouse input: pressed, dragged out and back,
// released inside or outside, latching groups, key presses, auto-repeat, and
// what it paints in each state.
#include "base/AppError.h"
#include "colors/Colors.h"
#include "widgets/GlyphButton.h"

#include <QDialog>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);

// The numeric field's kind of glyph: two 14 × 12 images, released and
// disabled, on a magenta (transparent) background pixel.
QImage twoImageGlyph()
{
    QImage bitmap(28, 12, QImage::Format_RGB32);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 28; ++x)
            bitmap.setPixel(x, y, x < 14 ? kRed : kBlue);
    bitmap.setPixel(0, 11, qRgb(255, 0, 255));
    return bitmap;
}

struct ButtonOnForm
{
    QWidget form;
    TGlyphButton *button;
    ButtonOnForm()
    {
        form.resize(120, 80);
        button = new TGlyphButton(&form);
        button->setGeometry(10, 10, 25, 25);
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
};

class ThrowingButton : public TGlyphButton
{
public:
    using TGlyphButton::TGlyphButton;
    void Click() override
    {
        ++clicks;
        throw AppError(QStringLiteral("key failed"));
    }
    int clicks = 0;
};

} // namespace

TEST(GlyphButton, DragOutShowsReleasedAndReleaseOutsideDoesNotClick)
{
    ButtonOnForm f;
    QSignalSpy clicks(f.button, &TGlyphButton::OnClick);
    QTest::mousePress(f.button, Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(f.button->State(), sbsDown);
    QTest::mouseMove(f.button, QPoint(40, 12));
    EXPECT_EQ(f.button->State(), sbsUp);
    QTest::mouseMove(f.button, QPoint(5, 5));
    EXPECT_EQ(f.button->State(), sbsDown);
    QTest::mouseMove(f.button, QPoint(5, -3));
    EXPECT_EQ(f.button->State(), sbsUp);
    QTest::mouseRelease(f.button, Qt::LeftButton, {}, QPoint(5, -3));
    EXPECT_EQ(f.button->State(), sbsUp);
    EXPECT_EQ(clicks.count(), 0);

    QTest::mouseClick(f.button, Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(f.button->State(), sbsUp);
    EXPECT_FALSE(f.button->Dragging());
}

TEST(GlyphButton, DisabledButtonNeitherPressesNorClicks)
{
    ButtonOnForm f;
    QSignalSpy clicks(f.button, &TGlyphButton::OnClick);
    f.button->setEnabled(false);
    EXPECT_EQ(f.button->State(), sbsDisabled);
    QTest::mouseClick(f.button, Qt::LeftButton, {}, QPoint(12, 12));
    f.button->PressByKey();
    EXPECT_EQ(clicks.count(), 0);
    f.button->setEnabled(true);
    EXPECT_EQ(f.button->State(), sbsUp);
}

TEST(GlyphButton, GroupLatchesOneButtonAtATime)
{
    ButtonOnForm f;
    auto *other = new TGlyphButton(&f.form);
    other->setGeometry(40, 10, 25, 25);
    other->show();
    f.button->SetGroupIndex(1);
    other->SetGroupIndex(1);

    QTest::mouseClick(f.button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(f.button->Down());
    EXPECT_EQ(f.button->State(), sbsExclusive);
    // Without AllowAllUp a latched button stays down when clicked again.
    QTest::mouseClick(f.button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(f.button->Down());

    QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(other->Down());
    EXPECT_FALSE(f.button->Down());
    EXPECT_EQ(f.button->State(), sbsUp);

    other->SetAllowAllUp(true);
    QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(other->Down());

    // A group of 0 never latches.
    TGlyphButton plain;
    plain.SetDown(true);
    EXPECT_FALSE(plain.Down());
}

TEST(GlyphButton, PressByKeyClicksOnceAndReleases)
{
    ButtonOnForm f;
    QSignalSpy clicks(f.button, &TGlyphButton::OnClick);
    TSpeedButtonState stateDuringClick = sbsUp;
    QObject::connect(f.button, &TGlyphButton::OnClick, f.button, [&] { stateDuringClick = f.button->State(); });
    f.button->PressByKey();
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(stateDuringClick, sbsDown);
    EXPECT_EQ(f.button->State(), sbsUp);
}

TEST(GlyphButton, PressByKeyReleasesEvenWhenTheClickFails)
{
    QWidget form;
    auto *button = new ThrowingButton(&form);
    EXPECT_THROW(button->PressByKey(), AppError);
    EXPECT_EQ(button->clicks, 1);
    EXPECT_EQ(button->State(), sbsUp);
}

TEST(GlyphButton, HeldButtonRepeatsItsClickUntilReleased)
{
    ButtonOnForm f;
    f.button->SetAllowTimer(true);
    f.button->SetInitPause(30);
    f.button->SetRepeatInterval(10);
    QSignalSpy clicks(f.button, &TGlyphButton::OnClick);
    QTest::mousePress(f.button, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(QTest::qWaitFor([&] { return clicks.count() >= 3; }, 2000));
    QTest::mouseRelease(f.button, Qt::LeftButton, {}, QPoint(5, 5));
    const int afterRelease = int(clicks.count());
    // Six repeat intervals pass without another click.
    EXPECT_FALSE(QTest::qWaitFor([&] { return clicks.count() > afterRelease; }, 60));
}

TEST(GlyphButton, ClickHandsItsModalResultToTheDialog)
{
    QDialog dialog;
    auto *button = new TGlyphButton(&dialog);
    button->SetModalResult(QDialog::Accepted);
    dialog.show();
    button->Click();
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
    EXPECT_FALSE(dialog.isVisible());
}

TEST(GlyphButtonPainting, PressedButtonShowsSunkenFrameAndShiftedGlyph)
{
    ButtonOnForm f;
    f.button->SetGlyph(twoImageGlyph());
    f.button->SetNumGlyphs(2);
    const TFrameColors c = TFrameColors::FromDesktop();

    // Released: frame inside 25 × 25 leaves (3,3)–(21,21); the 14 × 12
    // image is centred at (5,6).
    QImage up = f.button->grab().toImage();
    EXPECT_EQ(up.pixel(0, 0), c.highlight | 0xFF000000u);
    EXPECT_EQ(up.pixel(24, 24), c.windowFrame | 0xFF000000u);
    EXPECT_EQ(up.pixel(1, 1), c.face | 0xFF000000u);
    EXPECT_EQ(up.pixel(23, 23), c.shadow | 0xFF000000u);
    EXPECT_EQ(up.pixel(5, 6), kRed);                  // top-left of the image
    EXPECT_EQ(up.pixel(18, 17), kRed);                // bottom-right of the image
    EXPECT_EQ(up.pixel(5, 17), c.face | 0xFF000000u); // transparent bottom-left pixel

    QTest::mousePress(f.button, Qt::LeftButton, {}, QPoint(12, 12));
    QImage down = f.button->grab().toImage();
    EXPECT_EQ(down.pixel(0, 0), c.windowFrame | 0xFF000000u);
    EXPECT_EQ(down.pixel(24, 24), c.highlight | 0xFF000000u);
    EXPECT_EQ(down.pixel(1, 1), c.shadow | 0xFF000000u);
    EXPECT_EQ(down.pixel(19, 18), kRed);
    EXPECT_EQ(down.pixel(6, 18), c.face | 0xFF000000u);
    QTest::mouseRelease(f.button, Qt::LeftButton, {}, QPoint(12, 12));

    f.button->setEnabled(false);
    QImage disabled = f.button->grab().toImage();
    EXPECT_EQ(disabled.pixel(10, 10), kBlue);
}

TEST(GlyphButtonPainting, OldStylePressedFrameHasShadowLineInside)
{
    ButtonOnForm f;
    f.button->SetButtonStyle(bsWin31);
    const TFrameColors c = TFrameColors::FromDesktop();
    QImage up = f.button->grab().toImage();
    EXPECT_EQ(up.pixel(0, 0), c.windowFrame | 0xFF000000u);
    EXPECT_EQ(up.pixel(1, 1), c.highlight | 0xFF000000u);
    EXPECT_EQ(up.pixel(23, 23), c.shadow | 0xFF000000u);
    QTest::mousePress(f.button, Qt::LeftButton, {}, QPoint(12, 12));
    QImage down = f.button->grab().toImage();
    EXPECT_EQ(down.pixel(1, 12), c.shadow | 0xFF000000u);
    EXPECT_EQ(down.pixel(12, 1), c.shadow | 0xFF000000u);
    EXPECT_EQ(down.pixel(23, 23), c.face | 0xFF000000u);
    QTest::mouseRelease(f.button, Qt::LeftButton, {}, QPoint(12, 12));
}

TEST(GlyphButtonPainting, LatchedButtonIsCheckered)
{
    ButtonOnForm f;
    f.button->SetGroupIndex(3);
    f.button->SetDown(true);
    const TFrameColors c = TFrameColors::FromDesktop();
    QImage image = f.button->grab().toImage();
    EXPECT_NE(image.pixel(10, 10), image.pixel(11, 10));
    EXPECT_EQ(image.pixel(10, 10), image.pixel(11, 11));
    const QRgb a = image.pixel(10, 10) & 0xFFFFFFu;
    EXPECT_TRUE(a == (c.face & 0xFFFFFFu) || a == (c.highlight & 0xFFFFFFu));
}

TEST(GlyphButtonCaption, TooWideLineIsShortenedWithDots)
{
    QFont font;
    const QFontMetrics metrics(font);
    const QString line = QStringLiteral("Построить график");
    EXPECT_EQ(ShortenCaptionLine(metrics, line, metrics.horizontalAdvance(line)), line);
    const int width = metrics.horizontalAdvance(line) / 2;
    const QString shortened = ShortenCaptionLine(metrics, line, width);
    ASSERT_TRUE(shortened.endsWith(QStringLiteral("...")));
    EXPECT_LE(metrics.horizontalAdvance(shortened), width);
    const int kept = int(shortened.size()) - 3;
    EXPECT_TRUE(line.startsWith(shortened.left(kept)));
    EXPECT_GT(metrics.horizontalAdvance(line.left(kept + 1) + QStringLiteral("...")), width);
    EXPECT_EQ(ShortenCaptionLine(metrics, line, 1), QStringLiteral("..."));
}

TEST(GlyphButtonCaption, CaptionOnlyButtonCentresItsText)
{
    ButtonOnForm f;
    f.button->setGeometry(10, 10, 40, 21);
    f.button->SetCaption(QStringLiteral("="));
    f.button->SetFontColor(clPurple);
    const QImage image = f.button->grab().toImage();
    const QRgb face = TFrameColors::FromDesktop().face | 0xFF000000u;
    // Ink of the caption: anything but the face inside the frame.
    int minX = 99, maxX = -1, minY = 99, maxY = -1;
    for (int y = 3; y < image.height() - 3; ++y)
        for (int x = 3; x < image.width() - 3; ++x)
            if (image.pixel(x, y) != face) {
                minX = qMin(minX, x);
                maxX = qMax(maxX, x);
                minY = qMin(minY, y);
                maxY = qMax(maxY, y);
            }
    ASSERT_GE(maxX, 0) << "caption not drawn";
    EXPECT_LE(std::abs((minX + maxX) - 40), 4);
    EXPECT_LE(std::abs((minY + maxY) - 21), 6);
}

// The glyph beside the caption: on its side of the caption, with the margin
// from the edge inside the frame and the caption right after the spacing.
TEST(GlyphButtonCaption, GlyphStandsBesideTheCaptionOnItsSide)
{
    ButtonOnForm f;
    f.button->setGeometry(10, 10, 80, 25);
    f.button->SetGlyph(twoImageGlyph());
    f.button->SetNumGlyphs(2);
    f.button->SetCaption(QStringLiteral("Ab"));
    f.button->SetFontColor(clPurple);
    f.button->SetMargin(2);
    f.button->SetSpacing(4);
    const QRgb face = TFrameColors::FromDesktop().face | 0xFF000000u;
    // Columns holding glyph ink (red) or caption ink (anything else but the
    // face, the caption being smoothed) inside the frame.
    const auto inkColumns = [&](bool glyphInk) {
        const QImage image = f.button->grab().toImage();
        int first = 99, last = -1;
        for (int y = 3; y < 22; ++y)
            for (int x = 3; x < 77; ++x)
                if (glyphInk ? image.pixel(x, y) == kRed : image.pixel(x, y) != kRed && image.pixel(x, y) != face) {
                    first = qMin(first, x);
                    last = qMax(last, x);
                }
        return std::make_pair(first, last);
    };

    f.button->SetGlyphLayout(blGlyphLeft);
    auto glyph = inkColumns(true);
    auto caption = inkColumns(false);
    ASSERT_GE(caption.second, 0) << "caption not drawn";
    EXPECT_EQ(glyph, std::make_pair(3 + 2, 3 + 2 + 13));
    // The caption's block starts after the spacing; its ink a little later.
    EXPECT_GE(caption.first, glyph.second + 1 + 4);
    EXPECT_LE(caption.first, glyph.second + 1 + 4 + 3);

    f.button->SetGlyphLayout(blGlyphRight);
    glyph = inkColumns(true);
    caption = inkColumns(false);
    EXPECT_GE(caption.first, 3 + 2);
    EXPECT_LE(caption.first, 3 + 2 + 3);
    EXPECT_GT(glyph.first, caption.second + 4);
    EXPECT_EQ(glyph.second - glyph.first, 13);
}

// The state follows the enabled state when it changes, not when the button
// is painted: a button made in a disabled parent, or disabled by its own
// click, reports sbsDisabled at once.
TEST(GlyphButton, StateIsDisabledWithoutWaitingForAPaint)
{
    QWidget parent;
    parent.setEnabled(false);
    auto *button = new TGlyphButton(&parent);
    EXPECT_EQ(button->State(), sbsDisabled);
    parent.setEnabled(true);
    EXPECT_EQ(button->State(), sbsUp);

    QObject::connect(button, &TGlyphButton::OnClick, button, [button] { button->setEnabled(false); });
    button->PressByKey();
    EXPECT_EQ(button->State(), sbsDisabled);
    button->setEnabled(true);
    EXPECT_EQ(button->State(), sbsUp);

    // A latched button of a disabled group stays disabled until enabled.
    button->SetGroupIndex(1);
    button->setEnabled(false);
    button->SetDown(true);
    EXPECT_EQ(button->State(), sbsDisabled);
    button->setEnabled(true);
    EXPECT_EQ(button->State(), sbsExclusive);
}
