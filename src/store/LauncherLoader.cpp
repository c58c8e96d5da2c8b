#include "store/LauncherLoader.h"

#include "app/GlobalModule.h"
#include "launcher/LauncherGeometry.h"
#include "launcher/LauncherWin.h"
#include "platform/Database.h"
#include "platform/Framework.h"
#include "platform/Plugin.h"
#include "store/LauncherDatabase.h"

namespace GlobalModule {

void LoadLauncherWinMethod() {
    Database* db = DBConnectMethod();
    if (!db)
        return;
    auto rs = db->SQLSelect(QStringLiteral("Select * from LauncherWinList"));
    if (!rs)
        return;
    LauncherWinArr.clear();
    while (!rs->Eof()) {
        const auto integer = [&](const char* name) {
            return qint32(rs->Field(QLatin1String(name)).IntegerValue());
        };
        const auto boolean = [&](const char* name) {
            return rs->Field(QLatin1String(name)).BooleanValue();
        };
        auto win = std::make_unique<LauncherWin>();
        win->LauncherWinUID = integer("LauncherWinUID");
        win->LauncherWinName = rs->Field(QStringLiteral("LauncherWinName")).StringValue();
        win->move(integer("Left"), integer("Top"));
        win->IconSize = integer("IconSize");
        win->ViewName = boolean("ViewName");
        win->ViewTitleMenu = boolean("ViewTitleMenu");
        win->ViewBackPanel = boolean("ViewBackPanel");
        win->TitleTextSize = integer("TitleTextSize");
        win->WinColor = rs->Field(QStringLiteral("WinColor")).IntegerValue();
        // A NULL transparency (the default window) reads as 0.
        win->TransparentValue = integer("TransparentValue");
        win->SpaceForIconSizeValueSelectMethod();
        win->setWidth(LauncherGeometry::LoadedWidth(integer("Width"), win->SpaceForIconSizeValue,
                                                    MainScreenWidth()));
        SetTransparencyMBS(win.get(), win->TransparentValue);
        win->LoadAppListMethod(*db);
        LauncherWinArr.push_back(std::move(win));
        rs->MoveNext();
    }
}

} // namespace GlobalModule
