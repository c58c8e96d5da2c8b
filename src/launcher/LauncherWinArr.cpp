#include "launcher/LauncherWinArr.h"

#include "launcher/LauncherWin.h"
#include "platform/Database.h"
#include "store/Globals.h"
#include "store/LauncherDatabase.h"
#include "store/PrefClass.h"

namespace GlobalModule {

std::vector<std::unique_ptr<LauncherWin>> LauncherWinArr;

void ReleaseGlobals() {
    LauncherWinArr.clear();
    GlobalDB.reset();
    MyPref.reset();
    ResetDatabaseReports();
}

} // namespace GlobalModule
