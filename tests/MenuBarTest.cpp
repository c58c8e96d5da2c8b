#include "TestSupport.h"

#include "app/App.h"
#include "app/MenuBar1.h"
#include "launcher/LauncherApp.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>

namespace {

class MenuBarTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        m_app = std::make_unique<App>(*context);
    }
    void TearDown() override {
        m_windows.clear();
        m_app.reset();
        AppTest::TearDown();
    }

    // A plain window that answers Close Window, shown and made active.
    QWidget* handlerWindow(const QString& title) {
        m_windows.push_back(std::make_unique<QWidget>());
        QWidget* w = m_windows.back().get();
        w->setWindowTitle(title);
        w->resize(200, 100);
        m_app->AddCloseMenuHandler(w);
        return w;
    }

    static void activate(QWidget* w) {
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w)) << w->windowTitle().toStdString();
    }

    std::unique_ptr<App> m_app;
    std::vector<std::unique_ptr<QWidget>> m_windows;
};

struct Entry {
    QString name, caption, shortcut; // caption "-": a separator
};

std::vector<Entry> entriesOf(QMenu* menu) {
    std::vector<Entry> out;
    for (QAction* a : menu->actions())
        out.push_back({a->objectName(), a->isSeparator() ? QStringLiteral("-") : a->text(),
                       a->shortcut().toString(QKeySequence::PortableText)});
    return out;
}

bool operator==(const Entry& a, const Entry& b) {
    return a.name == b.name && a.caption == b.caption && a.shortcut == b.shortcut;
}

void PrintTo(const Entry& e, std::ostream* os) {
    *os << e.name.toStdString() << " \"" << e.caption.toStdString() << "\" "
        << e.shortcut.toStdString();
}

TEST_F(MenuBarTest, EveryItemInOrder) {
    QMenu* bar = MenuBar1::instance()->menu();
    ASSERT_EQ(bar->actions().size(), 2);
    QMenu* file = bar->actions()[0]->menu();
    QMenu* edit = bar->actions()[1]->menu();
    ASSERT_NE(file, nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(entriesOf(bar),
              (std::vector<Entry>{{"FileMenu", "&File", ""}, {"EditMenu", "&Edit", ""}}));
    EXPECT_EQ(entriesOf(file), (std::vector<Entry>{
                                   {"NewMenu", "New LauncherWindow", "Ctrl+N"},
                                   {"UntitledItem1", "-", ""},
                                   {"CloseMenu", "Close Window", "Ctrl+W"},
                                   {"UntitledSeparator", "-", ""},
                                   {"FileQuit", "&Quit", "Ctrl+Q"},
                                   {"AboutMenu", "About Vondrelaskit...", ""},
                                   {"PrefMenu", "Preferences...", ""},
                               }));
    EXPECT_EQ(entriesOf(edit), (std::vector<Entry>{
                                   {"EditUndo", "&Undo", "Ctrl+Z"},
                                   {"UntitledMenu1", "-", ""},
                                   {"EditCut", "Cu&t", "Ctrl+X"},
                                   {"EditCopy", "&Copy", "Ctrl+C"},
                                   {"EditPaste", "&Paste", "Ctrl+V"},
                                   {"EditClear", "&Delete", ""},
                                   {"UntitledMenu0", "-", ""},
                                   {"EditSelectAll", "Select &All", "Ctrl+A"},
                               }));
    // Found by name, one instance.
    EXPECT_EQ(MenuBar1::instance(), MenuBar1::instance());
    EXPECT_EQ(MenuItems::CloseMenu(), file->actions()[2]);
    EXPECT_EQ(MenuItems::NewMenu(), file->actions()[0]);
    EXPECT_EQ(MenuItems::AboutMenu(), file->actions()[5]);
    EXPECT_EQ(MenuItems::PrefMenu(), file->actions()[6]);
}

TEST_F(MenuBarTest, CloseWindowWithoutHandlerWindowsDoesNothing) {
    QWidget plain; // not one of the dialogs that answer Close Window
    plain.resize(100, 100);
    activate(&plain);
    EXPECT_FALSE(m_app->CloseFrontWindow());
    MenuItems::CloseMenu()->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(plain.isVisible());

    // A handler window that was closed already is not closed again, nor anything else.
    QWidget* gone = handlerWindow(QStringLiteral("gone"));
    activate(gone);
    gone->close();
    EXPECT_FALSE(m_app->CloseFrontWindow());
    EXPECT_TRUE(plain.isVisible());
}

TEST_F(MenuBarTest, CloseWindowClosesTheFrontmostOnly) {
    QWidget* first = handlerWindow(QStringLiteral("first"));
    QWidget* second = handlerWindow(QStringLiteral("second"));
    activate(second);
    activate(first); // registered first, but now in front

    MenuItems::CloseMenu()->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(first->isVisible());
    EXPECT_TRUE(second->isVisible());

    MenuItems::CloseMenu()->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(second->isVisible());
}

TEST_F(MenuBarTest, CtrlWInAHandlerWindowClosesIt) {
    QWidget* first = handlerWindow(QStringLiteral("first"));
    QWidget* second = handlerWindow(QStringLiteral("second"));
    activate(first);
    activate(second);
    QTest::keyClick(second, Qt::Key_W, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_FALSE(second->isVisible());
    EXPECT_TRUE(first->isVisible());
}

TEST_F(MenuBarTest, CloseWindowFollowsTheDialogsNotTheLastShownMenu) {
    // The tray menu is shown while no dialog is open: Close Window is disabled there.
    QMenu* file = MenuBar1::instance()->menu()->findChild<QMenu*>(QStringLiteral("FileMenu"));
    ASSERT_NE(file, nullptr);
    const auto showAndClose = [](QMenu* menu) {
        menu->popup(QPoint(10, 10));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(menu));
        menu->close();
    };
    showAndClose(MenuBar1::instance()->menu());
    showAndClose(file);
    EXPECT_FALSE(MenuItems::CloseMenu()->isEnabled());

    // A dialog opens afterwards, without any menu shown: Ctrl+W in it closes it.
    QWidget* dialog = handlerWindow(QStringLiteral("dialog"));
    activate(dialog);
    EXPECT_TRUE(MenuItems::CloseMenu()->isEnabled());
    QTest::keyClick(dialog, Qt::Key_W, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(MenuItems::CloseMenu()->isEnabled());

    // Shown again, the menu offers Close Window while a dialog is open.
    activate(dialog);
    showAndClose(file);
    EXPECT_TRUE(MenuItems::CloseMenu()->isEnabled());
}

} // namespace
