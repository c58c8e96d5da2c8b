#include "launcher/LauncherWinRow.h"

#include "launcher/LauncherWin.h"
#include "store/LauncherRows.h"

void FillFromRow(LauncherWin& win, const LauncherWinRow& row) {
    win.LauncherWinUID = row.LauncherWinUID;
    win.LauncherWinName = row.LauncherWinName;
    win.IconSize = qint32(row.IconSize);
    win.ViewName = row.ViewName;
    win.ViewTitleMenu = row.ViewTitleMenu;
    win.ViewBackPanel = row.ViewBackPanel;
    win.TitleTextSize = qint32(row.TitleTextSize);
    win.TransparentValue = qint32(row.TransparentValue.value_or(0));
    win.WinColor = row.WinColor;
}
