#pragma once

#include "platform/Desktop.h"

#include <QObject>
#include <QString>
#include <QTimer>

class PrefClass;

// What OpenShowLauncherWinMethod does with the launcher windows.
namespace ShowHide {
inline const QString Show = QStringLiteral("show");
inline const QString Hide = QStringLiteral("hide");
} // namespace ShowHide

// The activation-key watcher: every 100 ms it shows all launcher windows while exactly the
// chosen modifier keys are held, and hides them otherwise. While no modifier key is held
// and every change of them is announced, the tick rests: the windows are hidden and nothing
// can change that but a key (announced, which starts the tick again) or a launcher window
// shown by something else (LauncherWinShown, which does too, so it goes at the next tick).
class CheckVisibleTimerWin : public QObject {
    Q_OBJECT

public:
    // The application context's watcher (one per LauncherApp, made on first use).
    static CheckVisibleTimerWin* instance();
    // Starts the repeating timer and acts on every change of the held keys from now on.
    void Show();
    // Back to as made: no tick, no one told of the keys (tests; the launcher never stops it).
    void Stop();
    // Shown and not ticking, until a key or a shown launcher window starts the tick again.
    bool Resting() const { return m_shown && !EventCheckTimer.isActive(); }
    // A launcher window has been shown (by the watcher or anything else).
    void LauncherWinShown();

    void EventCheckTimer_Action();
    bool KeystrokCheckMethod();
    void OpenShowLauncherWinMethod(const QString& s);

    // True exactly when at least one flag is set and the held keys equal the flags.
    static bool ActivationMatches(const PrefClass& pref, const HeldModifiers& held);

    QTimer EventCheckTimer;

private:
    friend class LauncherApp;
    CheckVisibleTimerWin();
    // After a tick: rest while no key is held, tick otherwise.
    void RestOrTick();

    bool m_shown = false;
    QMetaObject::Connection m_keysChanged;
};
