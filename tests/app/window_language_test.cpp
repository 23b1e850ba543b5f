// The windows in the student's language: English under GNU's LANGUAGE=en,
// in every text a user can reach (titles, captions, tabs, lists, tooltips,
// headers, menus, message boxes, the About box) and with the decimal point;
// Russian otherwise, whatever the locale says.
#include "PictureRightClick.h"
#include "RecordingNotifier.h"
#include "ScopedVariable.h"
#include "ShownMainWindow.h"
#include "app/About.h"
#include "app/ImpedanceWindow.h"
#include "app/PictureMenu.h"
#include "app/WindowLanguage.h"
#include "numbers/LocaleNumberSettings.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolTip>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool hasCyrillic(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() >= 0x0400 && c.unicode() <= 0x04FF; });
}

void addWidgetTexts(const QWidget *widget, QStringList &texts)
{
    texts << widget->toolTip();
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        texts << label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        texts << button->text();
    if (const auto *field = qobject_cast<const QLineEdit *>(widget))
        texts << field->text();
    if (const auto *tabs = qobject_cast<const QTabWidget *>(widget)) {
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i) << tabs->tabToolTip(i);
    }
    if (const auto *box = qobject_cast<const QComboBox *>(widget)) {
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
    }
    if (const auto *table = qobject_cast<const QTableWidget *>(widget)) {
        for (int column = 0; column < table->columnCount(); ++column) {
            if (const QTableWidgetItem *header = table->horizontalHeaderItem(column))
                texts << header->text();
            for (int row = 0; row < table->rowCount(); ++row)
                if (const QTableWidgetItem *item = table->item(row, column))
                    texts << item->text();
        }
    }
}

// Every text of a window and its children that a user can see.
QStringList visibleTexts(const QWidget *window)
{
    QStringList texts{window->windowTitle()};
    addWidgetTexts(window, texts);
    for (const QWidget *child : window->findChildren<QWidget *>())
        addWidgetTexts(child, texts);
    texts.removeAll(QString());
    return texts;
}

// The tooltip a user sees on resting the pointer at the middle of image.
QString hover(TImage *image)
{
    QToolTip::hideText();
    const QPoint pos = image->rect().center();
    QHelpEvent help(QEvent::ToolTip, pos, image->mapToGlobal(pos));
    QApplication::sendEvent(image, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

void type(TCalcEdit *field, const QString &text)
{
    QApplication::setActiveWindow(field->window());
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

class EnglishWindowsTest : public ShownMainWindowTest
{
protected:
    // Put in force before the fixture makes the main window.
    ScopedWindowLanguage language{LabelledLanguage::English};
    RecordingNotifier notifier;
};

} // namespace

TEST(WindowLanguage, TheFirstEnglishEntryOfLanguageGivesEnglishWindows)
{
    struct Case
    {
        const char *language;
        LabelledLanguage expected;
    };
    const Case cases[] = {
        {"en", LabelledLanguage::English},          {"en_US", LabelledLanguage::English},
        {"en_GB.UTF-8", LabelledLanguage::English}, {"en.UTF-8", LabelledLanguage::English},
        {"en@quot", LabelledLanguage::English},     {"en:ru", LabelledLanguage::English},
        {"en_GB:de", LabelledLanguage::English},    {"ru:en", LabelledLanguage::Russian},
        {"de_DE:en", LabelledLanguage::Russian},    {"", LabelledLanguage::Russian},
        {":en", LabelledLanguage::Russian},         {"eng", LabelledLanguage::Russian},
        {"ru", LabelledLanguage::Russian},          {"C", LabelledLanguage::Russian},
    };
    for (const Case &c : cases)
        EXPECT_EQ(WindowLanguageOf(QString::fromLatin1(c.language)), c.expected) << '"' << c.language << '"';
}

// LANG and LC_ALL choose the labelled pictures' language, never the windows'.
TEST(WindowLanguage, TheLocaleAloneLeavesTheWindowsRussian)
{
    struct Case
    {
        const char *lang;
        const char *language; // nullptr: unset
        LabelledLanguage expected;
    };
    const Case cases[] = {
        {"en_US.UTF-8", nullptr, LabelledLanguage::Russian},
        {"C", nullptr, LabelledLanguage::Russian},
        {"ru_RU.UTF-8", "en_US", LabelledLanguage::English},
        {"en_US.UTF-8", "en", LabelledLanguage::English},
    };
    for (const Case &c : cases) {
        const ScopedVariable lang("LANG", c.lang);
        const ScopedVariable all("LC_ALL", c.lang);
        const ScopedVariable language("LANGUAGE", c.language);
        EXPECT_EQ(WindowLanguageFromEnvironment(), c.expected) << c.lang << ' ' << (c.language ? c.language : "-");
    }
}

TEST_F(ShownMainWindowTest, WithoutLanguageTheWindowsAreRussian)
{
    const ScopedVariable lang("LANG", "en_US.UTF-8");
    const ScopedVariable language("LANGUAGE", nullptr);
    ASSERT_EQ(WindowLanguageFromEnvironment(), LabelledLanguage::Russian);
    const ScopedLocaleNumberSettings locale(LocaleNumberSettings::russian());
    RecordingNotifier notifier;
    build(QStringLiteral("1,5"));
    form->ShowImpedanceWindow();
    const TFormImpedance *window = form->ImpedanceWindow();
    ASSERT_NE(window, nullptr);
    struct Case
    {
        const char *name;
        QString shown;
        QString expected;
    };
    const Case cases[] = {
        {"main window's title", form->windowTitle(), "Построение ДН СВ"},
        {"build button", form->findChild<QPushButton *>("Button1")->text(), "Построить"},
        {"family page", form->findChild<QTabWidget *>()->tabText(2), "Совокупность ДН"},
        {"laboratory's title", window->windowTitle(), "Лаборатория"},
        {"solid's tab", window->Tabs()->tabText(3), "Объём"},
        {"first file type", PictureSaveFilters().value(0), "Рисунок PNG (*.png)"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.shown, c.expected) << c.name;
    EXPECT_TRUE(window->ReadoutsFigure().startsWith(QStringLiteral("М = 1,5")))
        << window->ReadoutsFigure().toStdString();
}

TEST_F(EnglishWindowsTest, EveryTextAUserCanReachIsEnglish)
{
    QStringList texts = visibleTexts(form.get());
    build(QStringLiteral("1.5"));
    texts << visibleTexts(form.get()) << hover(form->Image1()) << hover(form->Image2())
          << RightClickPicture(form->Image1()) << PictureSaveFilters();
    // The decimal point, in the field and in the readouts.
    EXPECT_EQ(form->findChild<TCalcEdit *>("CalcEdit1")->Value(), 1.5L);
    EXPECT_TRUE(hover(form->Image1()).startsWith(QStringLiteral("M = 1.5\n"))) << hover(form->Image1()).toStdString();

    // A family drawn, and a length refused: both say so in a message box.
    form->findChild<QCheckBox *>("CheckBox2")->setChecked(true);
    QTest::mouseClick(form->findChild<QPushButton *>("Button4"), Qt::LeftButton);
    build(QStringLiteral("30"));
    build(QStringLiteral("1.5"));

    form->ShowImpedanceWindow();
    TFormImpedance *window = form->ImpedanceWindow();
    ASSERT_NE(window, nullptr);
    for (int i = 0; i < window->Tabs()->count(); ++i) {
        window->Tabs()->setCurrentIndex(i);
        QApplication::processEvents();
        texts << visibleTexts(window);
    }
    texts << RightClickPicture(window->Image2());
    EXPECT_TRUE(window->ReadoutsFigure().startsWith(QStringLiteral("M = 1.5 · ")))
        << window->ReadoutsFigure().toStdString();
    type(window->RadiusField(), QStringLiteral("0"));
    type(window->RadiusField(), QStringLiteral("0.3"));

    const TFormAbout about(form.get());
    texts << visibleTexts(&about);

    ASSERT_EQ(notifier.boxes.size(), 4u);
    for (const RecordingNotifier::Box &box : notifier.boxes)
        texts << box.text << box.caption;
    texts << ErrorBoxCaption();

    EXPECT_GT(texts.size(), 100);
    for (const QString &text : texts)
        EXPECT_FALSE(hasCyrillic(text)) << text.toStdString();
}
