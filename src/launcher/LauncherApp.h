#pragma once

#include "store/AppContext.h"

#include <memory>

class LauncherWin;

// The application context with the launcher windows: LauncherWinArr lives as long as it,
// the windows going before the connection they write to, and the activation-key watcher
// stops with it. Start-up connects launcherWinAdded to give each window what it asks for.
class LauncherApp : public AppContext {
    Q_OBJECT

public:
    LauncherApp(Environment environment, std::unique_ptr<Desktop> desktop);
    ~LauncherApp() override;

    // The context made last and still alive, when it is a LauncherApp.
    static LauncherApp* current();

Q_SIGNALS:
    // A window has joined LauncherWinArr (GlobalModule::AddLauncherWin).
    void launcherWinAdded(LauncherWin* win);
};
