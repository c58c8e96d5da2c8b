#include "LauncherTestSupport.h"
#include "TestSupport.h"

#include "app/GlobalModule.h"
#include "launcher/CheckVisibleTimerWin.h"
#include "store/PrefClass.h"

#include <QCoreApplication>
#include <QEvent>

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
