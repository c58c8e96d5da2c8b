#include "launcher/LauncherWinArr.h"

#include "launcher/LauncherApp.h"
#include "launcher/LauncherWin.h"
#include "platform/Database.h"
#include "store/Globals.h"
#include "store/LauncherDatabase.h"
#include "store/PrefClass.h"

namespace GlobalModule {

std::vector<std::unique_ptr<LauncherWin>> LauncherWinArr;

LauncherWin* AddLauncherWin(std::unique_ptr<LauncherWin> win) {
    LauncherWin* added = win.get();
    LauncherWinArr.push_back(std::move(win));
    if (LauncherApp* context = LauncherApp::current())
        Q_EMIT context->launcherWinAdded(added);
    return added;
}

void ReleaseGlobals() {
    LauncherWinArr.clear();
    GlobalDB.reset();
    MyPref.reset();
    ResetDatabaseReports();
}

} // namespace GlobalModule
