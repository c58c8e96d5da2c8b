#include "LauncherTestSupport.h"
#include "TestSupport.h"

#include "launcher/CheckVisibleTimerWin.h"
#include "launcher/LauncherWinArr.h"
#include "platform/ModifierTracker.h"
#include "shared/GlobalModule.h"
#include "store/PrefClass.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTest>

namespace {
HeldModifiers keys(const char* held) {
    const QString s = QString::fromLatin1(held);
    return {s.contains('C'), s.contains('O'), s.contains('T'), s.contains('S')};
}
} // namespace

TEST(ActivationWatcherRuleTest, ExactMatchOfTheChosenModifiers) {
    // Flags and held keys: C = Command (Super), O = Option (Alt), T = Control, S = Shift.
    struct Case {
        const char* flags;
        const char* held;
        bool shown;
    };
    const Case cases[] = {{"CO", "CO", true}, {"CO", "COS", false}, {"CO", "C", false},
                          {"T", "T", true},   {"T", "TS", false},   {"COTS", "COTS", true},
                          {"", "", false},    {"", "COTS", false},  {"S", "", false},
                          {"OS", "SO", true}};
    for (const Case& c : cases) {
        PrefClass pref;
        const HeldModifiers f = keys(c.flags);
        pref.CommandKeyValue = f.command;
        pref.OptionKeyValue = f.option;
        pref.ControlKeyValue = f.control;
        pref.ShiftKeyValue = f.shift;
        EXPECT_EQ(CheckVisibleTimerWin::ActivationMatches(pref, keys(c.held)), c.shown)
            << c.flags << " held " << c.held;
    }
}

class ActivationWatcherTest : public AppTest {
protected:
    void tick() { CheckVisibleTimerWin::instance()->EventCheckTimer_Action(); }
};

TEST_F(ActivationWatcherTest, ShowsAndHidesEveryWindowOnTheTick) {
    for (int i = 0; i < 3; ++i)
        GlobalModule::LauncherWinArr.push_back(makeWindow(1));
    desktop->held = keys("CO");
    tick();
    for (const auto& w : GlobalModule::LauncherWinArr)
        EXPECT_TRUE(w->isVisible());
    desktop->held = keys("COS"); // Shift added: hidden at the next tick
    tick();
    for (const auto& w : GlobalModule::LauncherWinArr)
        EXPECT_FALSE(w->isVisible());
    // A new activation key applies from the next tick.
    GlobalModule::MyPref->ShiftKeyValue = true;
    tick();
    EXPECT_TRUE(GlobalModule::LauncherWinArr[0]->isVisible());
}

TEST_F(ActivationWatcherTest, NoFlagsNeverShowAndDoNotReadTheKeys) {
    GlobalModule::LauncherWinArr.push_back(makeWindow(1));
    auto& pref = *GlobalModule::MyPref;
    pref.CommandKeyValue = pref.OptionKeyValue = pref.ControlKeyValue = pref.ShiftKeyValue = false;
    desktop->held = keys("COTS");
    tick();
    EXPECT_FALSE(GlobalModule::LauncherWinArr[0]->isVisible());
    EXPECT_EQ(desktop->modifierQueries, 0);
}

namespace {
// Counts what a window receives: a quiet tick must cause no paint, show or raise.
class EventCounter : public QObject {
public:
    int events = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        switch (e->type()) {
        case QEvent::Paint:
        case QEvent::UpdateRequest:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::ZOrderChange:
        case QEvent::ShowToParent:
            ++events;
            break;
        default:
            break;
        }
        return false;
    }
};
} // namespace

TEST_F(ActivationWatcherTest, QuietTicksChangeNothing) {
    GlobalModule::LauncherWinArr.push_back(makeWindow(1));
    LauncherWin* w = GlobalModule::LauncherWinArr[0].get();
    desktop->held = keys("CO");
    tick();
    QCoreApplication::processEvents();
    EventCounter counter;
    w->installEventFilter(&counter);
    for (int i = 0; i < 5; ++i)
        tick();
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.events, 0);
    EXPECT_EQ(desktop->modifierQueries, 6);
}

namespace {
class ShowOrder : public QObject {
public:
    std::vector<QObject*> order;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show)
            order.push_back(o);
        return false;
    }
};
} // namespace

TEST_F(ActivationWatcherTest, WindowsAreVisitedFromTheLastToTheFirst) {
    ShowOrder spy;
    for (int i = 0; i < 3; ++i) {
        GlobalModule::LauncherWinArr.push_back(makeWindow(1));
        GlobalModule::LauncherWinArr.back()->installEventFilter(&spy);
    }
    desktop->held = keys("CO");
    tick();
    const auto& arr = GlobalModule::LauncherWinArr;
    ASSERT_EQ(spy.order.size(), 3u);
    EXPECT_EQ(spy.order[0], arr[2].get());
    EXPECT_EQ(spy.order[2], arr[0].get());
}

TEST_F(ActivationWatcherTest, AChangeOfTheHeldKeysIsActedOnAtOnce) {
    GlobalModule::LauncherWinArr.push_back(makeWindow(1));
    LauncherWin* w = GlobalModule::LauncherWinArr[0].get();
    CheckVisibleTimerWin::instance()->Show();
    desktop->setHeld(keys("CO")); // no tick in between
    EXPECT_TRUE(w->isVisible());
    desktop->setHeld(keys("COS"));
    EXPECT_FALSE(w->isVisible());
    desktop->setHeld(keys("CO"));
    EXPECT_TRUE(w->isVisible());
    desktop->setHeld(keys(""));
    EXPECT_FALSE(w->isVisible());
}

TEST_F(ActivationWatcherTest, TheTickRestsWhileNoKeyIsHeldAndComesBackWithTheFirstKey) {
    GlobalModule::LauncherWinArr.push_back(makeWindow(1));
    LauncherWin* w = GlobalModule::LauncherWinArr[0].get();
    CheckVisibleTimerWin* watcher = CheckVisibleTimerWin::instance();
    watcher->Show();
    EXPECT_FALSE(watcher->Resting()); // until the first tick has looked
    tick();
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(watcher->Resting());
    // Any modifier starts the tick again, the activation key or not; the windows follow the
    // keys exactly as without the rest.
    struct Step {
        const char* held;
        bool shown;
        bool resting;
    };
    const Step steps[] = {{"S", false, false}, {"CS", false, false}, {"C", false, false},
                          {"CO", true, false}, {"C", false, false},  {"", false, true},
                          {"CO", true, false}, {"", false, true}};
    for (const Step& s : steps) {
        desktop->setHeld(keys(s.held));
        EXPECT_EQ(w->isVisible(), s.shown) << s.held;
        EXPECT_EQ(watcher->Resting(), s.resting) << s.held;
        tick(); // a tick in between changes nothing
        EXPECT_EQ(w->isVisible(), s.shown) << s.held;
        EXPECT_EQ(watcher->Resting(), s.resting) << s.held;
    }
}

TEST_F(ActivationWatcherTest, AWindowShownWhileTheTickRestsGoesAtTheNextTick) {
    CheckVisibleTimerWin* watcher = CheckVisibleTimerWin::instance();
    watcher->Show();
    tick();
    ASSERT_TRUE(watcher->Resting());
    // A window just saved by the editor, or a new one, is shown with no key held.
    GlobalModule::LauncherWinArr.push_back(makeWindow(1));
    LauncherWin* w = GlobalModule::LauncherWinArr[0].get();
    w->show();
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(watcher->Resting());
    // The tick itself, not a key, hides it; then it rests again.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w->isVisible(); }, 10000));
    EXPECT_TRUE(watcher->Resting());
    // A window the watcher hid and nothing else touched leaves it resting.
    w->hide();
    EXPECT_TRUE(watcher->Resting());
}

TEST_F(ActivationWatcherTest, WithoutAnnouncedKeyChangesTheTickNeverRests) {
    GlobalModule::LauncherWinArr.push_back(makeWindow(1));
    desktop->announcesModifierChanges = false;
    CheckVisibleTimerWin* watcher = CheckVisibleTimerWin::instance();
    watcher->Show();
    for (int i = 0; i < 3; ++i) {
        tick();
        EXPECT_FALSE(watcher->Resting());
    }
    // The keys are looked at by the tick alone.
    desktop->held = keys("CO");
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return GlobalModule::LauncherWinArr[0]->isVisible(); }, 10000));
}

TEST_F(ActivationWatcherTest, ShowingAndHidingKeepTheComposedPicture) {
    for (int i = 0; i < 3; ++i)
        GlobalModule::LauncherWinArr.push_back(makeWindow(4));
    std::vector<qint64> keys0;
    for (const auto& w : GlobalModule::LauncherWinArr)
        keys0.push_back(w->pic.cacheKey());
    for (int i = 0; i < 3; ++i) {
        desktop->held = keys("CO");
        tick();
        QCoreApplication::processEvents();
        desktop->held = keys("");
        tick();
        QCoreApplication::processEvents();
    }
    for (size_t i = 0; i < keys0.size(); ++i)
        EXPECT_EQ(GlobalModule::LauncherWinArr[i]->pic.cacheKey(), keys0[i]) << i;
}

TEST(ModifierMaskTest, XModifierMaskGivesTheFourKeys) {
    // Shift 0x01, Lock 0x02, Control 0x04, Mod1 0x08 (Alt here), Mod2 0x10 (Num Lock),
    // Mod4 0x40 (Super here).
    struct Case {
        uint mask;
        const char* held;
    };
    const Case cases[] = {{0x48, "CO"}, {0x4a, "CO"}, {0x5d, "COTS"}, {0x10, ""},
                          {0x01, "S"},  {0x04, "T"},  {0x02, ""}};
    for (const Case& c : cases)
        EXPECT_EQ(ModifierTracker::fromMask(c.mask, 0x08, 0x40), keys(c.held)) << c.mask;
    // Alt on Mod3 in another map.
    EXPECT_EQ(ModifierTracker::fromMask(0x20, 0x20, 0x40), keys("O"));
}
