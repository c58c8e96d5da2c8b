#pragma once

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <initializer_list>

class Database;
struct sqlite3;
struct sqlite3_stmt;

// Reads many rows fast: the engine's own API, the texts handed over as stored (UTF-8,
// never converted) and valid only while the row is. Either borrows an open connection, on
// its thread, or opens a read-only connection of its own, so that other threads can read
// the file at the same time.
class RowReader {
public:
    explicit RowReader(Database& db);
    explicit RowReader(const QString& file);
    ~RowReader();
    RowReader(const RowReader&) = delete;
    RowReader& operator=(const RowReader&) = delete;

    class Row {
    public:
        qint64 integer(int column) const;
        QByteArrayView bytes(int column) const;
        QString text(int column) const;

    private:
        friend class RowReader;
        explicit Row(sqlite3_stmt* s) : m_s(s) {}
        sqlite3_stmt* m_s;
    };

    // Runs a query with integer values bound to its parameters in order; `each` sees every
    // row. False (and ErrorMessage) when the query could not run to its end.
    bool Select(const char* query, std::initializer_list<qint64> values,
                const std::function<void(const Row&)>& each);
    QString ErrorMessage() const { return m_error; }

private:
    sqlite3* m_db = nullptr;
    bool m_owned = false;
    QString m_error;
};
