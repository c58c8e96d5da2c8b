#include "launcher/LauncherWin.h"
#include "platform/Database.h"
#include "platform/Framework.h"
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
    // Each row's stored texts become their bytes as it is read, so the long texts never pile
    // up; the bytes are read as pictures below, with the icons, on all cores.
    std::vector<std::pair<QByteArray, QByteArray>> stored;
    while (!rs->Eof()) {
        const LauncherListRow row = LauncherListRow::Read(*rs);
        auto item = std::make_shared<AppListClass>();
        item->AppUID = row.AppUID;
        item->AppSEQ = row.AppSEQ;
        item->AppName = row.AppName;
        item->AppPath = row.AppPath;
        stored.emplace_back(DecodeBase64(row.Icon), DecodeBase64(row.IconMask));
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
                                      item.Icon = StoredPicture::fromData(stored[i].first);
                                      item.IconMask = StoredPicture::fromData(stored[i].second);
                                      stored[i] = {};
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
