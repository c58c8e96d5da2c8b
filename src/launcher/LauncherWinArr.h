#pragma once

#include <memory>
#include <vector>

class LauncherWin;

namespace GlobalModule {

// Every open launcher window, in load or creation order; the only list of them.
extern std::vector<std::unique_ptr<LauncherWin>> LauncherWinArr;

// Appends a window made from its row (at start, by the editor) and tells the application
// context, whose owner connects what the window asks for; returns the window.
LauncherWin* AddLauncherWin(std::unique_ptr<LauncherWin> win);

// Releases every global: windows, the connection, the preferences.
void ReleaseGlobals();

} // namespace GlobalModule
