#include "editor/NewLauncherWin.h"

#include "app/GlobalModule.h"

#include <QPointer>

NewLauncherWin* NewLauncherWin::instance() {
    static QPointer<NewLauncherWin> open;
    if (!open)
        open = new NewLauncherWin; // deletes itself when closed
    return open;
}

NewLauncherWin::NewLauncherWin() { setAttribute(Qt::WA_DeleteOnClose); }

void NewLauncherWin::Show() { GlobalModule::ShowInFront(this); }
