#include "platform/Database.h"

#include "platform/RowReader.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <atomic>
#include <cerrno>
#include <future>
#include <optional>
#include <pthread.h>
#include <sched.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString quoted(const QString& identifier) {
    QString s = identifier;
    s.replace('"', "\"\"");
    return '"' + s + '"';
}

// "Select * from <table> ..." is the form whose rows may be written back.
const QRegularExpression& selectAllPattern() {
    static const QRegularExpression re(
        QStringLiteral("^\\s*select\\s+\\*\\s+from\\s+(\\w+)\\b(.*)$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    return re;
}
} // namespace

void DatabaseRecord::Column(const QString& name, const QString& value) {
    m_columns.emplace_back(name, QVariant(value));
}

void DatabaseRecord::IntegerColumn(const QString& name, qint64 value) {
    m_columns.emplace_back(name, QVariant(value));
}

void DatabaseRecord::BooleanColumn(const QString& name, bool value) {
    m_columns.emplace_back(name, QVariant(qint64(value ? 1 : 0)));
}

QVariant DatabaseCursorField::value() const {
    if (!m_rs || m_rs->Eof() || m_column < 0)
        return {};
    return m_rs->m_row[size_t(m_column)];
}

qint64 DatabaseCursorField::IntegerValue() const {
    const QVariant v = value();
    if (v.isNull())
        return 0;
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    if (ok)
        return n;
    return qint64(v.toString().trimmed().toDouble());
}

QString DatabaseCursorField::StringValue() const {
    const QVariant v = value();
    return v.isNull() ? QString() : v.toString();
}

bool DatabaseCursorField::BooleanValue() const {
    const QVariant v = value();
    if (v.isNull())
        return false;
    const QString s = v.toString().trimmed();
    if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    return s.toDouble() != 0.0;
}

void DatabaseCursorField::set(const QVariant& v) {
    if (!m_rs || m_rs->Eof() || m_column < 0 || !m_rs->m_editing)
        return;
    m_rs->m_row[size_t(m_column)] = v;
    m_rs->m_edits.emplace_back(m_column, v);
}

void DatabaseCursorField::setIntegerValue(qint64 v) {
    set(QVariant(v));
}
void DatabaseCursorField::setStringValue(const QString& v) {
    set(QVariant(v));
}
void DatabaseCursorField::setBooleanValue(bool v) {
    set(QVariant(qint64(v ? 1 : 0)));
}

RecordSet::~RecordSet() {
    Close();
}

bool RecordSet::fetch(std::vector<QVariant>& row) {
    if (!m_query)
        return false;
    if (!m_query->next()) {
        endQuery();
        return false;
    }
    row.resize(size_t(m_width));
    for (int i = 0; i < m_width; ++i)
        row[size_t(i)] = m_query->value(i);
    return true;
}

void RecordSet::endQuery() {
    if (m_query) {
        m_query->finish();
        m_query.reset();
    }
}

void RecordSet::MoveNext() {
    if (m_hasNext) {
        m_row.swap(m_next);
        m_hasNext = fetch(m_next);
    } else {
        m_hasRow = false;
        m_row.clear();
    }
    m_editing = false;
    m_edits.clear();
}

DatabaseCursorField RecordSet::Field(const QString& name) {
    for (int i = 0; i < m_names.size(); ++i)
        if (m_names[i].compare(name, Qt::CaseInsensitive) == 0)
            return DatabaseCursorField(this, m_visible[size_t(i)]);
    return DatabaseCursorField(nullptr, -1);
}

DatabaseCursorField RecordSet::IdxField(int index) {
    if (index < 1 || index > m_names.size())
        return DatabaseCursorField(nullptr, -1);
    return DatabaseCursorField(this, m_visible[size_t(index - 1)]);
}

void RecordSet::Edit() {
    m_editing = !Eof();
    m_edits.clear();
}

void RecordSet::Update() {
    if (!m_db || !m_editing)
        return;
    m_editing = false;
    if (m_edits.empty())
        return;
    if (m_table.isEmpty() || m_rowidColumn < 0) {
        m_db->setError(1, QStringLiteral("cursor is not updatable"));
        return;
    }
    // The stored row's column names are those of the query, rowid first.
    QStringList sets;
    std::vector<QVariant> values;
    for (const auto& [column, v] : m_edits) {
        int visible = -1;
        for (size_t i = 0; i < m_visible.size(); ++i)
            if (m_visible[i] == column)
                visible = int(i);
        sets << quoted(m_names[visible]) + QStringLiteral("=?");
        values.push_back(v);
    }
    values.push_back(m_row[size_t(m_rowidColumn)]);
    m_edits.clear();
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?")
                            .arg(quoted(m_table), sets.join(QLatin1Char(',')));
    if (m_db->injectedFailure(sql) || !m_db->prepareToWrite())
        return;
    m_db->beginIfNeeded();
    m_db->run(sql, values);
}

void RecordSet::Close() {
    endQuery();
    m_row.clear();
    m_next.clear();
    m_hasRow = m_hasNext = false;
    if (m_db)
        std::erase(m_db->m_cursors, this);
    m_db = nullptr;
}

Database::Database() {
    // The engine's count of its own memory takes one lock for the whole process at every
    // allocation, which the loading's readers would queue on. It can only be switched off
    // before the engine's first use; afterwards the call is refused, harmlessly.
    static const bool configured = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK;
    Q_UNUSED(configured);
    static std::atomic<int> counter{0};
    m_connectionName = QStringLiteral("vondrelaskit-%1").arg(++counter);
}

Database::~Database() {
    Close();
}

void Database::Close() {
    // A cursor still held ends here: no query is left on a closed connection.
    while (!m_cursors.empty())
        m_cursors.back()->Close();
    const bool replaced = m_db.isValid() && m_db.isOpen() && FileReplaced();
    if (m_db.isValid() && m_db.isOpen()) {
        if (m_inTransaction && !replaced)
            m_db.commit();
        else if (m_inTransaction)
            m_db.rollback();
        m_inTransaction = false;
        // The log is for while we run: a file left in WAL mode cannot be read where its
        // "-shm" file cannot be made (a read-only folder, a copy on read-only media).
        if (m_wal || !m_walChecked) {
            // Also a file left in WAL mode by a run that did not end cleanly.
            QSqlQuery q(m_db);
            if (!m_readOnly && !m_created && !FileReplaced() && verdictAllowsWriting() &&
                q.exec(QStringLiteral("PRAGMA journal_mode")) && q.next() &&
                q.value(0).toString() == QLatin1String("wal")) {
                q.finish();
                // Best effort: a file that stays in WAL mode is still read by the next run.
                q.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
            }
        }
        m_db.close();
        // Our log and shared memory outlive a file removed or replaced under us; left at the
        // path, the log would be played into whatever database is put there next.
        if (replaced)
            for (const char* suffix : {"-wal", "-shm"})
                QFile::remove(DatabaseFile + QLatin1String(suffix));
    }
    if (m_verdict.valid())
        m_verdict.wait();
    m_verdict = {};
    m_verdictPending = false;
    ++m_check; // a verdict still queued is of this file, not of the next one opened
    m_damaged = false;
    m_identityKnown = false;
    m_wal = false;
    m_walChecked = false;
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

void Database::SetFailureHook(FailureHook hook) {
    m_failures = std::move(hook);
}

bool Database::injectedFailure(const QString& statement) {
    const int code = m_failures ? m_failures(statement) : 0;
    if (code != 0) {
        setError(code, QStringLiteral("injected failure"));
        return true;
    }
    return false;
}

bool Database::Busy() const {
    const int primary = m_errorCode & 0xff;
    return primary == 5 || primary == 6; // SQLITE_BUSY, SQLITE_LOCKED
}

bool Database::FileFailed() const {
    switch (m_errorCode & 0xff) {
    case 7:  // SQLITE_NOMEM
    case 8:  // SQLITE_READONLY
    case 10: // SQLITE_IOERR
    case 11: // SQLITE_CORRUPT
    case 13: // SQLITE_FULL
    case 14: // SQLITE_CANTOPEN
    case 26: // SQLITE_NOTADB
        return true;
    default:
        return false;
    }
}

void Database::setError(int code, const QString& message) {
    m_errorCode = code;
    m_errorMessage = message;
}

void Database::setError(const QSqlError& e) {
    // The engine's own code and text; a failure the driver tells without a code counts as 1
    // (SQLITE_ERROR), since 0 would read as success.
    const int code = e.nativeErrorCode().toInt();
    setError(code ? code : 1, e.databaseText().isEmpty() ? e.text() : e.databaseText());
}

bool Database::open(bool create) {
    clearError();
    if (injectedFailure(create ? QStringLiteral("CREATE DATABASE FILE")
                               : QStringLiteral("CONNECT")))
        return false;
    if (m_db.isValid() && m_db.isOpen())
        return true;
    if (DatabaseFile.isEmpty()) {
        setError(1, QStringLiteral("no database file"));
        return false;
    }
    // Where the file or its folder cannot be written, the file is only read: the windows
    // still show, and a change that cannot be stored is reported by whoever makes it.
    m_readOnly = false;
    if (!create) {
        const QByteArray file = QFile::encodeName(DatabaseFile);
        const QByteArray folder = QFile::encodeName(QFileInfo(DatabaseFile).absolutePath());
        m_readOnly = (m_failures && m_failures(QStringLiteral("OPEN READ-WRITE"))) ||
                     ::access(folder.constData(), W_OK | X_OK) != 0 ||
                     ::access(file.constData(), W_OK) != 0;
    }
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    // A URI lets "mode=rw" refuse a missing file instead of creating an empty one. Another
    // program's lock is waited for briefly, never long enough to freeze the interface.
    m_db.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
    const QString mode = create       ? QStringLiteral("?mode=rwc")
                         : m_readOnly ? QStringLiteral("?mode=ro")
                                      : QStringLiteral("?mode=rw");
    m_db.setDatabaseName(QUrl::fromLocalFile(DatabaseFile).toString(QUrl::FullyEncoded) + mode);
    const auto fail = [this](const QSqlError& e) {
        setError(e);
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
        return false;
    };
    if (!m_db.open())
        return fail(m_db.lastError());
    m_created = create;
    struct stat st {};
    m_identityKnown = ::stat(QFile::encodeName(DatabaseFile).constData(), &st) == 0;
    m_device = quint64(st.st_dev);
    m_inode = quint64(st.st_ino);
    // A new file stays in rollback-journal mode with full syncs: it is built beside its
    // final name and must be whole on disk before it is renamed into place. An existing
    // file that does not read as a database (garbage, a truncated copy) is refused before
    // anything is written to it, so it stays exactly as it was.
    std::optional<QSqlError> refused;
    {
        QSqlQuery q(m_db);
        // A file that is not a database fails its first read.
        if (!q.exec(create ? QStringLiteral("PRAGMA user_version=0")
                           : QStringLiteral("PRAGMA schema_version")))
            refused = q.lastError();
    }
    if (!refused && !create && truncated())
        refused = QSqlError(QString(), QString::fromUtf8(sqlite3_errstr(SQLITE_CORRUPT)),
                            QSqlError::ConnectionError, QString::number(SQLITE_CORRUPT));
    if (!refused && !create) {
        // Every page is read on a thread of its own while the windows load; nothing is
        // written before its verdict (see prepareToWrite).
        m_verdictPending = true;
        m_verdict = std::async(std::launch::async, [this, file = DatabaseFile, check = m_check] {
            // Only on cores the loading leaves idle: the windows come first. A thread of its
            // own, since a pool's thread could not be given its priority back.
            sched_param idle{};
            pthread_setschedparam(pthread_self(), SCHED_IDLE, &idle);
            RowReader reader(file);
            QString verdict;
            if (!reader.Select("PRAGMA quick_check", {}, [&verdict](const RowReader::Row& row) {
                    if (verdict.isEmpty())
                        verdict = row.text(0);
                }))
                verdict = reader.ErrorMessage();
            // Posted before the future is ready: Close waits for it, so the notices are there.
            QMetaObject::invokeMethod(
                m_notices.get(),
                [this, check, verdict] {
                    if (check != m_check)
                        return;
                    takeVerdict(verdict);
                    Q_EMIT m_notices->DamageCheckDone();
                },
                Qt::QueuedConnection);
            return verdict;
        });
    }
    if (refused)
        return fail(*refused);
    if (create)
        return true;
    if (!m_readOnly) {
        QSqlQuery q(m_db);
        // Ignored on failure: the default, FULL, is slower but as safe.
        q.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    }
    m_created = false;
    return true;
}

bool Database::truncated() const {
    // With a log beside it the file may lag behind its pages.
    if (QFile::exists(DatabaseFile + QStringLiteral("-wal")))
        return false;
    QSqlQuery q(m_db);
    const auto value = [&q](const QString& pragma) {
        return q.exec(pragma) && q.next() ? q.value(0).toLongLong() : 0;
    };
    const qint64 pages = value(QStringLiteral("PRAGMA page_count"));
    const qint64 pageSize = value(QStringLiteral("PRAGMA page_size"));
    return pages * pageSize > QFileInfo(DatabaseFile).size();
}

bool Database::verdictAllowsWriting() {
    if (m_verdictPending && m_verdict.valid())
        takeVerdict(m_verdict.get());
    return !m_damaged;
}

void Database::takeVerdict(const QString& verdict) {
    if (!m_verdictPending)
        return;
    m_verdictPending = false;
    m_verdict = {};
    // A busy file was not found damaged: it is checked again at the next start.
    m_damaged = verdict != QLatin1String("ok") && !verdict.contains(QLatin1String("locked"));
    const QString corrupt = QString::fromUtf8(sqlite3_errstr(SQLITE_CORRUPT));
    if (m_damaged)
        m_damage = verdict == corrupt ? corrupt : corrupt + QStringLiteral(": ") + verdict;
}

bool Database::FileReplaced() const {
    if (!m_identityKnown)
        return false;
    struct stat st {};
    if (::stat(QFile::encodeName(DatabaseFile).constData(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR;
    return quint64(st.st_dev) != m_device || quint64(st.st_ino) != m_inode;
}

bool Database::prepareToWrite() {
    if (FileReplaced()) {
        // Written, the change would land in a file no one will read again.
        setError(SQLITE_READONLY_DBMOVED,
                 QStringLiteral("the file was removed or replaced since the launcher opened it"));
        return false;
    }
    if (!verdictAllowsWriting()) {
        // A damaged file is never written to: it stays as it is for whoever can mend it.
        setError(SQLITE_CORRUPT, m_damage);
        return false;
    }
    if (m_walChecked || m_readOnly || m_created || m_inTransaction || !m_db.isOpen())
        return true;
    // A launcher window rewrites its row on every move: with a write-ahead log and NORMAL
    // sync a commit costs no fsync, and the file still never corrupts. Switched on at the
    // first change only, so a run that changes nothing leaves the file as it was.
    QSqlQuery q(m_db);
    // A refusal keeps the rollback journal: slower commits, nothing lost; asked again next time.
    if (q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) && q.next()) {
        m_wal = q.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0;
        m_walChecked = true;
    }
    return true;
}

void Database::SetBusyTimeout(int ms) {
    if (!m_db.isOpen())
        return;
    QSqlQuery q(m_db);
    // Ignored on failure: a locked file then reports busy at once, which every caller handles.
    q.exec(QStringLiteral("PRAGMA busy_timeout=%1").arg(ms));
}

bool Database::CreateDatabaseFile() {
    return open(true);
}

bool Database::Connect() {
    return open(false);
}

void Database::beginIfNeeded() {
    if (!AutoCommit && !m_inTransaction && m_db.isOpen())
        m_inTransaction = m_db.transaction();
}

std::unique_ptr<QSqlQuery> Database::exec(const QString& statement,
                                          const std::vector<QVariant>& values) {
    if (!m_db.isValid() || !m_db.isOpen()) {
        setError(1, QStringLiteral("not connected"));
        return nullptr;
    }
    auto q = std::make_unique<QSqlQuery>(m_db);
    q->setForwardOnly(true);
    const auto fail = [&] {
        setError(q->lastError());
        return nullptr;
    };
    if (!q->prepare(statement))
        return fail();
    for (const QVariant& v : values)
        q->addBindValue(v);
    if (!q->exec())
        return fail();
    clearError();
    return q;
}

bool Database::run(const QString& statement, const std::vector<QVariant>& values) {
    return exec(statement, values) != nullptr;
}

void Database::SQLExecute(const QString& statement, const std::vector<QVariant>& values) {
    clearError();
    if (injectedFailure(statement) || !prepareToWrite())
        return;
    beginIfNeeded();
    run(statement, values);
}

sqlite3* Database::handle() const {
    if (!m_db.isValid() || !m_db.isOpen())
        return nullptr;
    const QVariant h = m_db.driver()->handle();
    return h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0
               ? *static_cast<sqlite3* const*>(h.data())
               : nullptr;
}

std::unique_ptr<RecordSet> Database::SQLSelect(const QString& query,
                                               const std::vector<QVariant>& values) {
    clearError();
    if (injectedFailure(query))
        return nullptr;
    QString sql = query;
    QString table;
    const auto m = selectAllPattern().match(query);
    if (m.hasMatch()) {
        table = m.captured(1);
        sql =
            QStringLiteral("Select rowid AS vondrelaskit_rowid_, * from ") + table + m.captured(2);
    }
    auto q = exec(sql, values);
    if (!q)
        return nullptr;
    std::unique_ptr<RecordSet> rs(new RecordSet(this, table));
    const QSqlRecord rec = q->record();
    rs->m_width = rec.count();
    for (int i = 0; i < rec.count(); ++i) {
        if (!table.isEmpty() && i == 0) {
            rs->m_rowidColumn = 0;
            continue;
        }
        rs->m_names << rec.fieldName(i);
        rs->m_visible.push_back(i);
    }
    m_cursors.push_back(rs.get());
    rs->m_query = std::move(q);
    rs->m_hasRow = rs->fetch(rs->m_row);
    rs->m_hasNext = rs->fetch(rs->m_next);
    return rs;
}

void Database::InsertRecord(const QString& table, const DatabaseRecord& record) {
    clearError();
    QStringList columns, marks;
    std::vector<QVariant> values;
    for (const auto& [name, v] : record.columns()) {
        columns << quoted(name);
        marks << QStringLiteral("?");
        values.push_back(v);
    }
    const QString sql =
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(quoted(table), columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    if (injectedFailure(sql) || !prepareToWrite())
        return;
    beginIfNeeded();
    run(sql, values);
}

void Database::Commit() {
    clearError();
    if (m_inTransaction) {
        m_inTransaction = false;
        if (injectedFailure(QStringLiteral("COMMIT")) || !m_db.commit()) {
            if (!Error()) {
                setError(m_db.lastError());
            }
            // A commit that did not take leaves nothing half-done behind.
            m_db.rollback();
        }
    }
}

bool Database::BeginTransaction() {
    clearError();
    if (injectedFailure(QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    if (m_inTransaction)
        return true;
    if (!prepareToWrite())
        return false;
    if (!run(QStringLiteral("BEGIN IMMEDIATE"), {}))
        return false;
    m_inTransaction = true;
    return true;
}

void Database::Rollback() {
    if (!m_inTransaction)
        return;
    m_inTransaction = false;
    if (m_db.isValid() && m_db.isOpen())
        m_db.rollback();
}
