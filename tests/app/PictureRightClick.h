#pragma once
// A right click on one of a window's pictures, as a user makes it:
// the picture's page comes to the front, the click opens the picture's menu,
// and an item is chosen with the keyboard. On X the click goes through the
// X server; elsewhere the menu's event is sent to the picture.
#include "RealInput.h"
#include "app/ImageControl.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

// Brings every page that holds widget forward in its tab widget, the
// outermost first.
inline void BringPictureForward(QWidget *widget)
{
    std::vector<std::pair<QTabWidget *, QWidget *>> pages;
    for (QWidget *page = widget; page && page->parentWidget(); page = page->parentWidget())
        if (auto *tabs = qobject_cast<QTabWidget *>(page->parentWidget()->parentWidget()))
            if (tabs->indexOf(page) >= 0)
                pages.emplace_back(tabs, page);
    for (auto it = pages.rbegin(); it != pages.rend(); ++it)
        it->first->setCurrentWidget(it->second);
    QApplication::processEvents();
}

// The items of the menu that a right click on image opens (none when no menu
// opens), choosing the item `choose` when it is one of them and closing the
// menu otherwise. Whatever the chosen item leads to has run on return.
inline QStringList RightClickPicture(TImage *image, const QString &choose = QString())
{
    QStringList items;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible())
            return;
        poll.stop();
        for (const QAction *action : menu->actions())
            items << action->text();
        const int index = int(items.indexOf(choose));
        if (index < 0) {
            menu->close();
            return;
        }
        for (int i = 0; i <= index; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    poll.start();
    // The picture's page comes to the front, and the page's page where the
    // page has pages of its own, as a user's clicks on their tabs do.
    BringPictureForward(image);
    EXPECT_TRUE(QTest::qWaitFor([&] { return image->isVisible(); }, 2000));
    const QPoint pos(120, 90);
    if (realinput::onX11()) {
        const QPoint global = image->mapToGlobal(pos);
        EXPECT_TRUE(
            realinput::xdotool({"mousemove", QString::number(global.x()), QString::number(global.y()), "click", "3"},
                               QEvent::MouseButtonPress));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !QApplication::activePopupWidget(); }, 5000));
    } else {
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, image->mapToGlobal(pos));
        QApplication::sendEvent(image, &event);
    }
    return items;
}
