#include "launcher/LauncherWin.h"
#include "platform/Database.h"
#include "shared/GlobalModule.h"
#include "store/IconHelpers.h"
#include "store/LauncherDatabase.h"
#include "store/LauncherRows.h"

void LauncherWin::LoadAppListMethod(Database& db) {
    auto rs = db.SQLSelect(QStringLiteral("Select * from ") + LauncherListColumn::Table +
                           QStringLiteral(" where LauncherWinUID=") +
                           QString::number(LauncherWinUID) + QStringLiteral(" order by AppSEQ"));
    if (!rs) {
        GlobalModule::ReportUnreadableDatabase(db.ErrorMessage());
        return;
    }
    LauncherItemArr->clear();
    // The stored texts are decoded below, with the icons, on all cores.
    std::vector<std::pair<QString, QString>> texts;
    while (!rs->Eof()) {
        const LauncherListRow row = LauncherListRow::Read(*rs);
        auto item = std::make_shared<AppListClass>();
        item->AppUID = row.AppUID;
        item->AppSEQ = row.AppSEQ;
        item->AppName = row.AppName;
        item->AppPath = row.AppPath;
        texts.emplace_back(row.Icon, row.IconMask);
        item->f = FolderItem(item->AppPath);
        LauncherItemArr->push_back(std::move(item));
        rs->MoveNext();
    }
    rs.reset();
    if (LauncherItemArr->empty()) {
        // An empty window still shows its title band and panel (in memory only).
        ViewTitleMenu = true;
        ViewBackPanel = true;
    }
    SpaceForIconSizeValueSelectMethod();
    // Kept compressed; decoded only at the size the window draws them.
    LauncherComposition::FitIcons(*LauncherItemArr, IconSize, devicePixelRatioF(), m_fitted,
                                  [&](size_t i) {
                                      AppListClass& item = *(*LauncherItemArr)[i];
                                      item.Icon = StoredPicture::fromText(texts[i].first);
                                      item.IconMask = StoredPicture::fromText(texts[i].second);
                                      texts[i] = {};
                                  });
    Q_EMIT ItemsChanged();
    MakeAppImageMethod();
}

qint64 LauncherWin::GetMaxAppUIDMethod(Database& db) {
    return GlobalModule::NextFreeNumber(db, QStringLiteral("Select MAX(AppUID) from LauncherList"));
}

qint64 LauncherWin::GetMaxAppSEQMethod(Database& db) {
    return GlobalModule::NextFreeNumber(db, QStringLiteral("Select MAX(AppSEQ) from LauncherList"));
}

void LauncherWin::DropAppMethod(const FolderItem& f) {
    Database* db = GlobalModule::DBConnectMethod();
    if (!db)
        return;
    if (!f.Exists())
        return;
    const qint64 uid = GetMaxAppUIDMethod(*db);
    if (uid == -1)
        return;
    const qint64 seq = GetMaxAppSEQMethod(*db);
    if (seq == -1)
        return;
    const QString name = f.DisplayName();
    const QString path = f.AbsolutePath();
    const QImage icon = GlobalModule::GetIconImageMethod(f, 128, IconKind::Icon);
    const QImage mask = GlobalModule::GetIconImageMethod(f, 128, IconKind::Mask);

    auto item = std::make_shared<AppListClass>();
    item->AppUID = uid;
    item->AppSEQ = seq;
    item->AppName = name;
    item->AppPath = path;
    item->Icon = icon;
    item->IconMask = mask;
    item->NewOldValue = QStringLiteral("old");
    item->Broken = false;
    item->f = f;

    const LauncherListRow row{LauncherWinUID,
                              uid,
                              seq,
                              name,
                              path,
                              GlobalModule::StoredIconText(item->Icon),
                              GlobalModule::StoredIconText(item->IconMask)};
    db->InsertRecord(LauncherListColumn::Table, row.Record());
    if (db->Error())
        GlobalModule::MsgBox(f.DisplayName() + QStringLiteral(" add error~!"));
    // Outside a transaction the change is already stored and Commit has nothing to report.
    db->Commit();
    LauncherItemArr->push_back(std::move(item));
    Q_EMIT ItemsChanged();
    MakeAppImageMethod();
}
