#include "app/LauncherLoader.h"

#include "launcher/CheckVisibleTimerWin.h"
#include "launcher/LauncherGeometry.h"
#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"
#include "launcher/LauncherWinRow.h"
#include "platform/Database.h"
#include "platform/FolderItem.h"
#include "platform/Framework.h"
#include "platform/Transparency.h"
#include "shared/GlobalModule.h"
#include "store/LauncherDatabase.h"
#include "store/LauncherRows.h"

#include <algorithm>
#include <limits>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace GlobalModule {

void LoadLauncherWinMethod() {
    Database* db = DBConnectMethod();
    if (!db) {
        // A file that is there but cannot be opened is told, never replaced; a missing one
        // was reported by its creation.
        if (FolderItem(DatabaseFilePath()).Exists())
            ReportUnreadableDatabase(DBConnectError());
        return;
    }
    auto rs = db->SQLSelect(QStringLiteral("Select * from ") + LauncherWinColumn::Table);
    if (!rs) {
        ReportUnreadableDatabase(db->ErrorMessage());
        return;
    }
    LauncherWinArr.clear();
    // Rows may come from another tool: numbers beyond 32 bits saturate instead of wrapping
    // round to a small, sensible-looking value.
    const auto saturated = [](qint64 v) {
        return qint32(std::clamp<qint64>(v, std::numeric_limits<qint32>::min(),
                                         std::numeric_limits<qint32>::max()));
    };
    std::vector<LauncherWin*> windows;
    std::vector<std::pair<QPoint, int>> storedPlaces;
    while (!rs->Eof()) {
        LauncherWinRow row = LauncherWinRow::Read(*rs);
        row.IconSize = LauncherGeometry::LaidOutIconSize(row.IconSize);
        row.TitleTextSize = saturated(row.TitleTextSize);
        // A NULL transparency (the default window) reads as 0; above 80 reads as 80, as the
        // preferences do, so no window turns invisible.
        row.TransparentValue = qMin(saturated(row.TransparentValue.value_or(0)), 80);
        auto win = std::make_unique<LauncherWin>();
        win->move(saturated(row.Left), saturated(row.Top));
        FillFromRow(*win, row);
        win->SpaceForIconSizeValueSelectMethod();
        win->setWidth(LauncherGeometry::LoadedWidth(saturated(row.Width),
                                                    win->SpaceForIconSizeValue, MainScreenWidth()));
        SetTransparencyMBS(win.get(), win->TransparentValue);
        windows.push_back(win.get());
        storedPlaces.emplace_back(QPoint(saturated(row.Left), saturated(row.Top)),
                                  saturated(row.Width));
        AddLauncherWin(std::move(win));
        rs->MoveNext();
    }
    rs.reset();
    // All windows at once: their rows are read and their pictures made side by side.
    LauncherWin::LoadAppLists(windows, *db);
    // A place far off every screen (another tool, a screen unplugged) would leave the window
    // where no one can reach it: it is shown on a screen, and the row keeps its place.
    for (size_t i = 0; i < windows.size(); ++i)
        windows[i]->KeepStoredPlace(storedPlaces[i].first, storedPlaces[i].second);
#ifdef __GLIBC__
    // The rows' stored texts, read and decoded, are gone: their heap goes back to the system.
    malloc_trim(0);
#endif
    // The watcher decides now, not at its next tick: with the key held the windows show at
    // once.
    CheckVisibleTimerWin::instance()->EventCheckTimer_Action();
    WatchDatabaseDamage();
}

} // namespace GlobalModule
