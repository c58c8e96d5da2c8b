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
// chosen modifier keys are held, and hides them otherwise.
class CheckVisibleTimerWin : public QObject {
    Q_OBJECT

public:
    static CheckVisibleTimerWin* instance();
    // Starts the repeating timer; it runs for the life of the process.
    void Show();

    void EventCheckTimer_Action();
    bool KeystrokCheckMethod();
    void OpenShowLauncherWinMethod(const QString& s);

    // True exactly when at least one flag is set and the held keys equal the flags.
    static bool ActivationMatches(const PrefClass& pref, const HeldModifiers& held);

    QTimer EventCheckTimer;

private:
    CheckVisibleTimerWin();
};
