#pragma once

#include "store/AppContext.h"

#include <memory>

class CheckVisibleTimerWin;
class LauncherWin;

// The application context with the launcher windows: LauncherWinArr lives as long as it,
// the windows going before the connection they write to, and so does the activation-key
// watcher. Start-up connects launcherWinAdded to give each window what it asks for.
class LauncherApp : public AppContext {
    Q_OBJECT

public:
    LauncherApp(Environment environment, std::unique_ptr<Desktop> desktop);
    ~LauncherApp() override;

    // The context made last and still alive, when it is a LauncherApp.
    static LauncherApp* current();
    // The activation-key watcher (CheckVisibleTimerWin::instance), made on first use.
    CheckVisibleTimerWin& watcher();

Q_SIGNALS:
    // A window has joined LauncherWinArr (GlobalModule::AddLauncherWin).
    void launcherWinAdded(LauncherWin* win);

private:
    std::unique_ptr<CheckVisibleTimerWin> m_watcher;
};
