#include "editor/LauncherDialogs.h"

#include "editor/CloseLauncherAlertWin.h"
#include "editor/NewLauncherWin.h"
#include "launcher/LauncherWin.h"

void EditLauncherWin(LauncherWin& win) {
    NewLauncherWin* editor = NewLauncherWin::instance();
    editor->Show();
    editor->EditWindowMethod(win);
}

void AskToCloseLauncherWin(LauncherWin& win) {
    CloseLauncherAlertWin* dialog = CloseLauncherAlertWin::instance();
    dialog->Show();
    dialog->SelfWin = &win;
    dialog->LauncherWinName = win.LauncherWinName;
    dialog->DeleteLauncherWinUID = win.LauncherWinUID;
    dialog->ItemCount = qint32(win.LauncherItemArr->size());
    dialog->DisplayInfoMethod();
}
