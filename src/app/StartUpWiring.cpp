#include "app/StartUpWiring.h"

#include "app/LauncherLoader.h"
#include "editor/LauncherDialogs.h"
#include "editor/NewLauncherWin.h"
#include "launcher/LauncherApp.h"
#include "launcher/LauncherWin.h"

void WireStartUp(LauncherApp& context) {
    QObject::connect(&context, &AppContext::loadLauncherWindowsRequested, &context,
                     &GlobalModule::LoadLauncherWinMethod);
    QObject::connect(&context, &LauncherApp::launcherWinAdded, &context,
                     [](LauncherWin* win) { ConnectLauncherWinRequests(*win); });
}

void ConnectLauncherWinRequests(LauncherWin& win) {
    QObject::connect(&win, &LauncherWin::newWindowRequested, &win,
                     [] { NewLauncherWin::instance()->Show(); });
    QObject::connect(&win, &LauncherWin::editRequested, &win, [&win] { EditLauncherWin(win); });
    QObject::connect(&win, &LauncherWin::closeRequested, &win,
                     [&win] { AskToCloseLauncherWin(win); });
}
