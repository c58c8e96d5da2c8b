#include "settings/PrefWin.h"

#include "app/GlobalModule.h"

#include <QPointer>

PrefWin* PrefWin::instance() {
    static QPointer<PrefWin> open;
    if (!open)
        open = new PrefWin; // deletes itself when closed
    return open;
}

PrefWin::PrefWin() { setAttribute(Qt::WA_DeleteOnClose); }

void PrefWin::Show() { GlobalModule::ShowInFront(this); }
