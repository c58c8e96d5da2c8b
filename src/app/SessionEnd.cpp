#include "app/SessionEnd.h"

#include "platform/Database.h"
#include "platform/WindowSystem.h"
#include "store/Globals.h"

#include <QtGlobal>
#include <cstdlib>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

QtMessageHandler previousHandler = nullptr;

bool displayLost() {
    xcb_connection_t* c = X11Connection();
    return c && xcb_connection_has_error(c);
}

// Every change was committed when it was made; the file is put back as a clean run leaves
// it, and the process ends without running what exit() would (static destructors, Qt's
// own end) on a connection that is gone.
[[noreturn]] void endNow() {
    if (GlobalModule::GlobalDB)
        GlobalModule::GlobalDB->Close();
    ::_exit(0);
}

// Qt reports the broken connection and then calls exit(1) itself.
void onMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (previousHandler)
        previousHandler(type, context, text);
    if (type != QtDebugMsg && type != QtInfoMsg && displayLost())
        endNow();
}

void atExit() {
    if (displayLost())
        endNow();
}

} // namespace

void EndWithTheDisplay() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    previousHandler = qInstallMessageHandler(onMessage);
    std::atexit(atExit);
}
