#include "TestSupport.h"

#include "app/StartUpWiring.h"
#include "editor/CloseLauncherAlertWin.h"
#include "editor/NewLauncherWin.h"
#include "launcher/CheckVisibleTimerWin.h"
#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"
#include "platform/Database.h"
#include "shared/DialogSupport.h"
#include "shared/GlobalModule.h"
#include "store/Globals.h"
#include "store/LauncherDatabase.h"
#include "store/PrefClass.h"

#include <QDir>

class AppContextTest : public AppTest {};

// A context made inside another gives its folders, desktop and watcher while it lives, and
// at its end takes its connection, preferences and windows with it and gives back the
// outer's.
TEST_F(AppContextTest, AnInnerContextGivesItsOwnThenPutsBackTheOuters) {
    const QString outerConfig = Environment::current().ConfigHome;
    Desktop* outerDesktop = &Desktop::instance();
    CheckVisibleTimerWin* outerWatcher = CheckVisibleTimerWin::instance();
    {
        Environment env = Environment::current();
        env.ConfigHome = scratch(QStringLiteral("inner"));
        auto recording = std::make_unique<RecordingDesktop>();
        RecordingDesktop* innerDesktop = recording.get();
        LauncherApp inner(env, std::move(recording));
        EXPECT_EQ(AppContext::current(), &inner);
        EXPECT_EQ(Environment::current().ConfigHome, scratch(QStringLiteral("inner")));
        EXPECT_EQ(&Desktop::instance(), innerDesktop);
        CheckVisibleTimerWin::instance()->Show();
        EXPECT_NE(CheckVisibleTimerWin::instance(), outerWatcher);
        GlobalModule::MsgBox(QStringLiteral("inner"));
        EXPECT_EQ(innerDesktop->messages, QStringList{QStringLiteral("inner")});
        QDir().mkpath(env.ConfigHome);
        GlobalModule::MakeDBMethod();
        ASSERT_NE(GlobalModule::DBConnectMethod(), nullptr);
        EXPECT_TRUE(GlobalModule::DBConnectMethod()->DatabaseFile.startsWith(env.ConfigHome));
        GlobalModule::AddLauncherWin(std::make_unique<LauncherWin>());
    }
    EXPECT_EQ(AppContext::current(), context.get());
    EXPECT_EQ(Environment::current().ConfigHome, outerConfig);
    EXPECT_EQ(&Desktop::instance(), outerDesktop);
    EXPECT_EQ(CheckVisibleTimerWin::instance(), outerWatcher);
    EXPECT_FALSE(outerWatcher->EventCheckTimer.isActive());
    EXPECT_TRUE(desktop->messages.isEmpty());
    EXPECT_EQ(GlobalModule::GlobalDB, nullptr);
    EXPECT_EQ(GlobalModule::MyPref, nullptr);
    EXPECT_TRUE(GlobalModule::LauncherWinArr.empty());
}

// A window asks for the editor and the delete dialog; what answers is what start-up wired
// to the context the window joined, and nothing when it wired none.
TEST_F(AppContextTest, AWindowsRequestsReachWhatStartUpWired) {
    for (const bool wired : {false, true}) {
        SCOPED_TRACE(wired ? "wired" : "not wired");
        LauncherApp inner(Environment::current(), std::make_unique<RecordingDesktop>());
        if (wired)
            WireStartUp(inner);
        GlobalModule::MyPref = std::make_unique<PrefClass>();
        LauncherWin* w = GlobalModule::AddLauncherWin(std::make_unique<LauncherWin>());
        w->LauncherWinName = QStringLiteral("asked");
        w->CloseMethod();
        ASSERT_EQ(CloseLauncherAlertWin::openInstance() != nullptr, wired);
        if (wired) {
            EXPECT_EQ(CloseLauncherAlertWin::openInstance()->SelfWin, w);
        }
        w->EditLauncherWinMethod();
        EXPECT_EQ(NewLauncherWin::openInstance() != nullptr, wired);
        DeleteOpenDialogs();
    }
}
