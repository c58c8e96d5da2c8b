#include "launcher/LauncherApp.h"

#include "launcher/CheckVisibleTimerWin.h"
#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"

LauncherApp::LauncherApp(Environment environment, std::unique_ptr<Desktop> desktop)
    : AppContext(std::move(environment), std::move(desktop)) {}

LauncherApp::~LauncherApp() {
    CheckVisibleTimerWin::instance()->Stop();
    GlobalModule::LauncherWinArr.clear();
}

LauncherApp* LauncherApp::current() {
    return qobject_cast<LauncherApp*>(AppContext::current());
}
