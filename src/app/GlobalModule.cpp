#include "app/GlobalModule.h"

#include "launcher/LauncherWin.h"
#include "platform/Database.h"
#include "platform/Desktop.h"
#include "store/LauncherDatabase.h"
#include "store/PrefClass.h"

#include <QCoreApplication>
#include <QWidget>

namespace GlobalModule {

std::vector<std::unique_ptr<LauncherWin>> LauncherWinArr;
std::unique_ptr<Database> GlobalDB;
std::unique_ptr<PrefClass> MyPref;

namespace {
bool bringFrontPending = false;
}

bool IsKorean() {
    return MyPref && MyPref->Language.compare(QLatin1String("korean"), Qt::CaseInsensitive) == 0;
}

void MsgBox(const QString& text) {
    Desktop::instance().messageBox(text);
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

void ReleaseGlobals() {
    LauncherWinArr.clear();
    GlobalDB.reset();
    MyPref.reset();
    ResetDatabaseReports();
}

} // namespace GlobalModule
