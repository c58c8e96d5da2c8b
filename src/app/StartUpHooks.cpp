#include "app/StartUpHooks.h"

#include "app/App.h"
#include "app/LauncherLoader.h"
#include "editor/LauncherDialogs.h"
#include "editor/NewLauncherWin.h"
#include "launcher/LauncherHooks.h"
#include "shared/GlobalModule.h"

void WireStartUpHooks() {
    GlobalModule::LoadLauncherWindowsHook = &GlobalModule::LoadLauncherWinMethod;
    GlobalModule::AddCloseMenuHandlerHook = [](QWidget* window) {
        if (App* app = App::instance())
            app->AddCloseMenuHandler(window);
    };
    LauncherHooks::NewLauncherWin = [] { NewLauncherWin::instance()->Show(); };
    LauncherHooks::EditLauncherWin = &EditLauncherWin;
    LauncherHooks::CloseLauncherWin = &AskToCloseLauncherWin;
}
