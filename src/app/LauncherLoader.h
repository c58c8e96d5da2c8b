#pragma once

namespace GlobalModule {
// Builds one launcher window per row of the window table into LauncherWinArr.
void LoadLauncherWinMethod();
} // namespace GlobalModule
