#include "platform/RowReader.h"

#include "platform/Database.h"

#include <QFile>
#include <sqlite3.h>

RowReader::RowReader(Database& db) : m_db(db.handle()) {
    if (!m_db)
        m_error = db.ErrorMessage().isEmpty() ? QStringLiteral("no database") : db.ErrorMessage();
}

RowReader::RowReader(const QString& file) : m_owned(true) {
    const int rc = sqlite3_open_v2(QFile::encodeName(file).constData(), &m_db,
                                   SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        m_error = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
        sqlite3_close(m_db);
        m_db = nullptr;
        return;
    }
    sqlite3_busy_timeout(m_db, Database::BusyTimeoutMs);
    // Pages are read in place from a mapping of the file instead of copied into a cache of
    // this connection's own (the rows are read once, front to back). Ignored on failure:
    // the reads are only slower.
    sqlite3_exec(m_db, "PRAGMA mmap_size=1073741824", nullptr, nullptr, nullptr);
}

RowReader::~RowReader() {
    if (m_owned)
        sqlite3_close(m_db);
}

qint64 RowReader::Row::integer(int column) const {
    return sqlite3_column_int64(m_s, column);
}

QByteArrayView RowReader::Row::bytes(int column) const {
    const auto* data = static_cast<const char*>(sqlite3_column_blob(m_s, column));
    return QByteArrayView(data, data ? sqlite3_column_bytes(m_s, column) : 0);
}

QString RowReader::Row::text(int column) const {
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_s, column));
    return data ? QString::fromUtf8(data, sqlite3_column_bytes(m_s, column)) : QString();
}

bool RowReader::Select(const char* query, std::initializer_list<qint64> values,
                       const std::function<void(const Row&)>& each) {
    if (!m_db)
        return false;
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(m_db, query, -1, &s, nullptr) != SQLITE_OK) {
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
        return false;
    }
    int i = 0;
    for (qint64 v : values)
        sqlite3_bind_int64(s, ++i, v);
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW)
        each(Row(s));
    if (rc != SQLITE_DONE)
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
    sqlite3_finalize(s);
    return rc == SQLITE_DONE;
}
