#include "TestSupport.h"

#include "app/App.h"
#include "app/InstanceLock.h"
#include "app/MenuBar1.h"
#include "editor/CloseLauncherAlertWin.h"
#include "editor/NewLauncherWin.h"
#include "launcher/CheckVisibleTimerWin.h"
#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"
#include "platform/Environment.h"
#include "settings/AboutWin.h"
#include "settings/PrefWin.h"
#include "settings/SelectYourLanguageWin.h"
#include "shared/GlobalModule.h"
#include "store/LauncherDatabase.h"
#include "store/PrefClass.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QSysInfo>
#include <QSystemTrayIcon>
#include <optional>

#include "platform/Desktop.h"

#include <unistd.h>

class AppStartTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        GlobalModule::MyPref.reset(); // start-up makes it
        app.emplace(*context);
        writeApp(QStringLiteral("editor.desktop"), QStringLiteral("Editor"));
    }
    void writePrefs(const char* language) {
        QByteArray bytes("\x01\x01\x00\x00\x00\x14", 6);
        bytes.append(char(strlen(language)));
        bytes.append(language);
        writeFile(launcherDir() + QStringLiteral("/VondrelaskitPref"), bytes);
    }
    // The start, until a first start has made the database and gone on.
    void open() {
        app->Event_Open();
        ASSERT_TRUE(waitUntil([] { return !GlobalModule::DatabaseBeingMade(); }));
    }
    bool languageDialogShown() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<SelectYourLanguageWin*>(w) && w->isVisible())
                return true;
        return false;
    }
    void TearDown() override {
        app.reset();
        AppTest::TearDown();
    }
    std::optional<App> app;
};

TEST_F(AppStartTest, ChosenLanguageLoadsTheStoredWindowsAtOnce) {
    writePrefs("english");
    open();
    // No key is held: the watcher is on, its tick resting until a key comes.
    EXPECT_TRUE(CheckVisibleTimerWin::instance()->Resting());
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

TEST_F(AppStartTest, WithTheKeyHeldTheWindowsShowAsSoonAsTheyAreLoaded) {
    writePrefs("english");
    desktop->held = {true, true, false, false}; // the default activation key
    GlobalModule::MakeDBMethod();               // loaded at once, with no tick between
    app->Event_Open();
    ASSERT_EQ(GlobalModule::LauncherWinArr.size(), 1u);
    // No tick has run yet: the watcher decided right after the loading.
    EXPECT_TRUE(GlobalModule::LauncherWinArr[0]->isVisible());
    EXPECT_TRUE(CheckVisibleTimerWin::instance()->EventCheckTimer.isActive());
}

TEST_F(AppStartTest, FirstStartCreatesTheDatabaseThenAsksForTheLanguage) {
    open();
    EXPECT_TRUE(QFile::exists(GlobalModule::DatabaseFilePath()));
    EXPECT_EQ(GlobalModule::MyPref->Language, QStringLiteral("none"));
    EXPECT_TRUE(languageDialogShown());
    EXPECT_TRUE(GlobalModule::LauncherWinArr.empty());
    EXPECT_FALSE(QFile::exists(launcherDir() + QStringLiteral("/VondrelaskitPref")));
}

TEST_F(AppStartTest, AConfigFolderThatCannotHoldTheDatabaseIsNamedWithWhyThenTheStartEnds) {
    writeFile(scratch(QStringLiteral("a-file")), "not a folder");
    const struct {
        const char* name;
        QString configHome;
        QString named; // the path the message names
    } cases[] = {
        {"a file", scratch(QStringLiteral("a-file")),
         scratch(QStringLiteral("a-file")) + QStringLiteral("/Vondrelaskit")},
        {"a folder inside a file", scratch(QStringLiteral("a-file/config")),
         scratch(QStringLiteral("a-file/config"))},
        {"a folder that cannot be written", QStringLiteral("/sys"),
         QStringLiteral("/sys/Vondrelaskit")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GlobalModule::ReleaseGlobals();
        desktop->messages.clear();
        Environment env = Environment::current();
        env.ConfigHome = c.configHome;
        context->setEnvironment(env);
        std::optional<int> ended;
        const auto quit = QObject::connect(context.get(), &AppContext::quitRequested,
                                           [&ended](int status) { ended = status; });
        app->Event_Open();
        QObject::disconnect(quit);
        ASSERT_EQ(desktop->messages.size(), 1);
        const QString message = desktop->messages[0];
        EXPECT_TRUE(message.startsWith(QLatin1String("create error!\n"))) << message.toStdString();
        EXPECT_TRUE(message.contains(c.named + QLatin1Char(':'))) << message.toStdString();
        // The system's own words for why.
        EXPECT_GT(message.size(), QStringLiteral("create error!\n").size() + c.named.size() + 4);
        EXPECT_EQ(ended, 1); // once the message is dismissed
        EXPECT_TRUE(GlobalModule::LauncherWinArr.empty());
        EXPECT_FALSE(languageDialogShown());
    }
}

TEST_F(AppStartTest, WithoutHomeTheUsersHomeFolderIsUsed) {
    const QByteArray home = qgetenv("HOME");
    qunsetenv("HOME");
    const Environment env = Environment::FromProcess();
    qputenv("HOME", home);
    EXPECT_NE(env.Home, QStringLiteral("/"));
    EXPECT_TRUE(QDir(env.Home).exists()) << env.Home.toStdString();
    EXPECT_EQ(env.ConfigHome.isEmpty(), false);
}

TEST_F(AppStartTest, EmptyWindowTableOpensNothingSilently) {
    writePrefs("korean");
    GlobalModule::MakeDBMethod();
    exec(QStringLiteral("Delete From LauncherWinList"));
    app->Event_Open();
    EXPECT_TRUE(GlobalModule::LauncherWinArr.empty());
    EXPECT_TRUE(desktop->messages.isEmpty());
}

TEST_F(AppStartTest, MenuCommandsShowOneInstanceEach) {
    writePrefs("english");
    open();
    EXPECT_TRUE(app->_NewMenu_Action());
    EXPECT_TRUE(app->_AboutMenu_Action());
    EXPECT_TRUE(app->_PrefMenu_Action());
    NewLauncherWin* editor = NewLauncherWin::instance();
    AboutWin* about = AboutWin::instance();
    PrefWin* prefs = PrefWin::instance();
    app->_NewMenu_Action();
    app->_AboutMenu_Action();
    app->_PrefMenu_Action();
    EXPECT_EQ(NewLauncherWin::instance(), editor);
    EXPECT_EQ(AboutWin::instance(), about);
    EXPECT_EQ(PrefWin::instance(), prefs);
    EXPECT_TRUE(editor->isVisible() && about->isVisible() && prefs->isVisible());
}

TEST_F(AppStartTest, AMinimisedDialogAskedForAgainComesBack) {
    writePrefs("english");
    open();
    ASSERT_FALSE(GlobalModule::LauncherWinArr.empty());
    LauncherWin* lw = GlobalModule::LauncherWinArr.front().get();
    struct Case {
        const char* name;
        std::function<QWidget*()> ask; // asks as the menu, the tray or a launcher window does
    } cases[] = {
        {"editor",
         [&] {
             app->_NewMenu_Action();
             return NewLauncherWin::openInstance();
         }},
        {"edit",
         [&] {
             lw->EditLauncherWinMethod();
             return NewLauncherWin::openInstance();
         }},
        {"delete",
         [&] {
             lw->CloseMethod();
             return CloseLauncherAlertWin::openInstance();
         }},
        {"preferences",
         [&] {
             app->_PrefMenu_Action();
             return PrefWin::instance();
         }},
        {"about",
         [&] {
             app->_AboutMenu_Action();
             return AboutWin::instance();
         }},
        {"language",
         [] {
             SelectYourLanguageWin::instance()->Show();
             return SelectYourLanguageWin::instance();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* first = c.ask();
        ASSERT_NE(first, nullptr);
        first->setWindowState(first->windowState() | Qt::WindowMinimized);
        ASSERT_TRUE(first->isMinimized());
        QWidget* again = c.ask();
        EXPECT_EQ(again, first);
        EXPECT_FALSE(first->isMinimized());
        EXPECT_TRUE(first->isVisible());
        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(AppStartTest, TrayIconIsMadeWithoutATrayAtStart) {
    // The offscreen test platform has no system tray, as a session whose panel starts later.
    writePrefs("english");
    open();
    ASSERT_NE(app->TrayIcon(), nullptr);
    EXPECT_TRUE(app->TrayIcon()->isVisible());
    EXPECT_EQ(app->TrayIcon()->contextMenu(), MenuBar1::instance()->menu());
}

TEST_F(AppStartTest, MessagesShowTextFromDataAsPlainText) {
    for (const QString& name :
         {QStringLiteral("<img src=\"/dev/zero\">x"), QStringLiteral("<b>bold</b>")}) {
        const auto box = MakeMessageBox(QStringLiteral("\"%1\" could not be opened.").arg(name));
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->text(), QStringLiteral("\"%1\" could not be opened.").arg(name));
    }
}

// One running copy: where the lock lives and what a lock that cannot be taken means.
class InstanceLockTest : public AppTest {
protected:
    void setRuntimeDir(const QString& dir) {
        Environment env = Environment::current();
        env.RuntimeDir = dir;
        context->setEnvironment(env);
    }
    QString lockName() const { return QStringLiteral("/vondrelaskit-%1.lock").arg(::getuid()); }
};

TEST_F(InstanceLockTest, LockFolderFollowsTheRuntimeFolder) {
    const QString runtime = scratch(QStringLiteral("run"));
    QDir().mkpath(runtime);
    const QString notAFolder = scratch(QStringLiteral("file"));
    writeFile(notAFolder, "x");
    const QString config = launcherDir();
    struct Case {
        const char* what;
        QString runtimeDir;
        QString expected;
    } cases[] = {
        {"our runtime folder", runtime, runtime},
        {"unset", QString(), config},
        {"missing", scratch(QStringLiteral("gone")), config},
        {"relative", QStringLiteral("run"), config},
        {"a file", notAFolder, config},
    };
    for (const Case& c : cases) {
        setRuntimeDir(c.runtimeDir);
        EXPECT_EQ(InstanceLock::FolderForLock(), c.expected) << c.what;
        const InstanceLock lock = InstanceLock::Take();
        EXPECT_EQ(lock.outcome, InstanceLock::Outcome::Taken) << c.what;
        EXPECT_EQ(lock.path, c.expected + lockName()) << c.what;
    }
}

TEST_F(InstanceLockTest, AnotherUsersRuntimeFolderIsNotOurs) {
    if (::getuid() != 0)
        GTEST_SKIP() << "giving a folder to another user needs root";
    const QString theirs = scratch(QStringLiteral("theirs"));
    QDir().mkpath(theirs);
    ASSERT_EQ(::chown(QFile::encodeName(theirs).constData(), 65534, 65534), 0);
    setRuntimeDir(theirs);
    const InstanceLock lock = InstanceLock::Take();
    EXPECT_EQ(lock.outcome, InstanceLock::Outcome::Taken);
    EXPECT_EQ(lock.path, launcherDir() + lockName());
}

TEST_F(InstanceLockTest, OnlyALockOfARunningCopyMeansAnotherCopyRuns) {
    setRuntimeDir(scratch(QStringLiteral("gone")));
    const InstanceLock first = InstanceLock::Take();
    ASSERT_EQ(first.outcome, InstanceLock::Outcome::Taken);
    const InstanceLock second = InstanceLock::Take();
    EXPECT_EQ(second.outcome, InstanceLock::Outcome::HeldByRunningCopy);

    // A dead copy's lock is taken over.
    const QString stale = launcherDir() + lockName();
    const_cast<InstanceLock&>(first).lock.reset();
    writeFile(stale, "999999\nvondrelaskit\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    EXPECT_EQ(InstanceLock::Take().outcome, InstanceLock::Outcome::Taken);
    // Also when the dead copy's number now belongs to a running program of the same name (a
    // number used again, on a machine that starts many processes): only a holder counts.
    writeFile(stale, QByteArray::number(qint64(::getpid())) + "\n" +
                         QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() +
                         "\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    EXPECT_EQ(InstanceLock::Take().outcome, InstanceLock::Outcome::Taken);
    // A copy started while one runs leaves; once that one is gone the next takes over.
    {
        const InstanceLock running = InstanceLock::Take();
        ASSERT_EQ(running.outcome, InstanceLock::Outcome::Taken);
        EXPECT_EQ(InstanceLock::Take().outcome, InstanceLock::Outcome::HeldByRunningCopy);
    }
    EXPECT_EQ(InstanceLock::Take().outcome, InstanceLock::Outcome::Taken);
}

TEST_F(InstanceLockTest, ALockThatCannotBeMadeIsAFailureNotARunningCopy) {
    setRuntimeDir(QString());
    // The config folder's place is taken by a file: no folder, no lock.
    QDir(launcherDir()).removeRecursively();
    writeFile(launcherDir(), "not a folder");
    const InstanceLock lock = InstanceLock::Take();
    EXPECT_EQ(lock.outcome, InstanceLock::Outcome::Failed);
    EXPECT_FALSE(lock.error.isEmpty());
}
