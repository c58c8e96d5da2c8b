#include "TestSupport.h"

#include "app/LauncherLoader.h"
#include "editor/CloseLauncherAlertWin.h"
#include "editor/NewLauncherWin.h"
#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"
#include "platform/Database.h"
#include "shared/GlobalModule.h"
#include "store/LauncherDatabase.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <csignal>
#include <functional>
#include <sys/resource.h>

// Readable failure output for texts (gtest would print QString's UTF-16 units).
static void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

const char* const kWindowColumns =
    "Insert Into LauncherWinList(LauncherWinUID, LauncherWinName, Width, Left, Top, IconSize, "
    "ViewName, ViewTitleMenu, ViewBackPanel, TitleTextSize, TransparentValue, WinColor) ";

class StorageSafetyTest : public AppTest {
protected:
    QString dbFile() const { return GlobalModule::DatabaseFilePath(); }

    static QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QStringList filesLeft() const { return QDir(launcherDir()).entryList(QDir::Files); }

    // A database of 30 items; its first page whose name is like `pattern` in the schema.
    int rootPageOf30Items(const char* pattern) {
        for (int i = 0; i < 30; ++i)
            writeApp(QStringLiteral("app%1.desktop").arg(i), QStringLiteral("App %1").arg(i));
        makeDatabase();
        return scalar(QStringLiteral("Select rootpage from sqlite_master where name like '%1'")
                          .arg(QLatin1String(pattern)))
            .toInt();
    }

    // The file's bytes with one page zeroed, as a bad disk sector leaves it.
    static QByteArray withZeroedPage(QByteArray file, int page) {
        const int pageSize = 4096;
        return file.replace(qsizetype(page - 1) * pageSize, pageSize, QByteArray(pageSize, '\0'));
    }

    // A window row written as another tool would write it.
    void insertWindow(const QString& values) {
        exec(QLatin1String(kWindowColumns) + QStringLiteral("Values (") + values +
             QLatin1Char(')'));
    }

    int column(qint64 uid, const char* name) {
        return scalar(QStringLiteral("Select %1 from LauncherWinList where LauncherWinUID=%2")
                          .arg(QLatin1String(name))
                          .arg(uid))
            .toInt();
    }

    // Processes events until the condition holds or 5 s have passed.
    template <typename F> static bool waitFor(F condition) {
        QElapsedTimer t;
        t.start();
        while (!condition()) {
            if (t.elapsed() > 5000)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QThread::msleep(10);
        }
        return true;
    }
};

TEST_F(StorageSafetyTest, AFullDiskAtFirstStartLeavesNoFileAndTheNextStartCreatesIt) {
    for (int i = 0; i < 40; ++i)
        writeApp(QStringLiteral("app%1.desktop").arg(i), QStringLiteral("App %1").arg(i),
                 QColor::fromHsv(i * 9, 200, 200));
    // The disk fills while the first start writes its items: no file may grow past 64 KiB.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit full = old;
    full.rlim_cur = 64 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &full), 0);
    GlobalModule::MakeDBMethod();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(desktop->messages, QStringList{QStringLiteral("create error!")});
    EXPECT_EQ(filesLeft(), QStringList{});

    // With space again, the next start creates the whole database without a word.
    GlobalModule::ReleaseGlobals();
    desktop->messages.clear();
    GlobalModule::MakeDBMethod();
    EXPECT_TRUE(desktop->messages.isEmpty()) << desktop->messages.join('|').toStdString();
    EXPECT_EQ(scalar(QStringLiteral("Select count(*) from LauncherList")).toInt(), 40);
    EXPECT_EQ(scalar(QStringLiteral("Select LauncherWinName from LauncherWinList")).toString(),
              QStringLiteral("apple"));
}

TEST_F(StorageSafetyTest, WhatAKilledCreationLeftIsBuiltAgain) {
    writeApp(QStringLiteral("Mail.desktop"), QStringLiteral("Mail"));
    // A creation killed midway leaves its half-built file (and journal) beside the final
    // name, never the final name itself.
    const QString building = dbFile() + QStringLiteral(".creating");
    writeFile(building, "half a database");
    writeFile(building + QStringLiteral("-journal"), "its journal");
    GlobalModule::MakeDBMethod();
    EXPECT_TRUE(desktop->messages.isEmpty());
    EXPECT_EQ(filesLeft(), QStringList{QStringLiteral("VondrelaskitDB.rdb")});
    EXPECT_EQ(scalar(QStringLiteral("Select count(*) from LauncherList")).toInt(), 1);
}

TEST_F(StorageSafetyTest, AFileThatCannotBeReadIsToldOnceAndLeftUntouched) {
    // A real database with enough items that a cut copy loses some of them.
    for (int i = 0; i < 30; ++i)
        writeApp(QStringLiteral("app%1.desktop").arg(i), QStringLiteral("App %1").arg(i));
    makeDatabase();
    GlobalModule::ReleaseGlobals();
    const QByteArray whole = bytesOf(dbFile());
    ASSERT_GT(whole.size(), 8 * 4096);

    QByteArray noItemTable;
    {
        Database db;
        db.DatabaseFile = scratch(QStringLiteral("noitems.rdb"));
        ASSERT_TRUE(db.CreateDatabaseFile());
        db.SQLExecute(QStringLiteral(
            "Create Table LauncherWinList(LauncherWinUID Integer not null, LauncherWinName "
            "varchar not null, Width Integer, Left Integer, Top Integer, IconSize Integer, "
            "ViewName Boolean, ViewTitleMenu Boolean, ViewBackPanel Boolean, TitleTextSize "
            "Integer, TransparentValue Integer, WinColor Integer not null, Primary "
            "Key(LauncherWinUID))"));
        db.SQLExecute(QLatin1String(kWindowColumns) +
                      QStringLiteral("Values (0, 'apple', 640, 10, 40, 48, 1, 1, 1, 12, 0, 0)"));
        db.Commit();
        db.Close();
        noItemTable = bytesOf(db.DatabaseFile);
    }
    const struct {
        const char* name;
        QByteArray bytes;
        const char* engineSays;
    } cases[] = {
        {"garbage", QByteArray("not a database, only text\n").repeated(200), "not a database"},
        {"truncated copy", whole.left(whole.size() / 2), "malformed"},
        {"missing item table", noItemTable, "no such table"},
        {"empty file", QByteArray(), "no such table"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GlobalModule::ReleaseGlobals();
        QDir(launcherDir()).removeRecursively();
        writeFile(dbFile(), c.bytes);
        desktop->messages.clear();
        GlobalModule::MakeDBMethod();
        GlobalModule::LoadLauncherWinMethod();
        GlobalModule::LoadLauncherWinMethod(); // told once, not at every try
        ASSERT_EQ(desktop->messages.size(), 1);
        const QString message = desktop->messages[0];
        EXPECT_TRUE(message.contains(dbFile())) << message.toStdString();
        EXPECT_TRUE(message.contains(QLatin1String(c.engineSays), Qt::CaseInsensitive))
            << message.toStdString();
        GlobalModule::ReleaseGlobals();
        // Never repaired or replaced: the very bytes, and nothing written beside them.
        EXPECT_EQ(bytesOf(dbFile()), c.bytes);
        EXPECT_EQ(filesLeft(), QStringList{QStringLiteral("VondrelaskitDB.rdb")});
    }
}

TEST_F(StorageSafetyTest, DamageInsideAFileThatOpensKeepsEveryWriteAway) {
    // The header and the tables' list read well; an index page inside is zeroed, as a bad
    // disk sector would leave it. Every page is checked while the windows load.
    const int page = rootPageOf30Items("sqlite_autoindex_LauncherList%");
    ASSERT_EQ(scalar(QStringLiteral("PRAGMA page_size")).toInt(), 4096);
    GlobalModule::ReleaseGlobals();
    ASSERT_GT(page, 1);
    const QByteArray damaged = withZeroedPage(bytesOf(dbFile()), page);
    writeFile(dbFile(), damaged);

    Database db;
    db.DatabaseFile = dbFile();
    ASSERT_TRUE(db.Connect());
    const struct {
        const char* what;
        std::function<void()> write;
    } writes[] = {
        {"statement", [&] { db.SQLExecute(QStringLiteral("Update LauncherWinList set Left=1")); }},
        {"transaction", [&] { db.BeginTransaction(); }},
    };
    for (const auto& w : writes) {
        SCOPED_TRACE(w.what);
        w.write();
        EXPECT_TRUE(db.Error());
        EXPECT_TRUE(db.ErrorMessage().contains(QLatin1String("malformed"), Qt::CaseInsensitive))
            << db.ErrorMessage().toStdString();
    }
    db.Close();
    EXPECT_EQ(bytesOf(dbFile()), damaged);
    EXPECT_EQ(filesLeft(), QStringList{QStringLiteral("VondrelaskitDB.rdb")});
}

TEST_F(StorageSafetyTest, AFileRemovedOrReplacedWhileRunningIsToldOnceAndNeverWritten) {
    writeApp(QStringLiteral("first.desktop"), QStringLiteral("First"));
    const struct {
        const char* name;
        bool replace; // another file put in its place, or the file only removed
    } cases[] = {{"removed to start afresh", false}, {"replaced by another copy", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GlobalModule::ReleaseGlobals();
        QDir(launcherDir()).removeRecursively();
        desktop->messages.clear();
        makeDatabase();
        LauncherWin* w = loadWindow(0);
        ASSERT_NE(w, nullptr);
        w->move(30, 40);
        w->ResizeWinSizeWriteMethod(); // the file is in use, with its log
        w->EditLauncherWinMethod();
        NewLauncherWin* editor = NewLauncherWin::openInstance();
        ASSERT_NE(editor, nullptr);
        editor->NameField->setText(QStringLiteral("Renamed"));
        editor->MarkChangedMethod();

        const QByteArray copy = bytesOf(dbFile());
        ASSERT_TRUE(QFile::remove(dbFile()));
        if (c.replace)
            writeFile(dbFile(), copy);

        editor->NewMethod();
        ASSERT_EQ(desktop->messages.size(), 1);
        EXPECT_TRUE(desktop->messages[0].contains(dbFile())) << desktop->messages[0].toStdString();
        EXPECT_TRUE(desktop->messages[0].contains(QLatin1String("removed or replaced")))
            << desktop->messages[0].toStdString();
        // Nothing is claimed as saved: the editor stays open, the window keeps its name.
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(w->LauncherWinName, QStringLiteral("apple"));
        // Every later write is refused without a further word.
        editor->NewMethod();
        w->move(90, 95);
        w->ResizeWinSizeWriteMethod();
        w->UPdateViewInfoMethod(QStringLiteral("ViewName"), false);
        EXPECT_TRUE(w->ViewName);
        writeFile(scratch(QStringLiteral("dropped.txt")), "x");
        const size_t items = w->LauncherItemArr->size();
        w->DropAppMethod(FolderItem(scratch(QStringLiteral("dropped.txt"))));
        EXPECT_EQ(w->LauncherItemArr->size(), items);
        EXPECT_EQ(desktop->messages.size(), 1);
        editor->close();
        GlobalModule::ReleaseGlobals(); // quit
        if (c.replace) {
            EXPECT_EQ(bytesOf(dbFile()), copy); // the file put there is never written
            // Nor is the old file's log played into it at the next start.
            EXPECT_EQ(filesLeft(), QStringList{QStringLiteral("VondrelaskitDB.rdb")});
            ASSERT_NE(loadWindow(0), nullptr);
            EXPECT_EQ(column(0, "Left"), 10);
        } else {
            EXPECT_FALSE(QFile::exists(dbFile()));
            EXPECT_EQ(filesLeft(), QStringList{}); // no log or shared memory left behind
            // The next start builds "apple" afresh.
            GlobalModule::MakeDBMethod();
            LauncherWin* fresh = loadWindow(0);
            ASSERT_NE(fresh, nullptr);
            EXPECT_EQ(fresh->LauncherWinName, QStringLiteral("apple"));
            EXPECT_EQ(fresh->LauncherItemArr->size(), 1u);
            EXPECT_EQ(column(0, "Left"), 10);
        }
        EXPECT_EQ(desktop->messages.size(), 1);
    }
}

TEST_F(StorageSafetyTest, ALogLeftBesideARemovedFileIsNotPlayedIntoTheNewOne) {
    // A run killed with its log open; then the person removes the database to start afresh
    // and leaves the log and shared memory (they look like part of it, or go unseen).
    makeDatabase();
    LauncherWin* w = loadWindow(0);
    ASSERT_NE(w, nullptr);
    w->move(300, 310);
    w->ResizeWinSizeWriteMethod();
    const QByteArray wal = bytesOf(dbFile() + QStringLiteral("-wal"));
    const QByteArray shm = bytesOf(dbFile() + QStringLiteral("-shm"));
    ASSERT_FALSE(wal.isEmpty());
    GlobalModule::ReleaseGlobals();
    ASSERT_TRUE(QFile::remove(dbFile()));
    writeFile(dbFile() + QStringLiteral("-wal"), wal);
    writeFile(dbFile() + QStringLiteral("-shm"), shm);

    GlobalModule::MakeDBMethod();
    ASSERT_NE(loadWindow(0), nullptr);
    EXPECT_EQ(column(0, "Left"), 10); // a fresh "apple", not the old run's place
    EXPECT_EQ(column(0, "Top"), 40);
    EXPECT_TRUE(desktop->messages.isEmpty());
}

TEST_F(StorageSafetyTest, TheSameDamagedFileStartsTheSameEveryTime) {
    const int indexPage = rootPageOf30Items("sqlite_autoindex_LauncherList%");
    const int versionPage =
        scalar(QStringLiteral("Select rootpage from sqlite_master where name='VersionList'"))
            .toInt();
    GlobalModule::ReleaseGlobals();
    const QByteArray whole = bytesOf(dbFile());
    ASSERT_GT(indexPage, 1);
    ASSERT_GT(versionPage, 1);
    const struct {
        const char* name;
        int page; // zeroed, as a bad disk sector leaves it
    } damages[] = {{"a page the windows are read through", indexPage},
                   {"a page no window reads", versionPage}};
    for (const auto& d : damages) {
        SCOPED_TRACE(d.name);
        const QByteArray damaged = withZeroedPage(whole, d.page);
        writeFile(dbFile(), damaged);
        QStringList first;
        for (int start = 0; start < 5; ++start) {
            SCOPED_TRACE(start);
            GlobalModule::ReleaseGlobals();
            desktop->messages.clear();
            GlobalModule::MakeDBMethod();
            GlobalModule::LoadLauncherWinMethod();
            // Some starts write at once (a window manager placing a window), others not.
            if (start % 2 == 1)
                for (const auto& w : GlobalModule::LauncherWinArr) {
                    w->move(w->pos() + QPoint(1, 1));
                    w->ResizeWinSizeWriteMethod();
                }
            ASSERT_TRUE(waitFor([] { return !GlobalModule::DatabaseDamageWatchPending(); }));
            QStringList seen = desktop->messages;
            for (const auto& w : GlobalModule::LauncherWinArr)
                seen << QStringLiteral("%1: %2 items, %3")
                            .arg(w->LauncherWinName)
                            .arg(w->LauncherItemArr->size())
                            .arg(w->pic.isNull() ? "not drawn" : "drawn");
            EXPECT_EQ(desktop->messages.size(), 1) << seen.join('|').toStdString();
            if (start == 0)
                first = seen;
            EXPECT_EQ(seen, first);
        }
        GlobalModule::ReleaseGlobals();
        EXPECT_EQ(bytesOf(dbFile()), damaged);
    }
}

TEST_F(StorageSafetyTest, TheLogIsForWhileTheLauncherRuns) {
    makeDatabase();
    // A run that changes nothing leaves the file byte for byte as it was.
    GlobalModule::ReleaseGlobals();
    const QByteArray created = bytesOf(dbFile());
    ASSERT_EQ(created[18], 1); // rollback journal
    ASSERT_NE(loadWindow(0), nullptr);
    GlobalModule::ReleaseGlobals();
    EXPECT_EQ(bytesOf(dbFile()), created);

    // A change runs with a write-ahead log; a clean quit returns the file to rollback
    // journal mode, readable where no "-shm" file can be made.
    LauncherWin* w = loadWindow(0);
    ASSERT_NE(w, nullptr);
    w->move(50, 60);
    w->ResizeWinSizeWriteMethod();
    EXPECT_EQ(scalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
    GlobalModule::ReleaseGlobals();
    const QByteArray after = bytesOf(dbFile());
    EXPECT_EQ(after[18], 1);
    EXPECT_EQ(after[19], 1);
    EXPECT_EQ(filesLeft(), QStringList{QStringLiteral("VondrelaskitDB.rdb")});
    EXPECT_EQ(column(0, "Left"), 50);
}

TEST_F(StorageSafetyTest, AFolderThatCannotBeWrittenShowsTheWindowsAndTellsOnce) {
    makeDatabase();
    exec(QStringLiteral("Delete from LauncherList"));
    GlobalModule::ReleaseGlobals();
    const QByteArray before = bytesOf(dbFile());
    context->setDatabaseFailures([](const QString& sql) { return sql == "OPEN READ-WRITE"; });
    LauncherWin* w = loadWindow(0);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(GlobalModule::DBConnectMethod()->ReadOnly());
    EXPECT_TRUE(desktop->messages.isEmpty());
    for (int i = 0; i < 5; ++i) {
        w->move(100 + i, 100);
        w->ResizeWinSizeWriteMethod();
    }
    w->UPdateViewInfoMethod(QStringLiteral("ViewName"), false);
    ASSERT_EQ(desktop->messages.size(), 1);
    EXPECT_TRUE(desktop->messages[0].contains(dbFile()));
    EXPECT_TRUE(desktop->messages[0].contains(QLatin1String("readonly")))
        << desktop->messages[0].toStdString();
    GlobalModule::ReleaseGlobals();
    context->setDatabaseFailures({});
    EXPECT_EQ(bytesOf(dbFile()), before);
}

TEST_F(StorageSafetyTest, APlaceWaitsForAnotherProgramsLockWithoutFreezing) {
    makeDatabase();
    LauncherWin* w = loadWindow(0);
    ASSERT_NE(w, nullptr);
    w->move(20, 30);
    w->ResizeWinSizeWriteMethod();
    ASSERT_EQ(column(0, "Left"), 20);

    // Another program takes the database for itself, as "begin exclusive" in sqlite3 does.
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "other");
        other.setDatabaseName(dbFile());
        ASSERT_TRUE(other.open());
        QSqlQuery lock(other);
        ASSERT_TRUE(lock.exec(QStringLiteral("begin exclusive")));

        // The interface waits for a lock at most the connection's busy timeout, 100 ms.
        EXPECT_EQ(scalar(QStringLiteral("PRAGMA busy_timeout")).toInt(), Database::BusyTimeoutMs);
        for (const QPoint p : {QPoint(200, 210), QPoint(300, 310), QPoint(400, 410)}) {
            w->move(p);
            w->ResizeWinSizeWriteMethod();
        }
        EXPECT_EQ(column(0, "Left"), 20);
        EXPECT_TRUE(desktop->messages.isEmpty());
        lock.exec(QStringLiteral("rollback"));
        lock.finish();
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    // Once the lock is gone the latest place is stored.
    EXPECT_TRUE(waitFor([&] { return column(0, "Left") == 400 && column(0, "Top") == 410; }));
    EXPECT_TRUE(desktop->messages.isEmpty());
}

TEST_F(StorageSafetyTest, APlaceAskedForBeforeThePagesAreCheckedWaitsForTheirVerdict) {
    makeDatabase();
    GlobalModule::ReleaseGlobals();
    GlobalModule::MakeDBMethod();
    GlobalModule::LoadLauncherWinMethod(); // opens the file: its pages are read meanwhile
    ASSERT_EQ(GlobalModule::LauncherWinArr.size(), 1u);
    LauncherWin* w = GlobalModule::LauncherWinArr[0].get();
    ASSERT_FALSE(GlobalModule::GlobalDB->DamageCheckDone()); // it comes through the event loop
    w->move(70, 80);
    w->ResizeWinSizeWriteMethod();
    EXPECT_FALSE(GlobalModule::GlobalDB->DamageCheckDone()); // the window did not wait for it
    EXPECT_EQ(column(0, "Left"), 10);
    EXPECT_TRUE(waitFor([&] { return column(0, "Left") == 70 && column(0, "Top") == 80; }));
    EXPECT_TRUE(desktop->messages.isEmpty());
}

TEST_F(StorageSafetyTest, WindowAndItemNumbersBeyond32Bits) {
    makeDatabase();
    insertWindow(QStringLiteral("4294967296, 'far', 400, 300, 200, 48, 1, 1, 1, 14, 0, 0"));
    exec(QStringLiteral("Insert Into LauncherList(LauncherWinUID, AppUID, AppSEQ, AppName) "
                        "Values (4294967296, 4294967297, 8589934592, 'Far')"));
    exec(QStringLiteral("Insert Into LauncherList(LauncherWinUID, AppUID, AppSEQ, AppName) "
                        "Values (0, 1, 1, 'Near')"));
    LauncherWin* far = loadWindow(4294967296LL);
    ASSERT_NE(far, nullptr);
    ASSERT_EQ(far->LauncherItemArr->size(), 1u);
    EXPECT_EQ((*far->LauncherItemArr)[0]->AppUID, 4294967297LL);
    EXPECT_EQ((*far->LauncherItemArr)[0]->AppSEQ, 8589934592LL);
    EXPECT_EQ(GlobalModule::LauncherWinArr.size(), 2u);

    // Dragging it writes its own row, never window 0's.
    far->move(123, 45);
    far->ResizeWinSizeWriteMethod();
    EXPECT_EQ(column(4294967296LL, "Left"), 123);
    EXPECT_EQ(column(0, "Left"), 10);
    EXPECT_EQ(column(0, "Top"), 40);

    // The next number after it is 2^32 + 1.
    Database* db = GlobalModule::DBConnectMethod();
    EXPECT_EQ(far->GetMaxAppUIDMethod(*db), 4294967298LL);

    // Deleting it deletes its rows alone.
    far->CloseMethod();
    CloseLauncherAlertWin::openInstance()->DeleteMethod();
    EXPECT_EQ(scalar(QStringLiteral("Select count(*) from LauncherWinList")).toInt(), 1);
    EXPECT_EQ(scalar(QStringLiteral("Select AppName from LauncherList")).toString(),
              QStringLiteral("Near"));
}

TEST_F(StorageSafetyTest, RowsOutOfRangeFromAnotherToolAreLaidOutSanely) {
    makeDatabase();
    exec(QStringLiteral("Delete from LauncherWinList"));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const struct {
        const char* row; // uid, name, width, left, top, icon size, ..., transparency
        int iconSize, pitch, transparency;
        QPoint place;
    } cases[] = {
        {"1, 'a', 400, 10, 40, 0, 1, 1, 1, 14, 20, 0", 48, 70, 20, {10, 40}},
        {"2, 'b', 400, 10, 40, -48, 1, 1, 1, 14, 20, 0", 48, 70, 20, {10, 40}},
        {"3, 'c', 400, 10, 40, 100000, 1, 1, 1, 14, 20, 0", 48, 70, 20, {10, 40}},
        {"4, 'd', 400, 10, 40, 'text', 1, 1, 1, 14, 20, 0", 48, 70, 20, {10, 40}},
        {"5, 'e', 400, 10, 40, 4294967344, 1, 1, 1, 14, 20, 0", 48, 70, 20, {10, 40}},
        {"6, 'f', 400, 10, 40, 128, 1, 1, 1, 14, 500, 0", 128, 140, 80, {10, 40}},
        {"7, 'g', 400, 10, 40, 64, 1, 1, 1, 14, 80, 0", 64, 100, 80, {10, 40}},
        {"8, 'h', 400, -5000, -5000, 48, 1, 1, 1, 14, 0, 0", 48, 70, 0, screen.topLeft()},
    };
    for (const auto& c : cases)
        insertWindow(QString::fromLatin1(c.row));
    const auto before = [&] {
        QStringList rows;
        auto rs = GlobalModule::DBConnectMethod()->SQLSelect(
            QStringLiteral("Select IconSize, TransparentValue from LauncherWinList"));
        for (; rs && !rs->Eof(); rs->MoveNext())
            rows << rs->IdxField(1).StringValue() + '/' + rs->IdxField(2).StringValue();
        return rows;
    };
    const QStringList stored = before();
    GlobalModule::LoadLauncherWinMethod();
    ASSERT_EQ(GlobalModule::LauncherWinArr.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.row);
        LauncherWin* w = GlobalModule::LauncherWinArr[i].get();
        EXPECT_EQ(w->IconSize, c.iconSize);
        EXPECT_EQ(w->SpaceForIconSizeValue, c.pitch);
        EXPECT_GE(w->Height(), c.pitch + 25); // a window one can see and reach
        EXPECT_EQ(w->TransparentValue, c.transparency);
        EXPECT_NEAR(w->windowOpacity(), 1.0 - c.transparency / 100.0, 0.01);
        EXPECT_EQ(w->pos(), c.place);
    }
    // Laid out so, never rewritten so.
    EXPECT_EQ(before(), stored);
}

} // namespace
