#include "editor/CloseLauncherAlertWin.h"

#include "app/GlobalModule.h"

#include <QPointer>

CloseLauncherAlertWin* CloseLauncherAlertWin::instance() {
    static QPointer<CloseLauncherAlertWin> open;
    if (!open)
        open = new CloseLauncherAlertWin; // deletes itself when closed
    return open;
}

CloseLauncherAlertWin::CloseLauncherAlertWin() { setAttribute(Qt::WA_DeleteOnClose); }

void CloseLauncherAlertWin::Show() { GlobalModule::ShowInFront(this); }
