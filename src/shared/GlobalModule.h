#pragma once

#include "store/Globals.h"

#include <QString>
#include <functional>

class QWidget;

namespace GlobalModule {

// Asks that the window shown next by ShowInFront comes to the front with the keyboard,
// even over the application the person was typing in. Never starts a second process.
void BringMeFront();
// Shows a dialog, raised above the others, un-minimised; activates it when asked or when it
// takes focus. Every single-instance dialog is shown through it.
void ShowInFront(QWidget* window);

// Ends the event loop with an exit status (Quit, the language dialog's Cancel). Tests
// replace what it does through the hook.
void Quit(int status);
extern std::function<void(int)> QuitHook;

// What only start-up can do, asked for by the layers below it; start-up sets the hooks
// (WireStartUpHooks), and an unset hook does nothing.
// The editor, the preferences dialog and the about box answer Close Window.
void AddCloseMenuHandler(QWidget* window);
extern std::function<void(QWidget*)> AddCloseMenuHandlerHook;
// Builds the launcher windows from the database (the language dialog's OK).
void LoadLauncherWindows();
extern std::function<void()> LoadLauncherWindowsHook;

} // namespace GlobalModule
