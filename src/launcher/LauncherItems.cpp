#include "launcher/LauncherWin.h"
#include "platform/Database.h"
#include "platform/Framework.h"
#include "shared/GlobalModule.h"
#include "store/IconHelpers.h"
#include "store/LauncherDatabase.h"
#include "store/LauncherRows.h"

#include <iterator>
#include <unordered_map>

void LauncherWin::LoadAppListMethod(Database& db) {
    const QString rows = QStringLiteral(" from ") + LauncherListColumn::Table +
                         QStringLiteral(" where LauncherWinUID=") + QString::number(LauncherWinUID);
    // The order is sorted on the row numbers alone: sorting the rows themselves would pass
    // every stored icon text through the database's sorter.
    auto order =
        db.SQLSelect(QStringLiteral("Select rowid") + rows + QStringLiteral(" order by AppSEQ"));
    if (!order) {
        GlobalModule::ReportUnreadableDatabase(db.ErrorMessage());
        return;
    }
    std::unordered_map<qint64, size_t> place;
    for (; !order->Eof(); order->MoveNext())
        place.emplace(order->IdxField(1).IntegerValue(), place.size());
    order.reset();
    auto rs = db.SQLSelect(QStringLiteral("Select rowid, *") + rows);
    if (!rs) {
        GlobalModule::ReportUnreadableDatabase(db.ErrorMessage());
        return;
    }
    LauncherItemArr->clear();
    // Each row's stored texts become their bytes as it is read, so the long texts never pile
    // up; the bytes are read as pictures below, with the icons, on all cores.
    struct Read {
        std::shared_ptr<AppListClass> item;
        QByteArray icon, mask;
    };
    std::vector<Read> read(place.size());
    std::vector<Read> later; // rows another program added between the two reads
    for (; !rs->Eof(); rs->MoveNext()) {
        const auto at = place.find(rs->IdxField(1).IntegerValue());
        Read& r = at != place.end() ? read[at->second] : later.emplace_back();
        const LauncherListRow row = LauncherListRow::Read(*rs);
        r.item = std::make_shared<AppListClass>();
        AppListClass& item = *r.item;
        item.AppUID = row.AppUID;
        item.AppSEQ = row.AppSEQ;
        item.AppName = row.AppName;
        item.AppPath = row.AppPath;
        r.icon = DecodeBase64(row.Icon);
        r.mask = DecodeBase64(row.IconMask);
        item.f = FolderItem(item.AppPath);
    }
    std::move(later.begin(), later.end(), std::back_inserter(read));
    // Rows another program removed between the two reads are left out.
    std::erase_if(read, [](const Read& r) { return !r.item; });
    rs.reset();
    LauncherItemArr->reserve(read.size());
    for (const Read& r : read)
        LauncherItemArr->push_back(r.item);
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
                                      item.Icon = StoredPicture::fromData(read[i].icon);
                                      item.IconMask = StoredPicture::fromData(read[i].mask);
                                      read[i] = {};
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
