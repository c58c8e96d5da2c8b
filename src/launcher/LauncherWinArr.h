#pragma once

#include <memory>
#include <vector>

class LauncherWin;

namespace GlobalModule {

// Every open launcher window, in load or creation order; the only list of them.
extern std::vector<std::unique_ptr<LauncherWin>> LauncherWinArr;

// Releases every global: windows, the connection, the preferences.
void ReleaseGlobals();

} // namespace GlobalModule
