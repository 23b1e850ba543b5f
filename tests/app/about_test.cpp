// The About window: its frame, its picture cut to the control, the link
// labels and the OK button.
#include "RecordingNotifier.h"
#include "app/About.h"
#include "app/ImageControl.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(AboutTest, FixedDialogWithoutTitleBarButtons)
{
    TFormAbout about;
    EXPECT_EQ(about.windowTitle(), "О программе...");
    EXPECT_EQ(about.size(), QSize(376, 118));
    EXPECT_EQ(about.minimumSize(), about.maximumSize());
    const Qt::WindowFlags flags = about.windowFlags();
    EXPECT_FALSE(flags & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
}

TEST(AboutTest, ShowsTheTopLeftOfThePictureOnly)
{
    TFormAbout about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    TImage *image = about.Picture();
    EXPECT_EQ(image->size(), QSize(105, 105));
    const QImage &picture = image->ShownImage();
    ASSERT_EQ(picture.size(), QSize(128, 116));
    const QImage shown = image->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(105, 105));
    EXPECT_EQ(shown, picture.copy(0, 0, 105, 105));
    EXPECT_THROW(image->Canvas(), ImageNotBitmapError);
}

TEST(AboutTest, LinksAreBlueUnderlinedLabelsThatOpenNothing)
{
    RecordingNotifier notifier;
    TFormAbout about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    for (const char *name : {"Label6", "Label7", "Label8"}) {
        auto *label = about.findChild<QLabel *>(name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_TRUE(label->font().underline()) << name;
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 255)) << name;
        EXPECT_TRUE(label->text().contains("example")) << name;
    }
    QTest::mouseClick(about.findChild<QLabel *>("Label6"), Qt::LeftButton);
    EXPECT_TRUE(about.isVisible());
    EXPECT_TRUE(notifier.boxes.empty());
}

TEST(AboutTest, OkHasTheFocusAndClosesTheWindow)
{
    TFormAbout about;
    about.show();
    QApplication::setActiveWindow(&about);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    auto *ok = about.findChild<QPushButton *>("Button1");
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->hasFocus());
    QSignalSpy finished(&about, &QDialog::finished);
    QTest::keyClick(ok, Qt::Key_Space);
    EXPECT_FALSE(about.isVisible());
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), int(QDialog::Rejected));
}
