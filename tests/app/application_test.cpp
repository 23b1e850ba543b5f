// The application object: an error escaping an event handler is shown in
// the error box and the event loop goes on; SIGTERM closes the main window.
// This executable makes its own TApplication instead of the shared test main.
#include "RecordingNotifier.h"
#include "app/Application.h"
#include "app/QtTranslations.h"
#include "base/AppError.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <csignal>
#include <gtest/gtest.h>

namespace {

class ThrowingObject : public QObject
{
public:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            throw AppError(QStringLiteral("Cannot create file dn1.bmp"));
        return QObject::event(event);
    }
};

} // namespace

TEST(ApplicationTest, ErrorLeavingAnEventHandlerGoesToTheErrorBoxAndTheLoopGoesOn)
{
    RecordingNotifier notifier;
    ThrowingObject target;
    bool ranAfterwards = false;
    QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
    QTimer::singleShot(0, qApp, [&] {
        ranAfterwards = true;
        QCoreApplication::quit();
    });
    QCoreApplication::exec();
    EXPECT_TRUE(ranAfterwards);
    ASSERT_EQ(notifier.boxes.size(), 1u);
    EXPECT_TRUE(notifier.boxes[0].error);
    EXPECT_EQ(notifier.boxes[0].text, "Cannot create file dn1.bmp.");
    EXPECT_EQ(notifier.boxes[0].caption, "Построение ДН СВ");
}

TEST(ApplicationTest, TerminationRequestClosesTheMainWindow)
{
    QWidget window;
    window.show();
    static_cast<TApplication *>(qApp)->SetMainWindow(&window);
    QTimer::singleShot(0, qApp, [] { std::raise(SIGTERM); });
    // Closing the last window ends the loop; the timer only guards a failure.
    QTimer::singleShot(5000, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    EXPECT_FALSE(window.isVisible());
}

// The file, print and message dialogs take their buttons' words from Qt's
// catalogue: once it is in, they read as the Russian windows around them.
TEST(ApplicationTest, QtsOwnDialogTextsAreRussian)
{
    ASSERT_TRUE(InstallQtRussianTexts(*qApp)) << "Qt's Russian catalogue (qtbase_ru.qm) is not installed";
    const struct
    {
        QDialogButtonBox::StandardButton button;
        const char *text;
    } rows[] = {
        {QDialogButtonBox::Save, "Сохранить"},
        {QDialogButtonBox::Cancel, "Отмена"},
        {QDialogButtonBox::Open, "Открыть"},
    };
    QDialogButtonBox box;
    for (const auto &row : rows)
        EXPECT_EQ(box.addButton(row.button)->text().remove(QLatin1Char('&')), QString::fromUtf8(row.text));
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
