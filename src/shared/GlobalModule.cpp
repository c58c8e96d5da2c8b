#include "shared/GlobalModule.h"

#include <QCoreApplication>
#include <QWidget>

namespace GlobalModule {

namespace {
bool bringFrontPending = false;
}

void BringMeFront() {
    bringFrontPending = true;
}

void ShowInFront(QWidget* window) {
    if (!window)
        return;
    window->show();
    window->raise();
    if (bringFrontPending || !window->testAttribute(Qt::WA_ShowWithoutActivating))
        window->activateWindow();
    bringFrontPending = false;
}

std::function<void(int)> QuitHook;

void Quit(int status) {
    if (QuitHook)
        QuitHook(status);
    else
        QCoreApplication::exit(status);
}

std::function<void(QWidget*)> AddCloseMenuHandlerHook;

void AddCloseMenuHandler(QWidget* window) {
    if (AddCloseMenuHandlerHook)
        AddCloseMenuHandlerHook(window);
}

std::function<void()> LoadLauncherWindowsHook;

void LoadLauncherWindows() {
    if (LoadLauncherWindowsHook)
        LoadLauncherWindowsHook();
}

} // namespace GlobalModule
