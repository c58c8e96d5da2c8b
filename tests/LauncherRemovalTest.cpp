#include "TestSupport.h"

#include "app/GlobalModule.h"
#include "launcher/LauncherWin.h"
#include "platform/Database.h"
#include "platform/Framework.h"

#include <QElapsedTimer>
#include <QFile>

class LauncherRemovalTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        win = loadWindowWithFiles({"one", "two", "two"});
        ASSERT_NE(win, nullptr);
        desktop->sounds.clear();
        desktop->pointer = QPoint(400, 300);
    }
    int rows() { return scalar(QStringLiteral("Select count(*) from LauncherList")).toInt(); }
    bool erased() const {
        for (const auto& [resource, volume] : desktop->sounds)
            if (resource.contains(QLatin1String("179")) && volume == 100)
                return true;
        return false;
    }
    LauncherWin* win = nullptr;
};

TEST_F(LauncherRemovalTest, RemovesOneRowWithSoundAndAnimationThenRecomposes) {
    const int firstUid = (*win->LauncherItemArr)[0]->AppUID;
    win->CurrSelAppIndex = 0;
    QElapsedTimer clock;
    clock.start();
    const qint64 t0 = Ticks();
    win->RemoveItemMethod();
    EXPECT_GE(Ticks() - t0, 25); // five frames of at least five ticks
    EXPECT_TRUE(erased());
    ASSERT_EQ(win->LauncherItemArr->size(), 2u);
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(
        scalar(QStringLiteral("Select count(*) from LauncherList where AppUID=%1").arg(firstUid))
            .toInt(),
        0);
    // Later items moved one cell back; the file on disk is untouched.
    EXPECT_EQ((*win->LauncherItemArr)[0]->Left, 11);
    EXPECT_TRUE(QFile::exists(scratch(QStringLiteral("one"))));
    // Two items of the same file are two rows: removing one leaves the other.
    win->CurrSelAppIndex = 1;
    win->RemoveItemMethod();
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(win->LauncherItemArr->front()->AppPath, scratch(QStringLiteral("two")));
}

TEST_F(LauncherRemovalTest, NothingHappensForAnEmptyCell) {
    for (int index : {-1, 3, 40}) {
        win->CurrSelAppIndex = index;
        win->RemoveItemMethod();
        win->RevealInFinderMethod();
    }
    EXPECT_EQ(rows(), 3);
    EXPECT_FALSE(erased());
    EXPECT_TRUE(desktop->launches.isEmpty());
}

TEST_F(LauncherRemovalTest, FailedDeleteKeepsTheItemWithAMessage) {
    Database::setFailureHook([](const QString& sql) {
        return sql.startsWith(QLatin1String("Delete From LauncherList"));
    });
    win->CurrSelAppIndex = 1;
    const qint64 t0 = Ticks();
    win->RemoveItemMethod();
    EXPECT_LT(Ticks() - t0, 20); // no animation
    EXPECT_EQ(desktop->messages, QStringList{QStringLiteral("Remove Item DB Error~!")});
    EXPECT_TRUE(erased());
    EXPECT_EQ(win->LauncherItemArr->size(), 3u);
    EXPECT_EQ(rows(), 3);
}

TEST_F(LauncherRemovalTest, RevealOpensTheContainingFolder) {
    win->CurrSelAppIndex = 0;
    win->RevealInFinderMethod();
    EXPECT_EQ(desktop->launches, QStringList{dir->path()});
    QFile::remove(scratch(QStringLiteral("one")));
    win->RevealInFinderMethod(); // gone: silently nothing
    EXPECT_EQ(desktop->launches.size(), 1);
    EXPECT_TRUE(desktop->messages.isEmpty());
}
