#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <future>
#include <memory>
#include <utility>
#include <vector>

class Database;
class RecordSet;
struct sqlite3;

// A row to insert: exactly the columns set are written, the others stay NULL.
class DatabaseRecord {
public:
    void Column(const QString& name, const QString& value);
    void IntegerColumn(const QString& name, qint64 value);
    void BooleanColumn(const QString& name, bool value);

    const std::vector<std::pair<QString, QVariant>>& columns() const { return m_columns; }

private:
    std::vector<std::pair<QString, QVariant>> m_columns;
};

// One field of a cursor's current row. Reads convert loosely
// (NULL reads as 0, "" or false); writes are kept until the cursor's Update.
class DatabaseCursorField {
public:
    qint64 IntegerValue() const;
    QString StringValue() const;
    bool BooleanValue() const;
    bool IsNull() const { return value().isNull(); }
    void setIntegerValue(qint64 value);
    void setStringValue(const QString& value);
    void setBooleanValue(bool value);
    bool isValid() const { return m_rs != nullptr; }

private:
    friend class RecordSet;
    DatabaseCursorField(RecordSet* rs, int column) : m_rs(rs), m_column(column) {}
    QVariant value() const;
    void set(const QVariant& value);
    RecordSet* m_rs = nullptr;
    int m_column = -1;
};

// The rows of a query, read as the cursor moves (one row ahead, so a query of one row is
// finished once it is read). A cursor over "Select * from <table> ..." can write its current
// row back between Edit and Update. Closing the cursor or its database ends the query.
class RecordSet {
public:
    ~RecordSet();
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;
    // "EOF" is a macro of the C library, hence the spelling.
    bool Eof() const { return !m_hasRow; }
    void MoveNext();
    DatabaseCursorField Field(const QString& name);
    DatabaseCursorField IdxField(int index); // counted from 1
    int FieldCount() const { return int(m_names.size()); }
    void Edit();
    void Update();
    void Close();

private:
    friend class Database;
    friend class DatabaseCursorField;
    RecordSet(Database* db, QString table) : m_db(db), m_table(std::move(table)) {}
    bool fetch(std::vector<QVariant>& row);
    void endQuery();

    Database* m_db;
    QString m_table;                    // empty when the rows cannot be written back
    int m_rowidColumn = -1;             // hidden column carrying SQLite's rowid
    int m_width = 0;                    // columns of the stored row
    QStringList m_names;                // visible columns
    std::vector<int> m_visible;         // visible column -> column of the stored row
    std::unique_ptr<QSqlQuery> m_query; // null once every row is read
    std::vector<QVariant> m_row;        // the current row
    std::vector<QVariant> m_next;       // the row after it
    bool m_hasRow = false;
    bool m_hasNext = false;
    bool m_editing = false;
    std::vector<std::pair<int, QVariant>> m_edits;
};

// What a connection tells on its own thread, through its event loop.
class DatabaseNotices : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

Q_SIGNALS:
    // The verdict of the reading of every page started at Connect has arrived.
    void DamageCheckDone();
};

// A connection to an SQLite database file (the launcher's ".rdb" file).
class Database {
public:
    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    QString DatabaseFile;
    bool AutoCommit = false;

    bool CreateDatabaseFile();
    // Opens an existing file after checking that it reads as a database; read-only when
    // its folder or the file cannot be written.
    bool Connect();
    void Decrypt() {} // the file is never enciphered
    // The values are bound to the statement's "?" in order.
    void SQLExecute(const QString& statement, const std::vector<QVariant>& values = {});
    std::unique_ptr<RecordSet> SQLSelect(const QString& query,
                                         const std::vector<QVariant>& values = {});
    void InsertRecord(const QString& table, const DatabaseRecord& record);
    void Commit();
    // Several statements as one change: with AutoCommit on, nothing of them is kept until
    // Commit, and Rollback drops them all. Takes the write lock at once.
    bool BeginTransaction();
    void Rollback();
    // Puts a write-ahead-logged file back into rollback-journal mode and closes it.
    void Close();

    bool Error() const { return m_errorCode != 0; }
    int ErrorCode() const { return m_errorCode; }
    QString ErrorMessage() const { return m_errorMessage; }
    // The last error was another connection holding the file: the same change may succeed
    // later.
    bool Busy() const;
    // The last error concerns the file as a whole (full disk, I/O, read-only, not a
    // database), not the one statement.
    bool FileFailed() const;
    bool ReadOnly() const { return m_readOnly; }
    // The file at DatabaseFile is no longer the one this connection opened (removed, or
    // another file put in its place): nothing may be written, since it would go nowhere.
    bool FileReplaced() const;
    // The reading of every page started at Connect runs on a thread of its own; its verdict
    // comes to this connection's thread as a queued call, whose arrival Notices() tells.
    // DamageCheckDone() is false until then, unless a write asked for before took the verdict
    // itself, waiting for the reading if it still ran: a caller that can wait (a window's
    // place) waits for the arrival instead.
    bool DamageCheckDone() const { return !m_verdictPending; }
    // What the verdict found: empty for a sound file, and while it is still to come.
    QString Damage() const { return m_damaged ? m_damage : QString(); }
    DatabaseNotices& Notices() { return *m_notices; }
    // Changes made on this connection are not yet committed: other connections don't see them.
    bool InTransaction() const { return m_inTransaction; }
    // How long a statement waits for another program's lock.
    void SetBusyTimeout(int ms);
    // The engine's own connection while open (for RowReader, on this connection's thread).
    sqlite3* handle() const;

    // The longest the interface may wait for another program's lock.
    static constexpr int BusyTimeoutMs = 100;

    // Tests make an operation of this connection fail by its statement text ("CONNECT",
    // "CREATE DATABASE FILE", "OPEN READ-WRITE", or the SQL about to run). The hook returns
    // the engine's error code to fail it with (true: 1), or 0.
    using FailureHook = std::function<int(const QString& statement)>;
    void SetFailureHook(FailureHook hook);

private:
    friend class RecordSet;
    bool open(bool create);
    bool injectedFailure(const QString& statement);
    std::unique_ptr<QSqlQuery> exec(const QString& statement, const std::vector<QVariant>& values);
    bool run(const QString& statement, const std::vector<QVariant>& values);
    void beginIfNeeded();
    // False, with the error set, when the file must not be written.
    bool prepareToWrite();
    // Takes the verdict of the reading of every page started at Connect, waiting for the
    // reading when it has not arrived; false when it found damage.
    bool verdictAllowsWriting();
    void takeVerdict(const QString& verdict);
    // Whether the header promises more pages than the file holds (a truncated copy).
    bool truncated() const;
    void setError(int code, const QString& message);
    void setError(const QSqlError& e);
    void clearError() { setError(0, QString()); }

    QString m_connectionName;
    FailureHook m_failures;
    QSqlDatabase m_db;
    bool m_inTransaction = false;
    bool m_readOnly = false;
    bool m_wal = false;        // switched to a write-ahead log by this connection
    bool m_walChecked = false; // the switch was made (or found done) at the first change
    bool m_created = false;    // a new file, being built
    int m_errorCode = 0;
    QString m_errorMessage;
    std::vector<RecordSet*> m_cursors; // open cursors, ended when the connection closes
    std::future<QString> m_verdict;    // "ok", or what the reading of every page found
    bool m_verdictPending = false;     // the reading runs, or its verdict is still to be taken
    quint64 m_check = 0;               // which reading a queued verdict comes from
    std::unique_ptr<DatabaseNotices> m_notices = std::make_unique<DatabaseNotices>();
    bool m_damaged = false;
    QString m_damage;
    // The opened file's device and inode.
    bool m_identityKnown = false;
    quint64 m_device = 0;
    quint64 m_inode = 0;
};
