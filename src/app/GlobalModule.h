#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class Database;
class LauncherWin;
class PrefClass;
class QWidget;

namespace GlobalModule {

// Every open launcher window, in load or creation order; the only list of them.
extern std::vector<std::unique_ptr<LauncherWin>> LauncherWinArr;
// The one shared database connection, opened on first use (DBConnectMethod).
extern std::unique_ptr<Database> GlobalDB;
// The user settings.
extern std::unique_ptr<PrefClass> MyPref;

// True when the interface speaks Korean.
bool IsKorean();

// A modal message box with the text alone.
void MsgBox(const QString& text);

// Asks that the window shown next by ShowInFront comes to the front with the keyboard,
// even over the application the person was typing in. Never starts a second process.
void BringMeFront();
// Shows a dialog, raised above the others; activates it when asked or when it takes focus.
void ShowInFront(QWidget* window);

// Ends the event loop with an exit status (Quit, the language dialog's Cancel). Tests
// replace what it does through the hook.
void Quit(int status);
extern std::function<void(int)> QuitHook;

// Releases every global: windows, the connection, the preferences.
void ReleaseGlobals();

} // namespace GlobalModule
