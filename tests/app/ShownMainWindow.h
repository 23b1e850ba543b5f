#pragma once
// What the window tests share: the main window shown and active as at
// start-up, a length built the way a user builds one, and a fresh current
// directory for the tests that save.
#include "app/Application.h"
#include "app/ImpedanceWindow.h"
#include "app/UnitMain.h"
#include "widgets/CalcEdit.h"
#include "widgets/UserNotifier.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

class ShownMainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The application object sets the error box's caption at start-up.
        SetErrorBoxCaption(ApplicationTitle());
        form = std::make_unique<TForm1>();
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    // The window goes before the fixture's other members (a notifier, the
    // locale settings) that it may use while it closes.
    void TearDown() override { form.reset(); }

    // Types text into CalcEdit1 (focus, select all, type) and presses
    // "Построить".
    void build(const QString &text)
    {
        auto *field = form->findChild<TCalcEdit *>(QStringLiteral("CalcEdit1"));
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
        QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
    }

    // Builds length and opens the laboratory window on it, shown.
    TFormImpedance *open(const QString &length)
    {
        build(length);
        form->ShowImpedanceWindow();
        TFormImpedance *window = form->ImpedanceWindow();
        if (window) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        }
        return window;
    }

    std::unique_ptr<TForm1> form;
};

// Runs a test with the current directory set to a fresh directory.
class CurrentDirectory
{
public:
    CurrentDirectory() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~CurrentDirectory() { QDir::setCurrent(m_previous); }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};
