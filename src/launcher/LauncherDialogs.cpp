#include "editor/CloseLauncherAlertWin.h"
#include "editor/NewLauncherWin.h"
#include "launcher/LauncherWin.h"

void LauncherWin::EditLauncherWinMethod() { NewLauncherWin::instance()->Show(); }

void LauncherWin::CloseMethod() { CloseLauncherAlertWin::instance()->Show(); }
