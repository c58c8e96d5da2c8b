#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

class LauncherApp;
class QSystemTrayIcon;

// The application object: the start-up sequence, the menu handlers, Quit and Close Window,
// which it answers for the application context it is given.
class App : public QObject {
    Q_OBJECT

public:
    explicit App(LauncherApp& context);
    ~App() override;
    static App* instance();

    // The start: on a first start, once the database is made (the event loop runs meanwhile),
    // the language is asked for or the windows are loaded.
    void Event_Open();
    void Event_EnableMenuItems();
    // Close Window is enabled while one of the dialogs that answer it is open.
    void EnableCloseMenu(const QWidget* opening = nullptr, const QWidget* closing = nullptr);
    bool _NewMenu_Action();
    bool _AboutMenu_Action();
    bool _PrefMenu_Action();

    // The editor, the preferences dialog and the about box answer Close Window.
    void AddCloseMenuHandler(QWidget* window);
    // Closes the frontmost of them; false when none is open.
    bool CloseFrontWindow();
    // The tray icon, made once the start's windows are loaded.
    void ShowTrayIcon();
    QSystemTrayIcon* TrayIcon() const { return m_tray.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void continueOpen();
    void _ApplicationAddMenuHandlers();
    std::vector<QPointer<QWidget>> m_closeHandlers; // in activation order, front last
    std::unique_ptr<QSystemTrayIcon> m_tray;
};

// The program: one running copy per user, the application on X11, the application context
// that owns what start-up makes, the event loop, and the release of everything at the end.
int _Main(int argc, char** argv);
