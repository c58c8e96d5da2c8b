#include "store/LauncherStore.h"

#include "platform/Database.h"
#include "platform/FolderItem.h"
#include "platform/Framework.h"
#include "platform/RowReader.h"
#include "store/LauncherDatabase.h"
#include "store/LauncherRows.h"

namespace {
const QString kWindowRow = QStringLiteral("Select * from ") + LauncherWinColumn::Table +
                           QStringLiteral(" where LauncherWinUID=?");
} // namespace

void LauncherStore::WritePlace(int left, int top, int width) {
    auto rs = m_db.SQLSelect(kWindowRow, {m_uid});
    if (!rs)
        return;
    rs->Edit();
    rs->Field(LauncherWinColumn::Width).setStringValue(QString::number(width));
    rs->Field(LauncherWinColumn::Left).setStringValue(QString::number(left));
    rs->Field(LauncherWinColumn::Top).setStringValue(QString::number(top));
    rs->Update();
    if (!m_db.Error())
        m_db.Commit();
}

bool LauncherStore::WriteView(const QString& column, bool value) {
    auto rs = m_db.SQLSelect(kWindowRow, {m_uid});
    if (!rs)
        return false;
    rs->Edit();
    for (const QString& view : {LauncherWinColumn::ViewTitleMenu, LauncherWinColumn::ViewName,
                                LauncherWinColumn::ViewBackPanel})
        if (TextEquals(column, view))
            rs->Field(view).setBooleanValue(value);
    rs->Update();
    if (!m_db.Error())
        m_db.Commit();
    return true;
}

void LauncherStore::DeleteItem(qint64 appUid) {
    m_db.SQLExecute(QStringLiteral("Delete From ") + LauncherListColumn::Table +
                        QStringLiteral(" where LauncherWinUID=? and AppUID=?"),
                    {m_uid, appUid});
    // Outside a transaction the change is already stored and Commit has nothing to report.
    if (!m_db.Error())
        m_db.Commit();
}

qint64 LauncherStore::NextItemNumber(Database& db) {
    return GlobalModule::NextFreeNumber(db, QStringLiteral("Select MAX(AppUID) from LauncherList"));
}

qint64 LauncherStore::NextItemSequence(Database& db) {
    return GlobalModule::NextFreeNumber(db, QStringLiteral("Select MAX(AppSEQ) from LauncherList"));
}

bool LauncherStore::ReadItemOrder(RowReader& reader, qint64 windowUid,
                                  std::vector<qint64>& rowids) {
    return reader.Select("Select rowid from LauncherList where LauncherWinUID=? order by AppSEQ",
                         {windowUid},
                         [&](const RowReader::Row& r) { rowids.push_back(r.integer(0)); });
}

bool LauncherStore::ReadItems(RowReader& reader, qint64 windowUid, qint64 from, qint64 to,
                              const std::function<void(qint64, ItemRow&&)>& each) {
    return reader.Select(
        "Select rowid, AppUID, AppSEQ, AppName, AppPath, Icon, IconMask from LauncherList "
        "where LauncherWinUID=? and rowid>=? and rowid<?",
        {windowUid, from, to}, [&](const RowReader::Row& row) {
            auto item = std::make_shared<AppListClass>();
            item->AppUID = row.integer(1);
            item->AppSEQ = row.integer(2);
            item->AppName = BoundedName(row.text(3));
            item->AppPath = row.text(4);
            item->f = FolderItem(item->AppPath);
            // Decoded straight from the engine's pages: the long texts are never copied.
            each(row.integer(0),
                 {std::move(item), DecodeBase64(row.bytes(5)), DecodeBase64(row.bytes(6))});
        });
}
