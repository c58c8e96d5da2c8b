#include "TestSupport.h"

#include "app/App.h"
#include "app/GlobalModule.h"
#include "editor/NewLauncherWin.h"
#include "launcher/CheckVisibleTimerWin.h"
#include "launcher/LauncherWin.h"
#include "settings/AboutWin.h"
#include "settings/PrefWin.h"
#include "settings/SelectYourLanguageWin.h"
#include "store/LauncherDatabase.h"
#include "store/PrefClass.h"

#include <QApplication>
#include <QFile>

class AppStartTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        GlobalModule::MyPref.reset(); // start-up makes it
        writeApp(QStringLiteral("editor.desktop"), QStringLiteral("Editor"));
    }
    void writePrefs(const char* language) {
        QByteArray bytes("\x01\x01\x00\x00\x00\x14", 6);
        bytes.append(char(strlen(language)));
        bytes.append(language);
        writeFile(launcherDir() + QStringLiteral("/VondrelaskitPref"), bytes);
    }
    bool languageDialogShown() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<SelectYourLanguageWin*>(w) && w->isVisible())
                return true;
        return false;
    }
    App app;
};

TEST_F(AppStartTest, ChosenLanguageLoadsTheStoredWindowsAtOnce) {
    writePrefs("english");
    app.Event_Open();
    EXPECT_TRUE(CheckVisibleTimerWin::instance()->EventCheckTimer.isActive());
    EXPECT_EQ(CheckVisibleTimerWin::instance()->EventCheckTimer.interval(), 100);
    ASSERT_TRUE(GlobalModule::MyPref);
    EXPECT_EQ(GlobalModule::MyPref->Language, QStringLiteral("english"));
    EXPECT_TRUE(QFile::exists(GlobalModule::DatabaseFilePath()));
    ASSERT_EQ(GlobalModule::LauncherWinArr.size(), 1u);
    EXPECT_EQ(GlobalModule::LauncherWinArr[0]->LauncherWinName, QStringLiteral("apple"));
    EXPECT_EQ(GlobalModule::LauncherWinArr[0]->LauncherItemArr->size(), 1u);
    EXPECT_FALSE(languageDialogShown());
    EXPECT_TRUE(desktop->messages.isEmpty());
}

TEST_F(AppStartTest, FirstStartCreatesTheDatabaseThenAsksForTheLanguage) {
    app.Event_Open();
    EXPECT_TRUE(QFile::exists(GlobalModule::DatabaseFilePath()));
    EXPECT_EQ(GlobalModule::MyPref->Language, QStringLiteral("none"));
    EXPECT_TRUE(languageDialogShown());
    EXPECT_TRUE(GlobalModule::LauncherWinArr.empty());
    EXPECT_FALSE(QFile::exists(launcherDir() + QStringLiteral("/VondrelaskitPref")));
}

TEST_F(AppStartTest, EmptyWindowTableOpensNothingSilently) {
    writePrefs("korean");
    GlobalModule::MakeDBMethod();
    exec(QStringLiteral("Delete From LauncherWinList"));
    app.Event_Open();
    EXPECT_TRUE(GlobalModule::LauncherWinArr.empty());
    EXPECT_TRUE(desktop->messages.isEmpty());
}

TEST_F(AppStartTest, MenuCommandsShowOneInstanceEach) {
    writePrefs("english");
    app.Event_Open();
    EXPECT_TRUE(app._NewMenu_Action());
    EXPECT_TRUE(app._AboutMenu_Action());
    EXPECT_TRUE(app._PrefMenu_Action());
    NewLauncherWin* editor = NewLauncherWin::instance();
    AboutWin* about = AboutWin::instance();
    PrefWin* prefs = PrefWin::instance();
    app._NewMenu_Action();
    app._AboutMenu_Action();
    app._PrefMenu_Action();
    EXPECT_EQ(NewLauncherWin::instance(), editor);
    EXPECT_EQ(AboutWin::instance(), about);
    EXPECT_EQ(PrefWin::instance(), prefs);
    EXPECT_TRUE(editor->isVisible() && about->isVisible() && prefs->isVisible());
}
