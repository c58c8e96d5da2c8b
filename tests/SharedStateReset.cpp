#include "SharedStateReset.h"

#include "FakeWindowSystem.h"
#include "RecordingDesktop.h"
#include "app/StartUpHooks.h"
#include "launcher/CheckVisibleTimerWin.h"
#include "launcher/LauncherWinArr.h"
#include "platform/Database.h"
#include "platform/Desktop.h"
#include "platform/Environment.h"
#include "shared/DialogSupport.h"
#include "shared/GlobalModule.h"

#include <QApplication>
#include <QWidget>

SharedStateReset::SharedStateReset() : m_environment(QProcessEnvironment::systemEnvironment()) {}

void SharedStateReset::reset() {
    CheckVisibleTimerWin::instance()->Stop();
    GlobalModule::ReleaseGlobals();
    // Windows a test left open go, with what they posted.
    DeleteOpenDialogs();
    for (QWidget* w : QApplication::topLevelWidgets())
        w->hide();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Desktop::setInstance(std::make_unique<RecordingDesktop>());
    WindowSystem::setInstance(std::make_unique<FakeWindowSystem>());
    Database::setFailureHook({});
    GlobalModule::QuitHook = {};
    WireStartUpHooks();
    restoreEnvironment();
    Environment::set(Environment::FromProcess());
}

void SharedStateReset::restoreEnvironment() {
    const QProcessEnvironment now = QProcessEnvironment::systemEnvironment();
    for (const QString& name : now.keys())
        if (!m_environment.contains(name))
            qunsetenv(name.toLocal8Bit().constData());
    for (const QString& name : m_environment.keys())
        if (now.value(name) != m_environment.value(name) || !now.contains(name))
            qputenv(name.toLocal8Bit().constData(), m_environment.value(name).toLocal8Bit());
}
