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
    // A minimised dialog asked for again comes back: show() alone leaves a visible window
    // minimised, and its activation would wait for a map that never comes.
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
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
