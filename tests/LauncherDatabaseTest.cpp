#include "TestSupport.h"

#include "launcher/LauncherWinArr.h"
#include "platform/Applications.h"
#include "platform/Database.h"
#include "platform/Environment.h"
#include "platform/FolderItem.h"
#include "platform/Framework.h"
#include "platform/PictureCodecs.h"
#include "shared/GlobalModule.h"
#include "store/LauncherDatabase.h"
#include "store/LauncherRows.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Readable failure output for texts (gtest would print QString's UTF-16 units).
static void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QString kVersionTable =
    QStringLiteral("Create Table VersionList(Version varchar not null, Primary key(Version))");
const QString kWindowTable = QStringLiteral(
    "Create Table LauncherWinList(LauncherWinUID Integer not null, LauncherWinName varchar not "
    "null, Width Integer, Left Integer, Top Integer, IconSize Integer, ViewName Boolean, "
    "ViewTitleMenu Boolean, ViewBackPanel Boolean, TitleTextSize Integer, TransparentValue "
    "Integer, WinColor Integer not null, Primary Key(LauncherWinUID))");
const QString kItemTable = QStringLiteral(
    "Create Table LauncherList(LauncherWinUID Varchar not null, AppUID integer not null, AppSEQ "
    "integer not null, AppName Varchar, AppPath String, Icon Text, IconMask Text, Primary "
    "Key(LauncherWinUID, AppUID))");

struct Item {
    qint64 uid;
    qint64 seq;
    QString name;
    QString path;
    QString icon;
    QString mask;
};

// Restores an environment variable when the test ends.
class EnvGuard {
public:
    explicit EnvGuard(const char* name) : m_name(name), m_had(qEnvironmentVariableIsSet(name)) {
        m_old = qgetenv(name);
    }
    ~EnvGuard() {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

class LauncherDatabaseTest : public AppTest {
protected:
    std::vector<Item> items() {
        std::vector<Item> out;
        Database* db = GlobalModule::DBConnectMethod();
        if (!db)
            return out;
        auto rs = db->SQLSelect(
            QStringLiteral("Select * from LauncherList where LauncherWinUID=0 order by AppSEQ"));
        if (!rs)
            return out;
        for (; !rs->Eof(); rs->MoveNext())
            out.push_back({rs->Field(QStringLiteral("AppUID")).IntegerValue(),
                           rs->Field(QStringLiteral("AppSEQ")).IntegerValue(),
                           rs->Field(QStringLiteral("AppName")).StringValue(),
                           rs->Field(QStringLiteral("AppPath")).StringValue(),
                           rs->Field(QStringLiteral("Icon")).StringValue(),
                           rs->Field(QStringLiteral("IconMask")).StringValue()});
        return out;
    }

    QStringList entryNames() {
        QStringList names;
        for (const FolderItem& f : FolderItem(applicationsDir()).Entries())
            names << f.Name();
        return names;
    }

    static QString plainEntry(const QString& name, const QString& extra = {}) {
        return QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=/bin/true\n%2")
            .arg(name, extra);
    }

    // Every SQL text the engine is asked to run, in order.
    void recordStatements() {
        auto seen = std::make_shared<QStringList>();
        m_statements = seen;
        context->setDatabaseFailures([seen](const QString& sql) {
            *seen << sql;
            return false;
        });
    }
    std::shared_ptr<QStringList> m_statements;
};

TEST_F(LauncherDatabaseTest, CreatesTheExactSchemaAndVersionRow) {
    recordStatements();
    makeDatabase();
    context->setDatabaseFailures({});
    EXPECT_TRUE(desktop->messages.isEmpty()) << desktop->messages.join('|').toStdString();
    EXPECT_TRUE(QFile::exists(launcherDir() + QStringLiteral("/VondrelaskitDB.rdb")));

    // The engine was given these statements exactly, in this order.
    QStringList creates;
    for (const QString& s : *m_statements)
        if (s.startsWith(QLatin1String("Create Table")))
            creates << s;
    EXPECT_EQ(creates, (QStringList{kVersionTable, kWindowTable, kItemTable}));
    EXPECT_TRUE(
        m_statements->contains(QStringLiteral("Insert Into VersionList(Version) Values ('1.0')")));

    // SQLite keeps the text as given, only upper-casing its two leading keywords.
    const auto stored = [](const QString& statement) {
        return QStringLiteral("CREATE TABLE") + statement.mid(int(qstrlen("Create Table")));
    };
    for (const auto& [table, statement] :
         {std::pair{"VersionList", kVersionTable}, std::pair{"LauncherWinList", kWindowTable},
          std::pair{"LauncherList", kItemTable}}) {
        EXPECT_EQ(scalar(QStringLiteral("Select sql from sqlite_master where name='%1'")
                             .arg(QLatin1String(table)))
                      .toString(),
                  stored(statement));
    }
    EXPECT_EQ(
        scalar(QStringLiteral("Select count(*) from sqlite_master where type='table'")).toInt(), 3);
    EXPECT_EQ(scalar(QStringLiteral("Select count(*) from VersionList")).toInt(), 1);
    EXPECT_EQ(scalar(QStringLiteral("Select Version from VersionList")).toString(),
              QStringLiteral("1.0"));
}

TEST_F(LauncherDatabaseTest, DefaultWindowRow) {
    makeDatabase();
    EXPECT_EQ(scalar(QStringLiteral("Select count(*) from LauncherWinList")).toInt(), 1);
    auto rs = GlobalModule::DBConnectMethod()->SQLSelect(
        QStringLiteral("Select * from LauncherWinList where LauncherWinUID=0"));
    ASSERT_NE(rs, nullptr);
    ASSERT_FALSE(rs->Eof());
    const auto integer = [&](const char* c) { return rs->Field(QLatin1String(c)).IntegerValue(); };
    EXPECT_EQ(rs->Field(QStringLiteral("LauncherWinName")).StringValue(), QStringLiteral("apple"));
    EXPECT_EQ(integer("Width"), 640);
    EXPECT_EQ(integer("Left"), 10);
    EXPECT_EQ(integer("Top"), 40);
    EXPECT_EQ(integer("IconSize"), 48);
    EXPECT_TRUE(rs->Field(QStringLiteral("ViewName")).BooleanValue());
    EXPECT_TRUE(rs->Field(QStringLiteral("ViewTitleMenu")).BooleanValue());
    EXPECT_TRUE(rs->Field(QStringLiteral("ViewBackPanel")).BooleanValue());
    EXPECT_EQ(integer("TitleTextSize"), 12);
    EXPECT_EQ(integer("TransparentValue"), 0);
    EXPECT_EQ(integer("WinColor"), 0);
    EXPECT_EQ(scalar(QStringLiteral("Select typeof(TransparentValue) from LauncherWinList")),
              QVariant(QStringLiteral("null")));
    // As a row the NULL is no transparency at all, unlike a stored 0.
    EXPECT_EQ(LauncherWinRow::Read(*rs).TransparentValue, std::nullopt);
    rs->Close();
    exec(QStringLiteral("Update LauncherWinList set TransparentValue=0"));
    rs =
        GlobalModule::DBConnectMethod()->SQLSelect(QStringLiteral("Select * from LauncherWinList"));
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(LauncherWinRow::Read(*rs).TransparentValue, std::optional<qint64>(0));
    EXPECT_TRUE(items().empty()); // no Applications folder
}

TEST_F(LauncherDatabaseTest, FirstRunTakesApplicationEntriesNumberedByPosition) {
    writeApp(QStringLiteral("-Mail.desktop"), QStringLiteral("Mail"), Qt::red);
    writeDesktopEntry(QStringLiteral(".Hidden.desktop"), plainEntry(QStringLiteral("Hidden")));
    // A subfolder's entries take its name into their ID: Utilities-calc.desktop.
    const QString calc = writeDesktopEntry(QStringLiteral("Utilities/calc.desktop"),
                                           plainEntry(QStringLiteral("Calculator")));
    const QString notes =
        writeDesktopEntry(QStringLiteral("notes.desktop"),
                          plainEntry(QStringLiteral("Notes"), QStringLiteral("Name[ko]=메모\n")));

    // ID order compares characters: '-' < '.' < 'U' < 'n'.
    makeDatabase();
    EXPECT_TRUE(desktop->messages.isEmpty()) << desktop->messages.join('|').toStdString();
    const auto got = items();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].uid, 0);
    EXPECT_EQ(got[0].seq, 0);
    EXPECT_EQ(got[0].name, QStringLiteral("Mail"));
    EXPECT_EQ(got[0].path, applicationsDir() + QStringLiteral("/-Mail.desktop"));
    EXPECT_EQ(got[1].uid, 2);
    EXPECT_EQ(got[1].seq, 2);
    EXPECT_EQ(got[1].path, calc);
    EXPECT_EQ(got[2].uid, 3);
    EXPECT_EQ(got[2].seq, 3);
    EXPECT_EQ(got[2].name, QStringLiteral("Notes"));
    EXPECT_EQ(got[2].path, notes);
}

TEST_F(LauncherDatabaseTest, SkippedEntriesStillCountInTheNumbering) {
    writeDesktopEntry(QStringLiteral(".desktop"), plainEntry(QStringLiteral("Dot")));
    writeDesktopEntry(QStringLiteral("BIG.DESKTOP"), plainEntry(QStringLiteral("Big")));
    writeDesktopEntry(QStringLiteral("Hidden.desktop"),
                      plainEntry(QStringLiteral("Hidden"), QStringLiteral("Hidden=true\n")));
    writeDesktopEntry(QStringLiteral("Link.desktop"),
                      QStringLiteral("[Desktop Entry]\nType=Link\nName=Link\n"
                                     "URL=https://example.org/\n"));
    writeDesktopEntry(QStringLiteral("NoDisplay.desktop"),
                      plainEntry(QStringLiteral("NoDisplay"), QStringLiteral("NoDisplay=true\n")));
    writeFile(applicationsDir() + QStringLiteral("/readme.txt"), "not an entry\n");
    writeDesktopEntry(QStringLiteral("zeta.desktop"), plainEntry(QStringLiteral("Zeta")));
    ASSERT_EQ(entryNames(),
              (QStringList{QStringLiteral(".desktop"), QStringLiteral("BIG.DESKTOP"),
                           QStringLiteral("Hidden.desktop"), QStringLiteral("Link.desktop"),
                           QStringLiteral("NoDisplay.desktop"), QStringLiteral("readme.txt"),
                           QStringLiteral("zeta.desktop")}));

    makeDatabase();
    const auto got = items();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].uid, 1);
    EXPECT_EQ(got[0].name, QStringLiteral("Big"));
    EXPECT_EQ(got[1].uid, 6);
    EXPECT_EQ(got[1].seq, 6);
    EXPECT_EQ(got[1].name, QStringLiteral("Zeta"));
}

TEST_F(LauncherDatabaseTest, AFirstRunInStepsWritesWhatOneAtOnceDoes) {
    // Many entries, some skipped, some with icons of their own, one whose icon no theme has.
    for (int i = 0; i < 150; ++i) {
        const QString name = QStringLiteral("app%1.desktop").arg(i, 3, 10, QChar('0'));
        if (i % 7 == 3)
            writeDesktopEntry(name, plainEntry(name, QStringLiteral("NoDisplay=true\n")));
        else if (i % 2)
            writeApp(name, QStringLiteral("App %1").arg(i), QColor::fromHsv(i * 2, 200, 200));
        else
            writeDesktopEntry(name, plainEntry(name, QStringLiteral("Icon=no-such-icon\n")));
    }
    const auto rows = [this] {
        QStringList out;
        for (const Item& item : items())
            out << QStringLiteral("%1 %2 %3 %4 %5 %6")
                       .arg(item.uid)
                       .arg(item.seq)
                       .arg(item.name, item.path, item.icon, item.mask);
        return out;
    };
    int done = 0;
    std::pair<int, int> progress;
    GlobalModule::MakeDBMethod([&done] { ++done; },
                               [&progress](int written, int total) {
                                   progress = {written, total};
                               });
    ASSERT_TRUE(waitUntil([] { return !GlobalModule::DatabaseBeingMade(); }));
    EXPECT_EQ(done, 1);
    EXPECT_EQ(progress, std::make_pair(150, 150));
    EXPECT_TRUE(desktop->messages.isEmpty());
    const QStringList inSteps = rows();
    ASSERT_EQ(inSteps.size(), 150 - 21);

    GlobalModule::ReleaseGlobals();
    ASSERT_TRUE(QFile::remove(GlobalModule::DatabaseFilePath()));
    makeDatabase();
    EXPECT_EQ(rows(), inSteps);
    // With the file there, nothing is made and `done` runs at once.
    GlobalModule::MakeDBMethod([&done] { ++done; });
    EXPECT_EQ(done, 2);
    EXPECT_FALSE(GlobalModule::DatabaseBeingMade());
}

TEST_F(LauncherDatabaseTest, FirstRunTakesOnlyTheEntriesTheMenusShowOnThisDesktop) {
    writeDesktopEntry(QStringLiteral("a-plain.desktop"), plainEntry(QStringLiteral("Plain")));
    writeDesktopEntry(
        QStringLiteral("b-gnome.desktop"),
        plainEntry(QStringLiteral("OnlyGnome"), QStringLiteral("OnlyShowIn=GNOME;\n")));
    writeDesktopEntry(QStringLiteral("c-notgnome.desktop"),
                      plainEntry(QStringLiteral("NotGnome"), QStringLiteral("NotShowIn=GNOME;\n")));
    writeDesktopEntry(
        QStringLiteral("d-xfce-lxde.desktop"),
        plainEntry(QStringLiteral("XfceLxde"), QStringLiteral("OnlyShowIn=XFCE;LXDE;\n")));
    // Named in both lists for different desktops: the first current desktop named decides.
    writeDesktopEntry(QStringLiteral("e-both.desktop"),
                      plainEntry(QStringLiteral("Both"),
                                 QStringLiteral("OnlyShowIn=ubuntu;\nNotShowIn=GNOME;\n")));
    struct Case {
        QStringList desktops; // XDG_CURRENT_DESKTOP, split at ':'
        QStringList names;
    };
    const Case cases[] = {
        {{}, {"Plain", "NotGnome"}},
        {{"GNOME"}, {"Plain", "OnlyGnome"}},
        {{"ubuntu", "GNOME"}, {"Plain", "OnlyGnome", "Both"}},
        {{"GNOME", "ubuntu"}, {"Plain", "OnlyGnome"}},
        {{"LXDE"}, {"Plain", "NotGnome", "XfceLxde"}},
        {{"KDE"}, {"Plain", "NotGnome"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.desktops.join(':').toStdString());
        GlobalModule::ReleaseGlobals();
        QFile::remove(GlobalModule::DatabaseFilePath());
        Environment env = Environment::current();
        env.CurrentDesktops = c.desktops;
        context->setEnvironment(env);
        makeDatabase();
        QStringList names;
        for (const Item& item : items())
            names << item.name;
        EXPECT_EQ(names, c.names);
    }
}

TEST(EnvironmentDesktopsTest, CurrentDesktopsComeFromXdgCurrentDesktop) {
    EnvGuard current("XDG_CURRENT_DESKTOP");
    qputenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
    EXPECT_EQ(Environment::FromProcess().CurrentDesktops, (QStringList{"ubuntu", "GNOME"}));
    qunsetenv("XDG_CURRENT_DESKTOP");
    EXPECT_TRUE(Environment::FromProcess().CurrentDesktops.isEmpty());
}

TEST_F(LauncherDatabaseTest, NameIsLocalisedAndPathUnchanged) {
    EnvGuard language("LANGUAGE");
    qputenv("LANGUAGE", "ko");
    // A path that a legacy encoding would have changed.
    const QString path =
        writeDesktopEntry(QStringLiteral("메모 ü.desktop"),
                          plainEntry(QStringLiteral("Notes"), QStringLiteral("Name[ko]=메모장\n")));

    makeDatabase();
    const auto got = items();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].name, QStringLiteral("메모장"));
    EXPECT_EQ(got[0].path, path);
    EXPECT_TRUE(QFile::exists(got[0].path));
}

TEST_F(LauncherDatabaseTest, StoredIconTextIsBase64JpegOf128Pixels) {
    writeApp(QStringLiteral("Mail.desktop"), QStringLiteral("Mail"), QColor(0, 0, 255));
    makeDatabase();
    const auto got = items();
    ASSERT_EQ(got.size(), 1u);
    for (const QString& text : {got[0].icon, got[0].mask}) {
        ASSERT_FALSE(text.isEmpty());
        const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r?\n")));
        ASSERT_GT(lines.size(), 1);
        for (int i = 0; i < lines.size(); ++i) {
            EXPECT_LE(lines[i].size(), 76);
            if (i + 1 < lines.size()) {
                EXPECT_EQ(lines[i].size(), 76);
            }
            EXPECT_TRUE(
                QRegularExpression(QStringLiteral("^[A-Za-z0-9+/=]*$")).match(lines[i]).hasMatch());
        }
    }
    const QImage icon = StringtoPictureMBS(DecodeBase64(got[0].icon), QStringLiteral("temp"),
                                           QStringLiteral("jpeg"));
    const QImage mask = StringtoPictureMBS(DecodeBase64(got[0].mask), QStringLiteral("temp"),
                                           QStringLiteral("jpeg"));
    ASSERT_EQ(icon.size(), QSize(128, 128));
    ASSERT_EQ(mask.size(), QSize(128, 128));
    // The solid blue icon, opaque all over (JPEG is lossy: near, not equal).
    const QRgb c = pixelAt(icon, 64, 64);
    EXPECT_LT(qRed(c), 40);
    EXPECT_LT(qGreen(c), 40);
    EXPECT_GT(qBlue(c), 215);
    EXPECT_LT(qGray(pixelAt(mask, 64, 64)), 40);
}

TEST_F(LauncherDatabaseTest, ExistingFileIsNeverTouched) {
    // A file that is not even a database: no tables, nothing to read.
    const QByteArray bytes = "not a database\n";
    writeFile(launcherDir() + QStringLiteral("/VondrelaskitDB.rdb"), bytes);
    writeApp(QStringLiteral("Mail.desktop"), QStringLiteral("Mail"));
    recordStatements();
    GlobalModule::MakeDBMethod();
    EXPECT_TRUE(desktop->messages.isEmpty());
    EXPECT_TRUE(m_statements->isEmpty()) << m_statements->join('|').toStdString();
    QFile f(launcherDir() + QStringLiteral("/VondrelaskitDB.rdb"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), bytes);
    EXPECT_EQ(GlobalModule::GlobalDB, nullptr);
}

TEST_F(LauncherDatabaseTest, SecondStartChangesNothing) {
    writeApp(QStringLiteral("Mail.desktop"), QStringLiteral("Mail"));
    makeDatabase();
    exec(QStringLiteral("Delete from LauncherList"));
    writeApp(QStringLiteral("Notes.desktop"), QStringLiteral("Notes"));
    GlobalModule::ReleaseGlobals();

    GlobalModule::MakeDBMethod();
    EXPECT_TRUE(desktop->messages.isEmpty());
    EXPECT_EQ(scalar(QStringLiteral("Select count(*) from LauncherList")).toInt(), 0);
    EXPECT_EQ(scalar(QStringLiteral("Select count(*) from LauncherWinList")).toInt(), 1);
    EXPECT_EQ(scalar(QStringLiteral("Select count(*) from VersionList")).toInt(), 1);
}

TEST_F(LauncherDatabaseTest, FailuresAreReportedExactly) {
    // A creation that fails leaves no file at all (the next start creates it again); only
    // a failed version row lets the creation go on to a complete file.
    struct Case {
        const char* failing; // start of the statement made to fail
        QStringList messages;
        bool fileLeft;
    };
    const Case cases[] = {
        {"CREATE DATABASE FILE", {QStringLiteral("create error!")}, false},
        {"CONNECT", {QStringLiteral("connect error!")}, false},
        {"Create Table VersionList",
         {QStringLiteral("Version Table Create Error~!  1  injected failure")},
         false},
        {"Insert Into VersionList",
         {QStringLiteral("Error Occurred when Version was Inserted~!1  injected failure")},
         true},
        {"Create Table LauncherWinList",
         {QStringLiteral("LauncherWinList Table Create Error~!  1  injected failure")},
         false},
        {"Create Table LauncherList",
         {QStringLiteral("LancherList Table Create Error~!  1  injected failure")},
         false},
        {"INSERT INTO \"LauncherWinList\"",
         {QStringLiteral("init Apple App Database Error~!")},
         false},
        {"COMMIT", {QStringLiteral("create error!")}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failing);
        GlobalModule::ReleaseGlobals();
        QDir(launcherDir()).removeRecursively();
        desktop->messages.clear();
        writeApp(QStringLiteral("Mail.desktop"), QStringLiteral("Mail"));

        const QString failing = QString::fromLatin1(c.failing);
        context->setDatabaseFailures(
            [failing](const QString& sql) { return sql.startsWith(failing); });
        GlobalModule::MakeDBMethod();
        context->setDatabaseFailures({});
        EXPECT_EQ(desktop->messages, c.messages);
        // Nothing of the file being built is left beside it.
        EXPECT_EQ(QDir(launcherDir()).entryList(QDir::Files),
                  c.fileLeft ? QStringList{QStringLiteral("VondrelaskitDB.rdb")} : QStringList{});
        if (!c.fileLeft) {
            // The next start creates the whole database.
            desktop->messages.clear();
            GlobalModule::MakeDBMethod();
            EXPECT_TRUE(desktop->messages.isEmpty());
        }
        GlobalModule::ReleaseGlobals();
        Database db;
        db.DatabaseFile = GlobalModule::DatabaseFilePath();
        ASSERT_TRUE(db.Connect());
        const auto count = [&](const char* table) {
            auto rs =
                db.SQLSelect(QStringLiteral("Select count(*) from %1").arg(QLatin1String(table)));
            return rs ? int(rs->IdxField(1).IntegerValue()) : -1;
        };
        EXPECT_EQ(count("VersionList"), c.fileLeft ? 0 : 1);
        EXPECT_EQ(count("LauncherWinList"), 1);
        EXPECT_EQ(count("LauncherList"), 1);
    }
}

TEST_F(LauncherDatabaseTest, UncreatableFileReportsCreateError) {
    // A plain file stands where the folder should be.
    writeFile(launcherDir(), "in the way");
    GlobalModule::MakeDBMethod();
    EXPECT_EQ(desktop->messages, QStringList{QStringLiteral("create error!")});
    EXPECT_EQ(GlobalModule::DBConnectMethod(), nullptr);
}

TEST_F(LauncherDatabaseTest, FailedItemInsertIsReportedAndTheLoopGoesOn) {
    writeApp(QStringLiteral("Mail.desktop"), QStringLiteral("Mail"));
    writeApp(QStringLiteral("Notes.desktop"), QStringLiteral("Notes"));
    auto inserts = std::make_shared<int>(0);
    context->setDatabaseFailures([inserts](const QString& sql) {
        return sql.startsWith(QLatin1String("INSERT INTO \"LauncherList\"")) && ++*inserts == 1;
    });
    GlobalModule::MakeDBMethod();
    context->setDatabaseFailures({});
    EXPECT_EQ(desktop->messages, QStringList{QStringLiteral("Mail.desktop add error~!")});
    const auto got = items();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].name, QStringLiteral("Notes"));
    EXPECT_EQ(got[0].uid, 1);
}

TEST_F(LauncherDatabaseTest, SharedConnectionIsKeptAndRetriedAfterAFailure) {
    const QString file = GlobalModule::DatabaseFilePath();
    // No file: no connection, and none is created by trying.
    EXPECT_EQ(GlobalModule::DBConnectMethod(), nullptr);
    EXPECT_FALSE(QFile::exists(file));

    GlobalModule::MakeDBMethod();
    GlobalModule::ReleaseGlobals();

    context->setDatabaseFailures(
        [](const QString& sql) { return sql == QLatin1String("CONNECT"); });
    EXPECT_EQ(GlobalModule::DBConnectMethod(), nullptr);
    EXPECT_EQ(GlobalModule::GlobalDB, nullptr);
    context->setDatabaseFailures({});

    Database* first = GlobalModule::DBConnectMethod();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->AutoCommit);
    EXPECT_EQ(GlobalModule::DBConnectMethod(), first);
    EXPECT_EQ(GlobalModule::GlobalDB.get(), first);
    EXPECT_TRUE(desktop->messages.isEmpty());
}

TEST_F(LauncherDatabaseTest, FirstRunMergesEveryApplicationsFolderOnePerId) {
    const QString user = scratch(QStringLiteral("home-data/applications"));
    const QString sys1 = scratch(QStringLiteral("sys1/applications"));
    const QString sys2 = scratch(QStringLiteral("sys2/applications"));
    Environment env = Environment::current();
    env.DataDirs = QStringList{scratch(QStringLiteral("sys1")), scratch(QStringLiteral("sys2"))};
    context->setEnvironment(env);
    const auto entry = [](const QString& path, const QString& name) {
        writeFile(path, plainEntry(name).toUtf8());
        return path;
    };
    const QString dup = entry(sys1 + QStringLiteral("/dup.desktop"), QStringLiteral("First"));
    entry(sys2 + QStringLiteral("/dup.desktop"), QStringLiteral("Second"));
    // kde/tool.desktop and kde-tool.desktop are the same ID.
    const QString tool = entry(sys1 + QStringLiteral("/kde/tool.desktop"), QStringLiteral("Tool"));
    entry(sys2 + QStringLiteral("/kde-tool.desktop"), QStringLiteral("Other Tool"));
    const QString mine = entry(user + QStringLiteral("/over.desktop"), QStringLiteral("Mine"));
    entry(sys2 + QStringLiteral("/over.desktop"), QStringLiteral("System"));
    const QString only = entry(sys2 + QStringLiteral("/zz.desktop"), QStringLiteral("Last"));

    makeDatabase();
    EXPECT_TRUE(desktop->messages.isEmpty()) << desktop->messages.join('|').toStdString();
    const auto got = items();
    ASSERT_EQ(got.size(), 4u);
    const struct {
        qint64 uid;
        QString name, path;
    } expected[] = {{0, QStringLiteral("First"), dup},
                    {1, QStringLiteral("Tool"), tool},
                    {2, QStringLiteral("Mine"), mine},
                    {3, QStringLiteral("Last"), only}};
    for (size_t k = 0; k < got.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(got[k].uid, expected[k].uid);
        EXPECT_EQ(got[k].seq, expected[k].uid);
        EXPECT_EQ(got[k].name, expected[k].name);
        EXPECT_EQ(got[k].path, expected[k].path);
    }

    // The open-file dialog starts in the first of these folders that exists.
    EXPECT_EQ(ApplicationsFolderMBS(0).AbsolutePath(), user);
    QDir(user).removeRecursively();
    EXPECT_EQ(ApplicationsFolderMBS(0).AbsolutePath(), sys1);
}

TEST_F(LauncherDatabaseTest, FirstRunSkipsAFifoAndKeepsANameThatIsNotUtf8) {
    writeDesktopEntry(QStringLiteral("a.desktop"), plainEntry(QStringLiteral("A")));
    const QByteArray dir = QFile::encodeName(applicationsDir());
    ASSERT_EQ(::mkfifo((dir + "/b-fifo.desktop").constData(), 0600), 0);
    // "café" in Latin-1: the byte 0xE9 alone is not UTF-8.
    const QByteArray latin1 = dir + "/caf\xe9.desktop";
    {
        const QByteArray text = plainEntry(QStringLiteral("Café")).toUtf8();
        const int fd = ::open(latin1.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, text.constData(), size_t(text.size())), text.size());
        ::close(fd);
    }

    makeDatabase(); // returns: nothing waits on the FIFO
    EXPECT_TRUE(desktop->messages.isEmpty()) << desktop->messages.join('|').toStdString();
    const auto got = items();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].name, QStringLiteral("A"));
    EXPECT_EQ(got[1].uid, 2); // the FIFO keeps its place in the numbering
    EXPECT_EQ(got[1].name, QStringLiteral("Café"));
    // The stored path names the very file, byte for byte.
    EXPECT_EQ(NativePath(got[1].path), latin1);
    EXPECT_TRUE(FolderItem(got[1].path).Exists());
    EXPECT_EQ(FolderItem(got[1].path).DisplayName(), QStringLiteral("Café"));
}

TEST_F(LauncherDatabaseTest, FirstRunBoundsNamesAndLeavesOutWhatGioCannotLaunch) {
    // A name of a megabyte: stored cut to a name's length, never whole.
    const QString huge = QStringLiteral("Huge ") + QString(1 << 20, QLatin1Char('x'));
    writeDesktopEntry(QStringLiteral("a-huge.desktop"), plainEntry(huge));
    // An Exec that is not UTF-8: GIO reads no Exec at all, so the entry could never start.
    {
        const QByteArray text = "[Desktop Entry]\nType=Application\nName=Bad\nExec=/bin/tr\xffue\n";
        writeFile(applicationsDir() + QStringLiteral("/b-bad-exec.desktop"), text);
    }
    writeDesktopEntry(QStringLiteral("c-dbus.desktop"),
                      QStringLiteral("[Desktop Entry]\nType=Application\nName=Bus\n"
                                     "DBusActivatable=true\n"));
    writeDesktopEntry(QStringLiteral("d-plain.desktop"), plainEntry(QStringLiteral("Plain")));

    makeDatabase();
    EXPECT_TRUE(desktop->messages.isEmpty()) << desktop->messages.join('|').toStdString();
    const auto got = items();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].name.size(), MaxNameLength);
    EXPECT_TRUE(huge.startsWith(got[0].name));
    EXPECT_EQ(got[1].name, QStringLiteral("Bus"));
    EXPECT_EQ(got[2].name, QStringLiteral("Plain"));
    EXPECT_EQ(got[2].uid, 3); // the left-out entry keeps its place in the numbering
    // Half a character is never kept.
    QString pairs;
    for (int i = 0; i < 200; ++i)
        pairs += QStringLiteral("\U0001F600"); // each one a pair of UTF-16 units
    EXPECT_EQ(BoundedName(pairs).size(), MaxNameLength - 1);
    EXPECT_FALSE(BoundedName(pairs).back().isHighSurrogate());
    EXPECT_EQ(BoundedName(QStringLiteral("Short")), QStringLiteral("Short"));
}

TEST_F(LauncherDatabaseTest, NativePathsRoundTrip) {
    for (const QByteArray& bytes :
         {QByteArray("/plain/ascii"), QByteArray("/utf8/caf\xc3\xa9/\xf0\x9f\x98\x80"),
          QByteArray("/latin1/caf\xe9"), QByteArray("/broken/\xc3"),
          QByteArray("/cesu/\xed\xa0\x80"), QByteArray("/escape-range/\xef\x9e\x80\xef\x9f\xbf"),
          QByteArray("/overlong/\xc0\xaf"), QByteArray("/mixed/\xff\xc3\xa9\xfe")}) {
        SCOPED_TRACE(bytes.toHex().toStdString());
        EXPECT_EQ(NativePath(PathFromNative(bytes)), bytes);
    }
    EXPECT_EQ(PathFromNative("/caf\xc3\xa9"), QStringLiteral("/café"));
}

} // namespace
