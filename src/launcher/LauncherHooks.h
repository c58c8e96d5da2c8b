#pragma once

#include <functional>

class LauncherWin;

// The dialogs of the layers above the launcher that its contextual menu opens. Start-up sets
// them (WireStartUpHooks); an unset hook does nothing.
namespace LauncherHooks {

// "New Launcher Window": the editor, empty.
extern std::function<void()> NewLauncherWin;
// "Edit Launcher Window": the editor, filled from the window.
extern std::function<void(LauncherWin&)> EditLauncherWin;
// "Close": the delete dialog for the window.
extern std::function<void(LauncherWin&)> CloseLauncherWin;

} // namespace LauncherHooks
