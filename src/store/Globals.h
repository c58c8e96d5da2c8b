#pragma once

#include <QString>
#include <functional>
#include <memory>

class Database;
class PrefClass;

// The globals the stored data needs; the launcher windows' list sits with the launcher
// (launcher/LauncherWinArr.h), start-up's hooks with the shared layer (shared/GlobalModule.h).
namespace GlobalModule {

// The one shared database connection, opened on first use (DBConnectMethod).
extern std::unique_ptr<Database> GlobalDB;
// The user settings.
extern std::unique_ptr<PrefClass> MyPref;

// True when the interface speaks Korean.
bool IsKorean();

// A modal message box with the text alone. Returns at once; the box is shown after the
// handler that asked for it has returned, and `dismissed` runs once the person closed it.
void MsgBox(const QString& text, std::function<void()> dismissed = {});

} // namespace GlobalModule
