#include "LauncherTestSupport.h"
#include "TestSupport.h"

#include "app/LauncherLoader.h"
#include "launcher/LauncherLoad.h"
#include "launcher/LauncherWinArr.h"
#include "platform/Database.h"
#include "shared/GlobalModule.h"
#include "store/IconHelpers.h"
#include "store/LauncherDatabase.h"

#include <QBuffer>

class LauncherItemsTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        makeDatabase(); // window 0 "apple", no applications installed
    }
    void insertItem(int window, int uid, int seq, const QString& name, const QString& icon = {}) {
        DatabaseRecord rec;
        rec.IntegerColumn(QStringLiteral("LauncherWinUID"), window);
        rec.IntegerColumn(QStringLiteral("AppUID"), uid);
        rec.IntegerColumn(QStringLiteral("AppSEQ"), seq);
        rec.Column(QStringLiteral("AppName"), name);
        rec.Column(QStringLiteral("AppPath"), scratch(name));
        rec.Column(QStringLiteral("Icon"), icon);
        rec.Column(QStringLiteral("IconMask"), icon);
        Database* db = GlobalModule::DBConnectMethod();
        db->InsertRecord(QStringLiteral("LauncherList"), rec);
        ASSERT_FALSE(db->Error()) << db->ErrorMessage().toStdString();
    }
    // A 128-pixel red picture, stored as the first run stores icons.
    static QString redIconText() {
        QImage red(128, 128, QImage::Format_RGB32);
        red.fill(Qt::red);
        return GlobalModule::StoredIconText(red);
    }
    QString file(const QString& name) {
        const QString path = scratch(name);
        writeFile(path, "x");
        return path;
    }
};

TEST_F(LauncherItemsTest, LoadsInAscendingOrderWithNumbersAndPictures) {
    const QString text = redIconText();
    // Neither the names nor the item numbers sort like the sequence numbers.
    insertItem(0, 1, 5, QStringLiteral("Apple"), text);
    insertItem(0, 3, 1, QStringLiteral("Zebra"), text);
    insertItem(0, 2, 3, QStringLiteral("Mango"), QStringLiteral("not a picture"));
    insertItem(1, 4, 2, QStringLiteral("Other window"), text);
    LauncherWin* w = loadWindow(0);
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->LauncherItemArr->size(), 3u);
    const auto& items = *w->LauncherItemArr;
    EXPECT_EQ(items[0]->AppName, QStringLiteral("Zebra"));
    EXPECT_EQ(items[1]->AppName, QStringLiteral("Mango"));
    EXPECT_EQ(items[2]->AppName, QStringLiteral("Apple"));
    EXPECT_EQ(items[0]->AppUID, 3);
    EXPECT_EQ(items[0]->AppSEQ, 1);
    EXPECT_EQ(items[0]->Icon.size(), QSize(128, 128));
    EXPECT_TRUE(items[1]->Icon.isNull()); // did not decode: drawn as a placeholder
    // A file that is gone still loads; the click checks it.
    EXPECT_FALSE(items[0]->f.Exists());
    EXPECT_EQ(items[0]->f.AbsolutePath(), scratch(QStringLiteral("Zebra")));
}

TEST_F(LauncherItemsTest, LoaderGivesTheWindowItsRowsPlaceWidthAndTransparency) {
    // The default row (Left 10, Top 40, Width 640, no transparency) and rows of our own.
    exec(QStringLiteral(
        "Insert Into LauncherWinList(LauncherWinUID, LauncherWinName, Width, Left, Top, "
        "IconSize, ViewName, ViewTitleMenu, ViewBackPanel, TitleTextSize, TransparentValue, "
        "WinColor) Values (1, 'b', 100, 200, 300, 48, 1, 0, 1, 12, 50, 0), "
        "(2, 'c', 99999, 30, 60, 48, 1, 0, 1, 12, 20, 0), "
        "(3, 'd', 350, 5, 7, 48, 1, 0, 1, 12, 0, 0)"));
    for (int uid = 0; uid <= 3; ++uid)
        insertItem(uid, 10 + uid, 1, QStringLiteral("item%1").arg(uid));
    GlobalModule::LoadLauncherWinMethod();
    const struct {
        int uid;
        QPoint place;
        int width;
        double opacity;
    } cases[] = {
        {0, {10, 40}, 640, 1.0},   // a NULL transparency reads as 0
        {1, {200, 300}, 140, 0.5}, // narrower than two cells: two cells
        {2, {30, 60}, 140, 0.8},   // wider than the screen: two cells
        {3, {5, 7}, 350, 1.0},
    };
    ASSERT_EQ(GlobalModule::LauncherWinArr.size(), 4u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.uid);
        const LauncherWin* w = GlobalModule::LauncherWinArr[size_t(c.uid)].get();
        EXPECT_EQ(w->LauncherWinUID, c.uid);
        EXPECT_EQ(w->pos(), c.place);
        EXPECT_EQ(w->width(), c.width);
        EXPECT_NEAR(w->windowOpacity(), c.opacity, 0.01);
    }
}

TEST_F(LauncherItemsTest, EmptyWindowShowsItsBandAndPanelWhateverItsFlags) {
    exec(QStringLiteral("Update LauncherWinList set ViewTitleMenu=0, ViewBackPanel=0"));
    LauncherWin* w = loadWindow(0);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->ViewTitleMenu);
    EXPECT_TRUE(w->ViewBackPanel);
    EXPECT_EQ(scalar(QStringLiteral("Select ViewTitleMenu from LauncherWinList")).toInt(), 0);
    EXPECT_EQ(w->Height(), 70 + 25);
}

TEST_F(LauncherItemsTest, TheLoadingGoesFromPlainSettingsToPlainResultsWithoutAWindow) {
    const QString text = redIconText();
    insertItem(0, 1, 2, QStringLiteral("Second"), text);
    insertItem(0, 2, 1, QStringLiteral("First"), text);
    LauncherComposition::Input compose;
    compose.width = 328;
    compose.viewTitleMenu = false;
    compose.viewBackPanel = false;
    compose.name = QStringLiteral("apple");
    // Several windows, so that each is read on a connection of its own; window 7 has no rows.
    const std::vector<LauncherLoad::Settings> settings{{0, compose}, {7, compose}};
    const auto results = LauncherLoad::Load(settings, *GlobalModule::DBConnectMethod());
    ASSERT_EQ(results.size(), 2u);
    const LauncherLoad::Result& full = results[0];
    ASSERT_TRUE(full.ok);
    ASSERT_EQ(full.items.size(), 2u);
    EXPECT_EQ(full.items[0]->AppName, QStringLiteral("First"));
    EXPECT_EQ(full.items[1]->AppName, QStringLiteral("Second"));
    for (const auto& item : full.items)
        EXPECT_TRUE(full.fitted.count(item.get()) == 1 && full.fitted.at(item.get()).ok);
    EXPECT_FALSE(full.out.pic.isNull());
    EXPECT_EQ(full.out.itemPositions.size(), 2u);
    EXPECT_FALSE(full.out.titleLaidOut);
    // The empty one is composed with its title band, as its window will show it.
    ASSERT_TRUE(results[1].ok);
    EXPECT_TRUE(results[1].items.empty());
    EXPECT_TRUE(results[1].out.titleLaidOut);
    EXPECT_TRUE(GlobalModule::LauncherWinArr.empty());

    // Rows that cannot be read give the engine's message, and no items.
    exec(QStringLiteral("Alter Table LauncherList Rename To Gone"));
    const auto failed = LauncherLoad::Load({{0, compose}}, *GlobalModule::DBConnectMethod());
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_FALSE(failed[0].ok);
    EXPECT_TRUE(failed[0].error.contains(QLatin1String("no such table")))
        << failed[0].error.toStdString();
}

TEST_F(LauncherItemsTest, NumbersCountOverTheWholeTable) {
    LauncherWin* w = loadWindow(0);
    ASSERT_NE(w, nullptr);
    w->DropAppMethod(FolderItem(file(QStringLiteral("a.txt"))));
    EXPECT_EQ(scalar(QStringLiteral("Select AppUID from LauncherList")).toInt(), 1);
    EXPECT_EQ(scalar(QStringLiteral("Select AppSEQ from LauncherList")).toInt(), 1);
    insertItem(1, 57, 57, QStringLiteral("B's item"));
    w->DropAppMethod(FolderItem(file(QStringLiteral("b.txt"))));
    const auto& last = w->LauncherItemArr->back();
    EXPECT_EQ(last->AppUID, 58);
    EXPECT_EQ(last->AppSEQ, 58);
    EXPECT_EQ(scalar(QStringLiteral(
                         "Select count(*) from LauncherList where LauncherWinUID=0 and AppUID=58"))
                  .toInt(),
              1);
}

TEST_F(LauncherItemsTest, DroppedPathIsStoredExactlyWithItsIcon) {
    LauncherWin* w = loadWindow(0);
    const QString path = file(QStringLiteral("My File #1 'quoted' 한글.txt"));
    w->DropAppMethod(FolderItem(path));
    ASSERT_EQ(w->LauncherItemArr->size(), 1u);
    const auto& item = w->LauncherItemArr->front();
    EXPECT_EQ(item->AppPath, path);
    EXPECT_EQ(item->NewOldValue, QStringLiteral("old"));
    EXPECT_FALSE(item->Icon.isNull());
    EXPECT_EQ(scalar(QStringLiteral("Select AppPath from LauncherList")).toString(), path);
    EXPECT_EQ(scalar(QStringLiteral("Select AppName from LauncherList")).toString(),
              QStringLiteral("My File #1 'quoted' 한글.txt"));
    const QImage stored = GlobalModule::PictureFromStoredIconText(
        scalar(QStringLiteral("Select Icon from LauncherList")).toString());
    EXPECT_EQ(stored.size(), QSize(128, 128));
    // The same file again is a second item.
    w->DropAppMethod(FolderItem(path));
    EXPECT_EQ(w->LauncherItemArr->size(), 2u);
    EXPECT_TRUE(desktop->messages.isEmpty());
}

TEST_F(LauncherItemsTest, DropFailuresAreSilentExceptTheInsert) {
    LauncherWin* w = loadWindow(0);
    w->DropAppMethod(FolderItem(scratch(QStringLiteral("missing.txt"))));
    EXPECT_TRUE(w->LauncherItemArr->empty());
    context->setDatabaseFailures(
        [](const QString& sql) { return sql.startsWith(QLatin1String("Select MAX(AppSEQ)")); });
    w->DropAppMethod(FolderItem(file(QStringLiteral("a.txt"))));
    EXPECT_TRUE(w->LauncherItemArr->empty());
    EXPECT_TRUE(desktop->messages.isEmpty());
    context->setDatabaseFailures(
        [](const QString& sql) { return sql.startsWith(QLatin1String("INSERT")); });
    w->DropAppMethod(FolderItem(file(QStringLiteral("b.txt"))));
    EXPECT_EQ(desktop->messages, QStringList{QStringLiteral("b.txt add error~!")});
    // The window holds only what is stored.
    EXPECT_TRUE(w->LauncherItemArr->empty());
}

TEST_F(LauncherItemsTest, AFailedInsertCostsNoLaterItemItsRow) {
    LauncherWin* w = loadWindow(0);
    // Another program holds the write lock for the first drop only.
    context->setDatabaseFailures([](const QString& sql) {
        return sql.startsWith(QLatin1String("INSERT")) ? 5 /* SQLITE_BUSY */ : 0;
    });
    w->DropAppMethod(FolderItem(file(QStringLiteral("refused.txt"))));
    context->setDatabaseFailures({});
    EXPECT_EQ(desktop->messages, QStringList{QStringLiteral("refused.txt add error~!")});
    w->DropAppMethod(FolderItem(file(QStringLiteral("kept.txt"))));
    w->DropAppMethod(FolderItem(file(QStringLiteral("other.txt"))));
    ASSERT_EQ(w->LauncherItemArr->size(), 2u);
    EXPECT_EQ((*w->LauncherItemArr)[0]->AppName, QStringLiteral("kept.txt"));
    const qint64 keptUid = (*w->LauncherItemArr)[0]->AppUID;
    EXPECT_NE(keptUid, (*w->LauncherItemArr)[1]->AppUID);
    // Removing the first item deletes its own row and no other.
    w->CurrSelAppIndex = 0;
    w->RemoveItemMethod();
    EXPECT_EQ(scalar(QStringLiteral("Select count(*) from LauncherList")).toInt(), 1);
    EXPECT_EQ(scalar(QStringLiteral("Select AppName from LauncherList")).toString(),
              QStringLiteral("other.txt"));
    EXPECT_EQ(
        scalar(QStringLiteral("Select count(*) from LauncherList where AppUID=%1").arg(keptUid))
            .toInt(),
        0);
    ASSERT_EQ(w->LauncherItemArr->size(), 1u);
    EXPECT_EQ(w->LauncherItemArr->front()->AppName, QStringLiteral("other.txt"));
    EXPECT_EQ(scalar(QStringLiteral("Select AppUID from LauncherList")).toLongLong(),
              w->LauncherItemArr->front()->AppUID);
}

TEST_F(LauncherItemsTest, AStoredPictureFarBeyondAnIconIsABrokenIcon) {
    // A 30000 x 30000 picture's header (another tool's, or a damaged row): never decoded.
    QBuffer encoded;
    encoded.open(QIODevice::WriteOnly);
    QImage small(16, 16, QImage::Format_RGB32);
    small.fill(Qt::red);
    small.save(&encoded, "jpeg");
    QByteArray bytes = encoded.data();
    const qsizetype sof = bytes.indexOf(QByteArray("\xff\xc0", 2));
    ASSERT_GT(sof, 0);
    bytes.replace(sof + 5, 4, QByteArray("\x75\x30\x75\x30", 4));
    const QString text = QString::fromLatin1(bytes.toBase64());
    insertItem(0, 1, 1, QStringLiteral("Huge"), text);
    insertItem(0, 2, 2, QStringLiteral("Plain"), GlobalModule::StoredIconText(small));
    LauncherWin* w = loadWindow(0);
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->LauncherItemArr->size(), 2u);
    EXPECT_TRUE((*w->LauncherItemArr)[0]->Icon.isNull());
    EXPECT_FALSE(w->pic.isNull());
    EXPECT_TRUE(desktop->messages.isEmpty());
}
