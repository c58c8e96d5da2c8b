#include "shared/GlobalModule.h"

#include "store/AppContext.h"

#include <QCoreApplication>
#include <QWidget>

namespace GlobalModule {

void BringMeFront() {
    if (AppContext* context = AppContext::current())
        context->askToComeToFront();
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
    AppContext* context = AppContext::current();
    const bool asked = context && context->takeFrontRequest();
    if (asked || !window->testAttribute(Qt::WA_ShowWithoutActivating))
        window->activateWindow();
}

void Quit(int status) {
    if (AppContext* context = AppContext::current())
        Q_EMIT context->quitRequested(status);
    else
        QCoreApplication::exit(status);
}

void AddCloseMenuHandler(QWidget* window) {
    if (AppContext* context = AppContext::current())
        Q_EMIT context->closeMenuHandlerRequested(window);
}

void LoadLauncherWindows() {
    if (AppContext* context = AppContext::current())
        Q_EMIT context->loadLauncherWindowsRequested();
}

} // namespace GlobalModule
