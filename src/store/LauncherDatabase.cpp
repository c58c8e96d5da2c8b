#include "store/LauncherDatabase.h"

#include "platform/Applications.h"
#include "platform/Colours.h"
#include "platform/Database.h"
#include "platform/DesktopEntry.h"
#include "platform/FolderItem.h"
#include "platform/Framework.h"
#include "platform/InOrderWork.h"
#include "store/AppContext.h"
#include "store/Globals.h"
#include "store/IconHelpers.h"
#include "store/IconSizes.h"
#include "store/LauncherRows.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace GlobalModule {

QString LauncherFolderPath() {
    return PreferencesFolderPath() + QStringLiteral("/Vondrelaskit");
}

QString DatabaseFilePath() {
    return LauncherFolderPath() + QStringLiteral("/VondrelaskitDB.rdb");
}

namespace {
QString codeAndMessage(const Database& db) {
    return QString::number(db.ErrorCode()) + QStringLiteral("  ") + db.ErrorMessage();
}

QString& connectError() {
    static QString message;
    return message;
}

// The failures a test injects reach every connection the store opens.
void takeInjectedFailures(Database& db) {
    if (const AppContext* context = AppContext::current())
        db.SetFailureHook(context->databaseFailures());
}
} // namespace

namespace {
// Removes what an interrupted or failed creation left of the file being built.
void removeBuildingFiles(const QString& path) {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
}

// A commit that does not take means the file cannot hold the database.
bool committed(Database& db) {
    db.Commit();
    if (db.Error())
        MsgBox(QStringLiteral("create error!"));
    return !db.Error();
}

// Creates the file at db's path with its schema; false when the creation failed (its
// message already shown).
bool createSchema(Database& db) {
    if (!db.CreateDatabaseFile()) {
        MsgBox(QStringLiteral("create error!"));
        return false;
    }
    if (!db.Connect()) {
        MsgBox(QStringLiteral("connect error!"));
        return false;
    }
    db.SQLExecute(
        QStringLiteral("Create Table VersionList(Version varchar not null, Primary key(Version))"));
    if (db.Error()) {
        MsgBox(QStringLiteral("Version Table Create Error~!  ") + codeAndMessage(db));
        return false;
    }
    if (!committed(db))
        return false;
    db.SQLExecute(QStringLiteral("Insert Into VersionList(Version) Values ('1.0')"));
    if (db.Error())
        MsgBox(QStringLiteral("Error Occurred when Version was Inserted~!") + codeAndMessage(db));
    if (!committed(db))
        return false;
    db.SQLExecute(QStringLiteral(
        "Create Table LauncherWinList(LauncherWinUID Integer not null, LauncherWinName varchar "
        "not null, Width Integer, Left Integer, Top Integer, IconSize Integer, ViewName Boolean, "
        "ViewTitleMenu Boolean, ViewBackPanel Boolean, TitleTextSize Integer, TransparentValue "
        "Integer, WinColor Integer not null, Primary Key(LauncherWinUID))"));
    if (db.Error()) {
        MsgBox(QStringLiteral("LauncherWinList Table Create Error~!  ") + codeAndMessage(db));
        return false;
    }
    if (!committed(db))
        return false;
    db.SQLExecute(QStringLiteral(
        "Create Table LauncherList(LauncherWinUID Varchar not null, AppUID integer not null, "
        "AppSEQ integer not null, AppName Varchar, AppPath String, Icon Text, IconMask Text, "
        "Primary Key(LauncherWinUID, AppUID))"));
    if (db.Error()) {
        MsgBox(QStringLiteral("LancherList Table Create Error~!  ") + codeAndMessage(db));
        return false;
    }
    return committed(db);
}

// The items went in as one transaction: committed, the file is complete.
bool completeDatabase(Database& db) {
    if (!committed(db))
        return false;
    db.Close();
    return true;
}

// Builds the database with its schema and first-run content in the file at path; false
// when the creation failed (its message already shown).
bool buildDatabase(const QString& path) {
    Database db;
    takeInjectedFailures(db);
    db.DatabaseFile = path;
    return createSchema(db) && InitDefaultLoadAppleAppMethod(db) && completeDatabase(db);
}

// The building file takes the database's name, leaving nothing behind when it cannot.
void moveIntoPlace(const QString& building, const QString& file) {
    // A log or shared memory left beside a file that is gone (removed while a run still had
    // it open) belongs to no database: played into the new one, it would bring back the old.
    for (const char* suffix : {"-wal", "-shm"})
        QFile::remove(file + QLatin1String(suffix));
    if (!RenameIntoPlace(building, file)) {
        removeBuildingFiles(building);
        MsgBox(QStringLiteral("create error!"));
    }
}
} // namespace

QString LauncherFolderProblem() {
    if (FolderItem(DatabaseFilePath()).Exists())
        return {};
    const QString folder = LauncherFolderPath();
    QDir().mkpath(folder);
    const auto reason = [](const QString& path, int error) {
        return path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error));
    };
    struct stat st {};
    if (::stat(QFile::encodeName(folder).constData(), &st) != 0) {
        // The first folder on the way that could not be made, and why.
        QString missing = folder;
        for (QString up = QFileInfo(missing).absolutePath();
             up != missing && !QFileInfo::exists(up); up = QFileInfo(missing).absolutePath())
            missing = up;
        const int made = ::mkdir(QFile::encodeName(missing).constData(), 0700);
        return reason(missing, made == 0 ? ENOENT : errno);
    }
    if (!S_ISDIR(st.st_mode))
        return reason(folder, ENOTDIR);
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
        return reason(folder, errno);
    return {};
}

void MakeDBMethod() {
    const FolderItem folder(LauncherFolderPath());
    if (!folder.Exists())
        folder.CreateAsFolder();
    const FolderItem file = folder.Child(QStringLiteral("VondrelaskitDB.rdb"));
    if (file.Exists())
        return;
    // Built beside its final name and renamed into place only when complete: a creation
    // that is killed or fails leaves no file, and the next start creates it again.
    const QString building = file.AbsolutePath() + QStringLiteral(".creating");
    removeBuildingFiles(building);
    if (!buildDatabase(building)) {
        removeBuildingFiles(building);
        return;
    }
    moveIntoPlace(building, file.AbsolutePath());
}

Database* DBConnectMethod() {
    if (GlobalDB) {
        // Removed or replaced under us: told once, and nothing more is read or written
        // through the old file. The next start opens (or creates) the file then there.
        if (GlobalDB->FileReplaced()) {
            ReportReplacedDatabase();
            return nullptr;
        }
        return GlobalDB.get();
    }
    auto db = std::make_unique<Database>();
    takeInjectedFailures(*db);
    db->DatabaseFile = DatabaseFilePath();
    if (!db->Connect()) {
        connectError() = db->ErrorMessage();
        return nullptr;
    }
    db->AutoCommit = true;
    db->Decrypt();
    GlobalDB = std::move(db);
    return GlobalDB.get();
}

QString DBConnectError() {
    return connectError();
}

namespace {
// The default window's row; false when it cannot be written (told).
bool insertAppleWindow(Database& db) {
    LauncherWinRow apple;
    apple.LauncherWinUID = 0;
    apple.LauncherWinName = QStringLiteral("apple");
    apple.Width = 640;
    apple.Left = 10;
    apple.Top = 40;
    apple.IconSize = DefaultIconSize;
    apple.ViewName = true;
    apple.ViewTitleMenu = true;
    apple.ViewBackPanel = true;
    apple.TitleTextSize = 12;
    apple.WinColor = Color2IntegerMBS(QColor(0, 0, 0)); // its transparency stays NULL
    db.InsertRecord(LauncherWinColumn::Table, apple.Record());
    if (db.Error()) {
        MsgBox(QStringLiteral("init Apple App Database Error~!"));
        return false;
    }
    return committed(db);
}

// A full disk or a failing file ends the whole creation, not one entry.
bool fillFailed(const Database& db) {
    if (!db.Error() || !db.FileFailed())
        return false;
    MsgBox(QStringLiteral("create error!"));
    return true;
}
} // namespace

bool InitDefaultLoadAppleAppMethod(Database& db) {
    if (!insertAppleWindow(db))
        return false;
    InitLoadAppleAppMethod(db);
    return !fillFailed(db);
}

namespace {
// An application entry of the Applications folder that the first run takes.
bool isShownApplication(const FolderItem& entry) {
    const QString name = entry.Name();
    if (name.startsWith(QLatin1Char('.')) || !isDesktopEntryName(name))
        return false;
    if (!IsRegularFile(entry.AbsolutePath()))
        return false; // a FIFO or device would block the reader
    const DesktopEntry e = DesktopEntry::read(entry.AbsolutePath());
    return e.loaded && !e.noDisplay && !e.hidden && e.launchable && e.shownOnCurrentDesktop;
}
} // namespace

namespace {
// An application entry as "apple" takes it, made ready on the pool.
struct AppleEntry {
    FolderItem entry;
    bool shown = false;
    bool made = false; // the icon texts are there
    QString name, path, icon, mask;
};

// Any thread; the icon is left to the GUI thread when only the platform's own icons serve.
void lookAt(AppleEntry& e) {
    e.shown = isShownApplication(e.entry);
    if (!e.shown)
        return;
    e.name = e.entry.DisplayName();
    e.path = e.entry.AbsolutePath(); // paths stay exactly as the file system gives them
    const MaskedPicture icon = ThemedIconAndMask(e.entry, 128);
    if (icon.isNull())
        return;
    e.icon = StoredIconText(icon.image);
    e.mask = StoredIconText(icon.mask);
    e.made = true;
}

// The applications for "apple", in ID order: looked at on the pool, written in their order.
class AppleFill {
public:
    AppleFill(QObject* receiver = nullptr, std::function<void()> progressed = {})
        : m_entries(std::make_shared<std::vector<AppleEntry>>()) {
        // Every applications folder merged, one entry per desktop-file ID, in ID order.
        for (FolderItem& entry : ApplicationEntries())
            m_entries->emplace_back().entry = std::move(entry);
        m_work = std::make_unique<InOrderWork>(
            m_entries->size(), [entries = m_entries](size_t k) { lookAt((*entries)[k]); }, receiver,
            std::move(progressed));
    }

    size_t Count() const { return m_entries->size(); }
    size_t Written() const { return m_written; }
    bool Complete() const { return m_written == Count(); }
    void WaitForMore() { m_work->WaitForMore(m_written); }
    bool Ready() const { return m_work->Done() > m_written; }

    // Writes the entries looked at, from the next on, while more() holds (one at least).
    // False when the file as a whole failed (its error left on db).
    bool Write(Database& db, const std::function<bool()>& more) {
        const size_t ready = m_work->Done();
        for (bool first = true; m_written < ready && (first || more()); first = false) {
            AppleEntry& e = (*m_entries)[m_written];
            const qint64 i = qint64(++m_written); // numbers count every entry, skipped ones too
            if (!e.shown)
                continue;
            if (!e.made) {
                const MaskedPicture icon = GetIconAndMaskMethod(e.entry, 128);
                e.icon = StoredIconText(icon.image);
                e.mask = StoredIconText(icon.mask);
            }
            LauncherListRow row;
            row.LauncherWinUID = 0;
            row.AppUID = i - 1;
            row.AppSEQ = i - 1;
            row.AppName = std::move(e.name);
            row.AppPath = std::move(e.path);
            row.Icon = std::move(e.icon);
            row.IconMask = std::move(e.mask);
            db.InsertRecord(LauncherListColumn::Table, row.Record());
            if (db.Error() && db.FileFailed())
                return false;
            if (db.Error())
                MsgBox(e.entry.Name() + QStringLiteral(" add error~!"));
        }
        return true;
    }

private:
    std::shared_ptr<std::vector<AppleEntry>> m_entries;
    std::unique_ptr<InOrderWork> m_work;
    size_t m_written = 0;
};

// A GUI step writes the entries looked at for this long at most; what is written is
// committed this often.
constexpr qint64 kStepMs = 25;
constexpr qint64 kCommitEveryMs = 500;

// The database made without holding up the event loop, a step at a time.
class DatabaseMaking : public QObject {
public:
    DatabaseMaking(std::function<void()> done, std::function<void(int, int)> progress)
        : QObject(AppContext::current() ? static_cast<QObject*>(AppContext::current())
                                        : QCoreApplication::instance()),
          m_done(std::move(done)), m_progress(std::move(progress)) {}

    // False when there is nothing to make or its making has failed already.
    bool begin() {
        const FolderItem folder(LauncherFolderPath());
        if (!folder.Exists())
            folder.CreateAsFolder();
        m_file = folder.Child(QStringLiteral("VondrelaskitDB.rdb")).AbsolutePath();
        if (FolderItem(m_file).Exists())
            return false;
        m_building = m_file + QStringLiteral(".creating");
        removeBuildingFiles(m_building);
        takeInjectedFailures(m_db);
        m_db.DatabaseFile = m_building;
        if (!createSchema(m_db) || !insertAppleWindow(m_db)) {
            removeBuildingFiles(m_building);
            return false;
        }
        m_sinceCommit.start();
        m_fill = std::make_unique<AppleFill>(this, [this] { step(); });
        QTimer::singleShot(0, this, [this] { step(); }); // also when there is nothing to look at
        return true;
    }

private:
    void step() {
        if (m_stepping || !m_fill)
            return;
        m_stepping = true;
        QElapsedTimer clock;
        clock.start();
        const bool written = m_fill->Write(m_db, [&clock] { return clock.elapsed() < kStepMs; });
        if (m_progress)
            m_progress(int(m_fill->Written()), int(m_fill->Count()));
        m_stepping = false;
        if (!written) {
            end(!fillFailed(m_db));
            return;
        }
        if (m_fill->Complete()) {
            end(completeDatabase(m_db));
            return;
        }
        // The file is not in place before it is complete: committed in parts, the written
        // rows go to the disk as they come instead of all in one long step at the end.
        if (m_sinceCommit.elapsed() >= kCommitEveryMs) {
            if (!committed(m_db)) {
                end(false);
                return;
            }
            m_sinceCommit.restart();
        }
        if (m_fill->Ready())
            QTimer::singleShot(0, this, [this] { step(); });
    }

    void end(bool built) {
        m_fill.reset();
        if (built)
            moveIntoPlace(m_building, m_file);
        else
            removeBuildingFiles(m_building);
        const auto done = std::move(m_done);
        deleteLater();
        if (done)
            done();
    }

    std::function<void()> m_done;
    std::function<void(int, int)> m_progress;
    QString m_file, m_building;
    Database m_db;
    std::unique_ptr<AppleFill> m_fill;
    bool m_stepping = false;
    QElapsedTimer m_sinceCommit;
};

QPointer<DatabaseMaking> making;

} // namespace

void MakeDBMethod(std::function<void()> done, std::function<void(int, int)> progress) {
    auto* m = new DatabaseMaking(done, std::move(progress));
    if (m->begin()) {
        making = m;
        return;
    }
    delete m;
    if (done)
        done();
}

bool DatabaseBeingMade() {
    return making;
}

void InitLoadAppleAppMethod(Database& db) {
    AppleFill fill;
    while (!fill.Complete()) {
        fill.WaitForMore();
        if (!fill.Write(db, [] { return true; }))
            return;
    }
}

qint64 NextFreeNumber(Database& db, const QString& maxQuery) {
    auto rs = db.SQLSelect(maxQuery);
    if (!rs)
        return -1;
    qint64 m = 0;
    while (!rs->Eof()) {
        m = rs->IdxField(1).IntegerValue();
        rs->MoveNext();
    }
    return m + 1;
}

namespace {
bool unreadableReported = false;
bool unsavedReported = false;
bool replacedReported = false;

// The first report of its kind: what went wrong, the file, the engine's words.
void reportOnce(bool& reported, const QString& korean, const QString& english,
                const QString& engineMessage) {
    if (reported)
        return;
    reported = true;
    MsgBox((IsKorean() ? korean : english) + QLatin1Char('\n') + DatabaseFilePath() +
           QLatin1Char('\n') + engineMessage);
}
} // namespace

void ReportUnreadableDatabase(const QString& engineMessage) {
    reportOnce(unreadableReported, QStringLiteral("런쳐 데이타베이스를 읽을 수 없습니다:"),
               QStringLiteral("The launcher database cannot be read:"), engineMessage);
}

void ReportUnsavedChange(const QString& engineMessage) {
    // A damaged file whose rows could not be read was told as such already.
    if (unreadableReported && GlobalDB && GlobalDB->DamageCheckDone() &&
        !GlobalDB->Damage().isEmpty())
        return;
    reportOnce(unsavedReported,
               QStringLiteral("런쳐 데이타베이스에 바뀐 내용을 저장할 수 없습니다:"),
               QStringLiteral("Changes cannot be stored in the launcher database:"), engineMessage);
}

void ReportReplacedDatabase() {
    reportOnce(replacedReported,
               QStringLiteral("런쳐가 실행되는 중에 런쳐 데이타베이스가 지워지거나 바뀌었습니다. "
                              "다시 시작할 때까지 아무것도 저장되지 않습니다:"),
               QStringLiteral("The launcher database was removed or replaced while the launcher "
                              "ran; nothing is stored until the launcher starts again:"),
               QStringLiteral("the file is no longer the one the launcher opened"));
}

namespace {
// Lives while a verdict is awaited; deleted, it takes its connection along.
QPointer<QObject> damageWatch;
} // namespace

bool DatabaseDamageWatchPending() {
    return !damageWatch.isNull();
}

void WatchDatabaseDamage() {
    delete damageWatch.data();
    if (!GlobalDB)
        return;
    damageWatch = new QObject(QCoreApplication::instance());
    const auto told = [] {
        damageWatch->deleteLater();
        damageWatch = nullptr;
        if (GlobalDB)
            if (const QString damage = GlobalDB->Damage(); !damage.isEmpty())
                ReportUnsavedChange(damage);
    };
    // Told from the event loop in either case: never inside the caller, nor inside a write.
    if (GlobalDB->DamageCheckDone())
        QMetaObject::invokeMethod(damageWatch, told, Qt::QueuedConnection);
    else
        QObject::connect(&GlobalDB->Notices(), &DatabaseNotices::DamageCheckDone, damageWatch,
                         told);
}

void ResetDatabaseReports() {
    unreadableReported = false;
    unsavedReported = false;
    replacedReported = false;
    delete damageWatch.data(); // it watched a connection that is gone
}

} // namespace GlobalModule
