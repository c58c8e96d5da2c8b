#include "store/LauncherDatabase.h"

#include "app/GlobalModule.h"
#include "platform/Applications.h"
#include "platform/Database.h"
#include "platform/DesktopEntry.h"
#include "platform/FolderItem.h"
#include "platform/Framework.h"
#include "platform/Plugin.h"
#include "store/IconHelpers.h"

#include <QDir>
#include <QFileInfo>

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
} // namespace

void MakeDBMethod() {
    const FolderItem folder(LauncherFolderPath());
    if (!folder.Exists())
        folder.CreateAsFolder();
    const FolderItem file = folder.Child(QStringLiteral("VondrelaskitDB.rdb"));
    if (file.Exists())
        return;

    Database db;
    db.DatabaseFile = file.AbsolutePath();
    if (!db.CreateDatabaseFile()) {
        MsgBox(QStringLiteral("create error!"));
        return;
    }
    if (!db.Connect()) {
        MsgBox(QStringLiteral("connect error!"));
        return;
    }
    db.SQLExecute(
        QStringLiteral("Create Table VersionList(Version varchar not null, Primary key(Version))"));
    if (db.Error()) {
        MsgBox(QStringLiteral("Version Table Create Error~!  ") + codeAndMessage(db));
        return;
    }
    db.Commit();
    db.SQLExecute(QStringLiteral("Insert Into VersionList(Version) Values ('1.0')"));
    if (db.Error())
        MsgBox(QStringLiteral("Error Occurred when Version was Inserted~!") + codeAndMessage(db));
    db.Commit();
    db.SQLExecute(QStringLiteral(
        "Create Table LauncherWinList(LauncherWinUID Integer not null, LauncherWinName varchar "
        "not null, Width Integer, Left Integer, Top Integer, IconSize Integer, ViewName Boolean, "
        "ViewTitleMenu Boolean, ViewBackPanel Boolean, TitleTextSize Integer, TransparentValue "
        "Integer, WinColor Integer not null, Primary Key(LauncherWinUID))"));
    if (db.Error()) {
        MsgBox(QStringLiteral("LauncherWinList Table Create Error~!  ") + codeAndMessage(db));
        return;
    }
    db.Commit();
    db.SQLExecute(QStringLiteral(
        "Create Table LauncherList(LauncherWinUID Varchar not null, AppUID integer not null, "
        "AppSEQ integer not null, AppName Varchar, AppPath String, Icon Text, IconMask Text, "
        "Primary Key(LauncherWinUID, AppUID))"));
    if (db.Error()) {
        MsgBox(QStringLiteral("LancherList Table Create Error~!  ") + codeAndMessage(db));
        return;
    }
    db.Commit();
    InitDefaultLoadAppleAppMethod();
}

Database* DBConnectMethod() {
    if (GlobalDB)
        return GlobalDB.get();
    auto db = std::make_unique<Database>();
    db->DatabaseFile = DatabaseFilePath();
    if (!db->Connect())
        return nullptr;
    db->AutoCommit = true;
    db->Decrypt();
    GlobalDB = std::move(db);
    return GlobalDB.get();
}

void InitDefaultLoadAppleAppMethod() {
    Database* db = DBConnectMethod();
    if (!db)
        return;
    DatabaseRecord rec;
    rec.IntegerColumn(QStringLiteral("LauncherWinUID"), 0);
    rec.Column(QStringLiteral("LauncherWinName"), QStringLiteral("apple"));
    rec.IntegerColumn(QStringLiteral("Width"), 640);
    rec.IntegerColumn(QStringLiteral("Left"), 10);
    rec.IntegerColumn(QStringLiteral("Top"), 40);
    rec.IntegerColumn(QStringLiteral("IconSize"), 48);
    rec.BooleanColumn(QStringLiteral("ViewName"), true);
    rec.BooleanColumn(QStringLiteral("ViewTitleMenu"), true);
    rec.BooleanColumn(QStringLiteral("ViewBackPanel"), true);
    rec.IntegerColumn(QStringLiteral("TitleTextSize"), 12);
    rec.IntegerColumn(QStringLiteral("WinColor"), Color2IntegerMBS(QColor(0, 0, 0)));
    db->InsertRecord(QStringLiteral("LauncherWinList"), rec);
    if (db->Error()) {
        MsgBox(QStringLiteral("init Apple App Database Error~!"));
        return;
    }
    db->Commit();
    InitLoadAppleAppMethod(*db);
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
    return e.loaded && !e.noDisplay && !e.hidden;
}
} // namespace

void InitLoadAppleAppMethod(Database& db) {
    // Every applications folder merged, one entry per desktop-file ID, in ID order.
    const std::vector<FolderItem> entries = ApplicationEntries();
    for (size_t k = 0; k < entries.size(); ++k) {
        const qint64 i = qint64(k) + 1; // numbers count every entry, skipped ones too
        const FolderItem& entry = entries[k];
        if (!isShownApplication(entry))
            continue;
        DatabaseRecord rec;
        rec.IntegerColumn(QStringLiteral("LauncherWinUID"), 0);
        rec.IntegerColumn(QStringLiteral("AppUID"), i - 1);
        rec.IntegerColumn(QStringLiteral("AppSEQ"), i - 1);
        rec.Column(QStringLiteral("AppName"), entry.DisplayName());
        // Paths stay exactly as the file system gives them.
        rec.Column(QStringLiteral("AppPath"), entry.AbsolutePath());
        rec.Column(QStringLiteral("Icon"),
                   StoredIconText(GetIconImageMethod(entry, 128, QStringLiteral("icon"))));
        rec.Column(QStringLiteral("IconMask"),
                   StoredIconText(GetIconImageMethod(entry, 128, QStringLiteral("mask"))));
        db.InsertRecord(QStringLiteral("LauncherList"), rec);
        if (db.Error())
            MsgBox(entry.Name() + QStringLiteral(" add error~!"));
    }
}

qint32 NextFreeNumber(Database& db, const QString& maxQuery) {
    auto rs = db.SQLSelect(maxQuery);
    if (!rs)
        return -1;
    qint64 m = 0;
    while (!rs->Eof()) {
        m = rs->IdxField(1).IntegerValue();
        rs->MoveNext();
    }
    return qint32(m + 1);
}

} // namespace GlobalModule
