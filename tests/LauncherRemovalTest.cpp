#include "TestSupport.h"

#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"
#include "launcher/RemovalAnimation.h"
#include "platform/AlphaShape.h"
#include "platform/Database.h"
#include "platform/Framework.h"
#include "platform/OverlayWindow.h"
#include "platform/PictureCodecs.h"
#include "platform/Pixels.h"
#include "platform/WindowSystem.h"
#include "shared/AppMedia.h"
#include "shared/GlobalModule.h"

#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QTest>

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
    static QWidget* overlayWindow() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (dynamic_cast<OverlayWindowMBS*>(w) && w->isVisible())
                return w;
        return nullptr;
    }
    LauncherWin* win = nullptr;
};

TEST_F(LauncherRemovalTest, RemovesOneRowWithSoundAndAnimationThenRecomposes) {
    const int firstUid = (*win->LauncherItemArr)[0]->AppUID;
    win->CurrSelAppIndex = 0;
    win->RemoveItemMethod();
    // The action returns before the animation moves on: the row, the sound and the item are
    // gone, while the window still shows the removed icon and the overlay its first frame.
    EXPECT_TRUE(erased());
    ASSERT_EQ(win->LauncherItemArr->size(), 2u);
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(
        scalar(QStringLiteral("Select count(*) from LauncherList where AppUID=%1").arg(firstUid))
            .toInt(),
        0);
    EXPECT_EQ((*win->LauncherItemArr)[0]->Left, 81);
    ASSERT_TRUE(win->RemovalPlaying());
    auto* animation = win->findChild<RemovalAnimation*>();
    ASSERT_NE(animation, nullptr);
    EXPECT_EQ(animation->frame(), 0);
    const QWidget* overlay = overlayWindow();
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(overlay->geometry(), QRect(400 - 128, 300 - 128, 128, 128));
    // Then, in this order: frames 1 to 4, each while the window still shows the removed icon,
    // then the overlay goes and the window is composed without it.
    QStringList events;
    QObject::connect(animation, &RemovalAnimation::frameShown, [&](int frame) {
        events << QStringLiteral("frame %1 at %2").arg(frame).arg((*win->LauncherItemArr)[0]->Left);
    });
    for (const auto change : {&AppListModel::rowsRemoved, &AppListModel::rowsInserted})
        QObject::connect(win->LauncherItemArr, change, [&] { events << QStringLiteral("items"); });
    QObject::connect(win->LauncherItemArr, &AppListModel::modelReset,
                     [&] { events << QStringLiteral("items"); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !win->RemovalPlaying(); }, 10000));
    events << QStringLiteral("done at %1").arg((*win->LauncherItemArr)[0]->Left);
    EXPECT_EQ(events, QStringList({"frame 1 at 81", "frame 2 at 81", "frame 3 at 81",
                                   "frame 4 at 81", "done at 11"}));
    // Later items moved one cell back; the file on disk is untouched.
    EXPECT_EQ((*win->LauncherItemArr)[0]->Left, 11);
    EXPECT_TRUE(QFile::exists(scratch(QStringLiteral("one"))));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(overlayWindow(), nullptr);
    // Two items of the same file are two rows: removing one leaves the other.
    win->CurrSelAppIndex = 1;
    win->RemoveItemMethod();
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(win->LauncherItemArr->front()->AppPath, scratch(QStringLiteral("two")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !win->RemovalPlaying(); }, 10000));
}

TEST_F(LauncherRemovalTest, RemoveItemChosenInTheRealMenu) {
    // A person right-clicks the second item and clicks "Remove Item" in the menu that opens.
    win->show();
    const AppListClass& second = *(*win->LauncherItemArr)[1];
    QTest::mouseClick(win, Qt::RightButton, {}, QPoint(second.Left + 24, second.Top + 24));
    QMenu* menu = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        return menu != nullptr;
    }));
    QAction* remove = nullptr;
    for (QAction* a : menu->actions())
        if (a->text() == QLatin1String("Remove Item"))
            remove = a;
    ASSERT_NE(remove, nullptr);
    QPointer<QMenu> open = menu;
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(remove).center());
    // Nothing of the action runs inside the menu's own handling of the click.
    EXPECT_FALSE(erased());
    ASSERT_TRUE(QTest::qWaitFor([&] { return erased() && !win->RemovalPlaying(); }, 3000));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(open.isNull());
    EXPECT_EQ(rows(), 2);
    ASSERT_EQ(win->LauncherItemArr->size(), 2u);
    EXPECT_EQ(win->LauncherItemArr->at(0)->AppPath, scratch(QStringLiteral("one")));
    EXPECT_EQ(win->LauncherItemArr->at(1)->AppPath, scratch(QStringLiteral("two")));
    EXPECT_EQ(win->LauncherItemArr->at(1)->Left, 81);
}

TEST_F(LauncherRemovalTest, DeletingTheWindowDuringTheAnimationEndsIt) {
    win->CurrSelAppIndex = 0;
    win->RemoveItemMethod();
    ASSERT_TRUE(win->RemovalPlaying());
    QPointer<QWidget> overlay = overlayWindow();
    ASSERT_FALSE(overlay.isNull());
    GlobalModule::LauncherWinArr.clear();
    win = nullptr;
    QTest::qWait(150);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(overlay.isNull());
    EXPECT_EQ(rows(), 2);
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
    context->setDatabaseFailures([](const QString& sql) {
        return sql.startsWith(QLatin1String("Delete From LauncherList"));
    });
    win->CurrSelAppIndex = 1;
    win->RemoveItemMethod();
    EXPECT_FALSE(win->RemovalPlaying()); // no animation
    EXPECT_EQ(overlayWindow(), nullptr);
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

// At any device ratio (the suite runs once more at a scale factor of 2) the overlay's frame is
// drawn at device pixels and fills the whole 128 x 128 window, as at ratio 1.
TEST_F(LauncherRemovalTest, TheOverlayIsDrawnAtTheDeviceRatio) {
    windowSystem->compositing = false;
    QObject owner;
    RemovalAnimation* animation = RemovalAnimation::start(&owner, 100, 100, {});
    ASSERT_NE(animation, nullptr);
    const OverlayWindowMBS* overlay = animation->overlay();
    ASSERT_NE(overlay, nullptr);
    const qreal dpr = overlay->devicePixelRatioF();
    const QImage& frame = overlay->shownImage();
    EXPECT_EQ(frame.devicePixelRatio(), dpr);
    EXPECT_EQ(frame.size(), QSize(qRound(128 * dpr), qRound(128 * dpr)));
    EXPECT_EQ(frame.deviceIndependentSize().toSize(), QSize(128, 128));
    // The puff reaches as far, in window units, as the strip's first frame does.
    const PNGPictureMBS strip = OpenAsPNGMBS(AppMedia::PoofStripPath());
    ASSERT_FALSE(strip.isNull());
    QImage first =
        CGCreateImageMBS(strip.Pict.copy(0, 0, 128, 128), strip.Mask.copy(0, 0, 128, 128));
    const QRect expected = AlphaRegion(first).boundingRect();
    ASSERT_FALSE(expected.isEmpty());
    const QRect drawn = AlphaRegion(frame).boundingRect();
    EXPECT_LE(qAbs(drawn.left() - expected.left()), 1);
    EXPECT_LE(qAbs(drawn.right() - expected.right()), 1);
    EXPECT_LE(qAbs(drawn.bottom() - expected.bottom()), 1);
    // Without a compositor the window's shape is that puff, not the window's square.
    EXPECT_LE(qAbs(overlay->mask().boundingRect().width() - expected.width()), 2);
}
