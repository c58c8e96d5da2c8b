#include "LauncherTestSupport.h"
#include "TestSupport.h"

#include "platform/Database.h"
#include "platform/Framework.h"
#include "platform/WindowSystem.h"
#include "shared/GlobalModule.h"
#include "store/PrefClass.h"

#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QTest>
#include <QWindow>

class LauncherActionsTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        QStringList names;
        for (int i = 0; i < 8; ++i)
            names << QStringLiteral("item%1").arg(i);
        win = loadWindowWithFiles(names);
        ASSERT_NE(win, nullptr);
        win->setWidth(328); // rows of 4
        win->MakeAppImageMethod();
    }
    int column(const char* name) {
        return scalar(QStringLiteral("Select %1 from LauncherWinList").arg(QLatin1String(name)))
            .toInt();
    }
    LauncherWin* win = nullptr;
};

TEST_F(LauncherActionsTest, ViewTogglesPersistAndRecompose) {
    const int height = win->Height();
    win->UPdateViewInfoMethod(QStringLiteral("ViewTitleMenu"), false);
    EXPECT_FALSE(win->ViewTitleMenu);
    EXPECT_EQ(column("ViewTitleMenu"), 0);
    EXPECT_EQ(win->Height(), height - 25);
    win->UPdateViewInfoMethod(QStringLiteral("ViewName"), false);
    EXPECT_EQ(column("ViewName"), 0);
    EXPECT_EQ(win->SpaceForIconSizeValue, 50);
    win->UPdateViewInfoMethod(QStringLiteral("ViewBackPanel"), false);
    EXPECT_EQ(column("ViewBackPanel"), 0);
    win->UPdateViewInfoMethod(QStringLiteral("ViewTitleMenu"), true);
    EXPECT_EQ(column("ViewTitleMenu"), 1);
    win->UPdateViewInfoMethod(QStringLiteral("Nonsense"), false);
    EXPECT_TRUE(win->ViewTitleMenu);
}

TEST_F(LauncherActionsTest, PlusAndMinusStepOneColumn) {
    ASSERT_EQ(win->LimitWidthCount, 4);
    win->ResizePlusMinusWinMethod(QStringLiteral("plus"));
    EXPECT_EQ(win->Width(), 350);
    EXPECT_EQ(win->LimitWidthCount, 5);
    win->ResizePlusMinusWinMethod(QStringLiteral("minus"));
    win->ResizePlusMinusWinMethod(QStringLiteral("minus"));
    EXPECT_EQ(win->Width(), 210);
    EXPECT_EQ(column("Width"), 210); // reached the row through the resize
    // One column: minus would give 0; the band's icons stay inside the window.
    win->setWidth(70);
    win->MakeAppImageMethod();
    win->ResizePlusMinusWinMethod(QStringLiteral("minus"));
    EXPECT_EQ(win->Width(), win->PrefIconXValue + 65);
    // Never as wide as the screen: one step back.
    const int screen = MainScreenWidth();
    win->setWidth((screen / 70) * 70);
    win->MakeAppImageMethod();
    win->ResizePlusMinusWinMethod(QStringLiteral("plus"));
    EXPECT_LT(win->Width(), screen);
}

TEST_F(LauncherActionsTest, MovesAndResizesWriteTheRow) {
    win->move(123, 234);
    win->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(column("Left"), 123);
    EXPECT_EQ(column("Top"), 234);
    EXPECT_EQ(column("Width"), win->Width());
}

TEST_F(LauncherActionsTest, OwnHideAndShowKeepThePlaceAgainstALateReport) {
    win->show();
    win->move(110, 140);
    QCoreApplication::processEvents();
    const auto stored = [this] {
        return scalar(QStringLiteral("Select Left || ',' || Top from LauncherWinList where "
                                     "LauncherWinUID=0"))
            .toString();
    };
    ASSERT_EQ(stored(), QStringLiteral("110,140"));
    for (const char* step : {"plus", "minus"}) {
        SCOPED_TRACE(step);
        win->ResizePlusMinusWinMethod(QString::fromLatin1(step));
        QCoreApplication::processEvents();
        // The window manager's notification after the re-mapping reports the corner.
        win->windowHandle()->setPosition(0, 0);
        QCoreApplication::processEvents();
        EXPECT_EQ(win->pos(), QPoint(110, 140));
        EXPECT_EQ(stored(), QStringLiteral("110,140"));
    }
    // A move the window system reports later while a button is held is a real one (a
    // person's Alt+drag): stored.
    windowSystem->buttonHeld = true;
    win->windowHandle()->setPosition(300, 200);
    QCoreApplication::processEvents();
    windowSystem->buttonHeld = false;
    EXPECT_EQ(win->pos(), QPoint(300, 200));
    EXPECT_EQ(stored(), QStringLiteral("300,200"));
}

TEST_F(LauncherActionsTest, ReportsBeforeTheWindowManagerMapsAShowKeepTheGivenGeometry) {
    const auto stored = [this] {
        return scalar(QStringLiteral("Select Left || ',' || Top || ',' || Width from "
                                     "LauncherWinList where LauncherWinUID=0"))
            .toString();
    };
    // As at a start: the stored place is set on the hidden window, whose native window the
    // server still has where it was made.
    win->move(110, 140);
    const QRect given = win->geometry();
    windowSystem->server = WindowOnServer{QRect(0, 0, 328, 64), false};
    win->show();
    QCoreApplication::processEvents();
    ASSERT_EQ(win->geometry(), given);
    ASSERT_EQ(stored(), QStringLiteral("110,140,328"));
    // Before the window manager has mapped the window, reports carry what the server had before
    // the Show (the raise's answer; also after our own Hide-compose-Show): the window keeps
    // what it was given, composed at its own width, and nothing else is stored.
    for (const QRect& reported :
         {QRect(0, 0, 328, 64), QRect(0, 0, 210, 64), QRect(5, 7, 328, 95)}) {
        SCOPED_TRACE(reported.x() * 1000 + reported.width());
        win->windowHandle()->setGeometry(reported);
        QCoreApplication::processEvents();
        EXPECT_EQ(win->geometry(), given);
        EXPECT_EQ(win->LimitWidthCount, 4);
        EXPECT_EQ(stored(), QStringLiteral("110,140,328"));
    }
    // Mapped, the server's answer holds: a person's move with the window manager (a button
    // held) is stored...
    windowSystem->server = WindowOnServer{QRect(300, 200, given.width(), given.height()), true};
    windowSystem->buttonHeld = true;
    win->windowHandle()->setPosition(300, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(win->pos(), QPoint(300, 200));
    EXPECT_EQ(stored(), QStringLiteral("300,200,328"));
    // ...and a late report the server contradicts is not taken.
    win->windowHandle()->setGeometry(0, 0, 210, 64);
    QCoreApplication::processEvents();
    EXPECT_EQ(win->geometry(), QRect(300, 200, given.width(), given.height()));
    EXPECT_EQ(stored(), QStringLiteral("300,200,328"));
}

TEST_F(LauncherActionsTest, APlaceIsStoredOnlyWhenThePersonMovesTheWindow) {
    struct Restore {
        ~Restore() { AppContext::current()->setDatabaseFailures({}); }
    } restore;
    const auto stored = [this] {
        return scalar(QStringLiteral("Select Left || ',' || Top || ',' || Width from "
                                     "LauncherWinList where LauncherWinUID=0"))
            .toString();
    };
    // Stored beyond today's screens (a monitor unplugged): shown on a screen, the row keeps
    // its place.
    exec(QStringLiteral("Update LauncherWinList set Left=5000, Top=4000, Width=328"));
    win = loadWindow(0);
    ASSERT_NE(win, nullptr);
    const QPoint shownAt = win->pos();
    bool onAScreen = false;
    for (const QRect& screen : ScreenRects())
        onAScreen = onAScreen || screen.contains(QRect(shownAt, QSize(32, 12)));
    EXPECT_TRUE(onAScreen) << shownAt.x() << "," << shownAt.y();
    EXPECT_EQ(stored(), QStringLiteral("5000,4000,328"));

    // Shows and hides with no move, each map answered by the window manager with its frame's
    // offset (i3: +2,+18): nothing is written (a read-only file would raise nothing), and
    // every show asks for the same place, so the window does not creep.
    int writes = 0;
    context->setDatabaseFailures([&writes](const QString& sql) {
        if (!sql.startsWith(QLatin1String("select"), Qt::CaseInsensitive))
            ++writes;
        return 0;
    });
    for (int show = 0; show < 3; ++show) {
        SCOPED_TRACE(show);
        win->show();
        QCoreApplication::processEvents();
        EXPECT_EQ(win->pos(), shownAt);
        win->windowHandle()->setPosition(win->pos() + QPoint(2, 18));
        QCoreApplication::processEvents();
        EXPECT_EQ(win->pos(), shownAt + QPoint(2, 18));
        win->hide();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(writes, 0);
    EXPECT_TRUE(desktop->messages.isEmpty());
    context->setDatabaseFailures({});
    EXPECT_EQ(stored(), QStringLiteral("5000,4000,328"));

    // A wider window (the plus icon) stores its width, with the place still kept.
    win->show();
    QCoreApplication::processEvents();
    win->ResizePlusMinusWinMethod(QStringLiteral("plus"));
    QCoreApplication::processEvents();
    EXPECT_EQ(stored(), QStringLiteral("5000,4000,%1").arg(win->Width()));
    const QPoint widenedAt = win->pos(); // still on the screen, wider

    // The person drags it by its body: the place it is dragged to is stored.
    const QPoint press(5, 40);
    QTest::mousePress(win, Qt::LeftButton, {}, press);
    QTest::mouseMove(win, press + QPoint(20, 30));
    QTest::mouseRelease(win, Qt::LeftButton, {}, press + QPoint(20, 30));
    QCoreApplication::processEvents();
    const QPoint dragged = widenedAt + QPoint(20, 30);
    EXPECT_EQ(win->pos(), dragged);
    EXPECT_EQ(stored(),
              QStringLiteral("%1,%2,%3").arg(dragged.x()).arg(dragged.y()).arg(win->Width()));

    // The person moves it with the window manager, a button held: stored.
    windowSystem->buttonHeld = true;
    win->windowHandle()->setPosition(300, 200);
    QCoreApplication::processEvents();
    windowSystem->buttonHeld = false;
    EXPECT_EQ(stored(), QStringLiteral("300,200,%1").arg(win->Width()));
}

TEST_F(LauncherActionsTest, AddItemAsksForAnyItemInTheApplicationsFolder) {
    writeApp(QStringLiteral("x.desktop"), QStringLiteral("X"));
    const QString chosen = scratch(QStringLiteral("chosen folder"));
    QDir().mkpath(chosen);
    desktop->chosenItems = {QString(), chosen};
    win->AddItemMethod(); // cancelled
    EXPECT_EQ(win->LauncherItemArr->size(), 8u);
    GlobalModule::MyPref->Language = QStringLiteral("korean");
    win->AddItemMethod();
    ASSERT_EQ(desktop->chooserRequests.size(), 2u);
    EXPECT_EQ(desktop->chooserRequests[0].first, QStringLiteral("Select Any Item"));
    EXPECT_EQ(desktop->chooserRequests[1].first, QStringLiteral("추가 아이템 선택"));
    EXPECT_EQ(desktop->chooserRequests[0].second, applicationsDir());
    EXPECT_EQ(win->LauncherItemArr->back()->AppPath, chosen);
}

TEST_F(LauncherActionsTest, ContextualMenuInBothLanguages) {
    const QStringList english = {"New Launcher Window",
                                 "-",
                                 "Add New Item",
                                 "-",
                                 "Launch",
                                 "Reveal in Finder",
                                 "-",
                                 "Hide Title&Menu",
                                 "Hide Item Name",
                                 "Hide BackPanel",
                                 "-",
                                 "Increase Window Width",
                                 "Decrease Window Width",
                                 "-",
                                 "Remove Item",
                                 "-",
                                 "Edit Launcher Window",
                                 "-",
                                 "Preferences",
                                 "-",
                                 "Close"};
    EXPECT_EQ(win->ContextualMenuCaptions(), english);
    GlobalModule::MyPref->Language = QStringLiteral("korean");
    win->ViewName = false;
    const QStringList korean = {"신규 런쳐윈도우 생성",
                                "-",
                                "아이템 추가",
                                "-",
                                "실행하기",
                                "파인더에서 보기",
                                "-",
                                "제목&메뉴 아이콘 숨기기",
                                "아이템 이름 보기",
                                "투명 배경 화면 숨기기",
                                "-",
                                "런쳐윈도우 설정 변경",
                                "-",
                                "사이즈 늘리기",
                                "사이즈 줄이기",
                                "-",
                                "아이템 삭제",
                                "-",
                                "환경설정",
                                "-",
                                "닫      기"};
    EXPECT_EQ(win->ContextualMenuCaptions(), korean);
    QMenu menu;
    win->Event_ConstructContextualMenu(&menu);
    EXPECT_EQ(menu.actions().size(), 21);
    EXPECT_EQ(menu.actions()[7]->data().toString(), QStringLiteral("제목&메뉴 아이콘 숨기기"));
}

TEST_F(LauncherActionsTest, DispatchByCaptionInEitherLanguage) {
    win->Event_ContextualMenuAction(QStringLiteral("제목&메뉴 아이콘 숨기기"));
    EXPECT_FALSE(win->ViewTitleMenu);
    win->Event_ContextualMenuAction(QStringLiteral("view title&menu")); // case ignored
    EXPECT_TRUE(win->ViewTitleMenu);
    win->Event_ContextualMenuAction(QStringLiteral("사이즈 늘리기"));
    EXPECT_EQ(win->Width(), 350);
    // "Launch" runs the click's path on the item under the contextual click.
    win->CurrSelAppIndex = 2;
    win->Event_ContextualMenuAction(QStringLiteral("Launch"));
    EXPECT_EQ(desktop->launches, QStringList{scratch(QStringLiteral("item2"))});
    EXPECT_TRUE(win->myTempRunIconWin);
    win->CurrSelAppIndex = 1;
    win->Event_ContextualMenuAction(QStringLiteral("아이템 삭제"));
    EXPECT_EQ(win->LauncherItemArr->size(), 7u);
    // A caption with another number of blanks matches nothing.
    EXPECT_TRUE(win->Event_ContextualMenuAction(QStringLiteral("닫  기")));
}
