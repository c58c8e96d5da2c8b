#include "settings/AboutWin.h"

#include "app/GlobalModule.h"

#include <QPointer>

AboutWin* AboutWin::instance() {
    static QPointer<AboutWin> open;
    if (!open)
        open = new AboutWin; // deletes itself when closed
    return open;
}

AboutWin::AboutWin() { setAttribute(Qt::WA_DeleteOnClose); }

void AboutWin::Show() { GlobalModule::ShowInFront(this); }
