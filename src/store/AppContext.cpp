#include "store/AppContext.h"

#include "store/Globals.h"
#include "store/LauncherDatabase.h"
#include "store/PrefClass.h"

namespace {
AppContext* innermost = nullptr;
}

AppContext::AppContext(Environment environment, std::unique_ptr<Desktop> desktop)
    : m_outer(innermost), m_environment(std::move(environment)),
      m_desktop(desktop ? std::move(desktop) : makeRealDesktop()) {
    innermost = this;
    m_outerEnvironment = Environment::use(&m_environment);
    m_outerDesktop = Desktop::use(m_desktop.get());
}

AppContext::~AppContext() {
    GlobalModule::GlobalDB.reset();
    GlobalModule::MyPref.reset();
    GlobalModule::ResetDatabaseReports();
    Desktop::use(m_outerDesktop);
    Environment::use(m_outerEnvironment);
    innermost = m_outer;
}

AppContext* AppContext::current() {
    return innermost;
}

void AppContext::setDatabaseFailures(Database::FailureHook hook) {
    m_databaseFailures = std::move(hook);
    if (GlobalModule::GlobalDB)
        GlobalModule::GlobalDB->SetFailureHook(m_databaseFailures);
}
