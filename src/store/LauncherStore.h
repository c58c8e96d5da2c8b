#pragma once

#include "store/AppListClass.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class Database;
class RowReader;

// The rows a launcher window reads and writes: its own row of LauncherWinList and its items'
// rows of LauncherList. Each change is committed at once; what went wrong stays on the
// connection (Error, Busy, ErrorMessage) for the window to tell.
class LauncherStore {
public:
    LauncherStore(Database& db, qint64 windowUid) : m_db(db), m_uid(windowUid) {}

    // Width, Left and Top of the window's row.
    void WritePlace(int left, int top, int width);
    // One of the window's view columns (LauncherWinColumn::ViewTitleMenu, ViewName,
    // ViewBackPanel; any other name changes nothing). False when the row could not be read,
    // and nothing was written.
    bool WriteView(const QString& column, bool value);
    // Deletes the row of the window's item of that number.
    void DeleteItem(qint64 appUid);

    // The next free item number and sort key, each one more than the maximum over the whole
    // item table, or -1 when the table cannot be read.
    static qint64 NextItemNumber(Database& db);
    static qint64 NextItemSequence(Database& db);

    // An item read from its row, and its stored pictures' bytes, decoded from their text.
    struct ItemRow {
        std::shared_ptr<AppListClass> item;
        QByteArray icon, mask;
    };
    // The window's items' row numbers in display order. Any thread, on the reader's.
    static bool ReadItemOrder(RowReader& reader, qint64 windowUid, std::vector<qint64>& rowids);
    // The window's items whose row numbers lie in [from, to), each with its row number.
    static bool ReadItems(RowReader& reader, qint64 windowUid, qint64 from, qint64 to,
                          const std::function<void(qint64 rowid, ItemRow&&)>& each);

private:
    Database& m_db;
    qint64 m_uid;
};
