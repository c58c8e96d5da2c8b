#pragma once

#include <QMenu>
#include <QObject>
#include <memory>

class QAction;

// The application's menus, File and Edit, shown as the tray icon's menu. Items are found by
// name; their shortcuts work in the application's dialogs.
class MenuBar1 : public QObject {
    Q_OBJECT

public:
    static MenuBar1* instance();
    QMenu* menu() { return &m_bar; }
    QAction* item(const QString& name) const;
    // Makes the shortcuts work while the window is active.
    void installShortcuts(QWidget* window);

private:
    MenuBar1();
    void Untitled0(); // File
    void Untitled1(); // Edit
    QAction* add(QMenu* menu, const QString& name, const QString& caption, const QString& shortcut);

    QMenu m_bar;
};

namespace MenuItems {
QAction* NewMenu();
QAction* CloseMenu();
QAction* AboutMenu();
QAction* PrefMenu();
} // namespace MenuItems
