#include "SharedStateReset.h"

#include "FakeWindowSystem.h"
#include "RecordingDesktop.h"
#include "app/StartUpWiring.h"
#include "launcher/LauncherApp.h"
#include "platform/Environment.h"
#include "shared/DialogSupport.h"

#include <QApplication>
#include <QWidget>

SharedStateReset::SharedStateReset() : m_environment(QProcessEnvironment::systemEnvironment()) {}

SharedStateReset::~SharedStateReset() = default;

void SharedStateReset::OnTestStart(const ::testing::TestInfo&) {
    m_context = std::make_unique<LauncherApp>(Environment::FromProcess(),
                                              std::make_unique<RecordingDesktop>());
    WireStartUp(*m_context);
    WindowSystem::setInstance(std::make_unique<FakeWindowSystem>());
}

void SharedStateReset::OnTestEnd(const ::testing::TestInfo&) {
    m_context.reset();
    // Windows a test left open go, with what they posted.
    DeleteOpenDialogs();
    for (QWidget* w : QApplication::topLevelWidgets())
        w->hide();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    WindowSystem::setInstance(std::make_unique<FakeWindowSystem>());
    restoreEnvironment();
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
