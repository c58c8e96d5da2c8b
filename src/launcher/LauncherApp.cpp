#include "launcher/LauncherApp.h"

#include "launcher/CheckVisibleTimerWin.h"
#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"

LauncherApp::LauncherApp(Environment environment, std::unique_ptr<Desktop> desktop)
    : AppContext(std::move(environment), std::move(desktop)) {}

LauncherApp::~LauncherApp() {
    if (m_watcher)
        m_watcher->Stop();
    // A window hidden as it goes still tells the watcher, which goes after it.
    GlobalModule::LauncherWinArr.clear();
    m_watcher.reset();
}

CheckVisibleTimerWin& LauncherApp::watcher() {
    if (!m_watcher)
        m_watcher.reset(new CheckVisibleTimerWin);
    return *m_watcher;
}

LauncherApp* LauncherApp::current() {
    return qobject_cast<LauncherApp*>(AppContext::current());
}
