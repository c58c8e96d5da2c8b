#include "launcher/CheckVisibleTimerWin.h"

#include "launcher/LauncherApp.h"
#include "launcher/LauncherWin.h"
#include "launcher/LauncherWinArr.h"
#include "shared/GlobalModule.h"
#include "store/PrefClass.h"

#include <QCoreApplication>

CheckVisibleTimerWin* CheckVisibleTimerWin::instance() {
    if (LauncherApp* context = LauncherApp::current())
        return &context->watcher();
    // Without a context (a tool): one for the process.
    static CheckVisibleTimerWin* watcher = [] {
        auto* w = new CheckVisibleTimerWin;
        w->setParent(QCoreApplication::instance()); // lives as long as the application
        return w;
    }();
    return watcher;
}

CheckVisibleTimerWin::CheckVisibleTimerWin() {
    EventCheckTimer.setInterval(100);
    EventCheckTimer.setSingleShot(false);
    connect(&EventCheckTimer, &QTimer::timeout, this,
            &CheckVisibleTimerWin::EventCheckTimer_Action);
}

void CheckVisibleTimerWin::Show() {
    m_shown = true;
    EventCheckTimer.start();
    // A change of the held keys is acted on at once; the tick stays as the upper bound.
    disconnect(m_keysChanged);
    m_keysChanged = connect(&Desktop::instance(), &Desktop::modifiersChanged, this,
                            &CheckVisibleTimerWin::EventCheckTimer_Action);
}

void CheckVisibleTimerWin::Stop() {
    m_shown = false;
    EventCheckTimer.stop();
    disconnect(m_keysChanged);
}

void CheckVisibleTimerWin::EventCheckTimer_Action() {
    OpenShowLauncherWinMethod(KeystrokCheckMethod() ? ShowHide::Show : ShowHide::Hide);
    if (m_shown)
        RestOrTick();
}

void CheckVisibleTimerWin::RestOrTick() {
    Desktop& desktop = Desktop::instance();
    // With nothing held every tick would only hide what is already hidden.
    if (desktop.modifierChangesAnnounced() && desktop.modifiers() == HeldModifiers{})
        EventCheckTimer.stop();
    else if (!EventCheckTimer.isActive())
        EventCheckTimer.start();
}

void CheckVisibleTimerWin::LauncherWinShown() {
    // Shown while resting (a window just saved, a new one): it goes at the next tick.
    if (m_shown && !EventCheckTimer.isActive())
        EventCheckTimer.start();
}

bool CheckVisibleTimerWin::ActivationMatches(const PrefClass& pref, const HeldModifiers& held) {
    const HeldModifiers wanted{pref.CommandKeyValue, pref.OptionKeyValue, pref.ControlKeyValue,
                               pref.ShiftKeyValue};
    if (!wanted.command && !wanted.option && !wanted.control && !wanted.shift)
        return false;
    return wanted == held;
}

bool CheckVisibleTimerWin::KeystrokCheckMethod() {
    const PrefClass* pref = GlobalModule::MyPref.get();
    if (!pref)
        return false;
    // With no flag set nothing can match: the keys are not even read.
    if (!pref->CommandKeyValue && !pref->OptionKeyValue && !pref->ControlKeyValue &&
        !pref->ShiftKeyValue)
        return false;
    return ActivationMatches(*pref, Desktop::instance().modifiers());
}

void CheckVisibleTimerWin::OpenShowLauncherWinMethod(const QString& s) {
    auto& windows = GlobalModule::LauncherWinArr;
    const bool show = s == ShowHide::Show;
    if (!show && s != ShowHide::Hide)
        return;
    // Last to first. Showing a shown window or hiding a hidden one does nothing at all.
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        (*it)->setVisible(show);
}
