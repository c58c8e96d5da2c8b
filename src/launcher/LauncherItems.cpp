#include "launcher/LauncherLoad.h"
#include "launcher/LauncherWin.h"
#include "platform/Database.h"
#include "platform/Framework.h"
#include "platform/Scaling.h"
#include "platform/WindowSystem.h"
#include "shared/GlobalModule.h"
#include "store/IconHelpers.h"
#include "store/LauncherDatabase.h"
#include "store/LauncherRows.h"
#include "store/LauncherStore.h"

void LauncherWin::LoadAppListMethod(Database& db) {
    LoadAppLists({this}, db);
}

void LauncherWin::LoadAppLists(const std::vector<LauncherWin*>& windows, Database& db) {
    const bool shape = !WindowSystem::instance().compositingActive();
    std::vector<LauncherLoad::Settings> settings;
    for (LauncherWin* win : windows) {
        win->SpaceForIconSizeValueSelectMethod();
        win->TitleTextSize = 14;
        settings.push_back(
            {win->LauncherWinUID, win->CompositionSettings(win->Width(), win->devicePixelRatioF(),
                                                           shape, MainScreenWidth())});
    }
    std::vector<LauncherLoad::Result> results = LauncherLoad::Load(settings, db);
    for (size_t i = 0; i < windows.size(); ++i) {
        LauncherWin& win = *windows[i];
        LauncherLoad::Result& r = results[i];
        if (!r.ok) {
            GlobalModule::ReportUnreadableDatabase(r.error);
            continue;
        }
        if (r.items.empty()) {
            // As composed: an empty window shows its title band and panel (in memory only).
            win.ViewTitleMenu = true;
            win.ViewBackPanel = true;
        }
        // The window's model announces its new items.
        win.LauncherItemArr->setItems(std::move(r.items));
        win.m_fitted = std::move(r.fitted);
        win.TakeComposition(std::move(r.out));
    }
}

qint64 LauncherWin::GetMaxAppUIDMethod(Database& db) {
    return LauncherStore::NextItemNumber(db);
}

qint64 LauncherWin::GetMaxAppSEQMethod(Database& db) {
    return LauncherStore::NextItemSequence(db);
}
