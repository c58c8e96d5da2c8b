#pragma once

#include "platform/Database.h"
#include "platform/Desktop.h"
#include "platform/Environment.h"

#include <QObject>
#include <memory>
#include <utility>

class QWidget;

// What start-up owns for the life of the application, in one object that _Main makes and
// each test makes for itself: the folders (Environment::current), the desktop
// (Desktop::instance), the failures tests inject into the database, and the lifetime of
// the shared connection and the preferences (GlobalDB, MyPref: released with it). What the
// layers below start-up ask of it they ask through its signals, which start-up connects;
// unconnected, a request does nothing. The launcher windows are the launcher layer's part
// of it (LauncherApp).
class AppContext : public QObject {
    Q_OBJECT

public:
    AppContext(Environment environment, std::unique_ptr<Desktop> desktop);
    ~AppContext() override;
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // The context made last and still alive; null when none is.
    static AppContext* current();

    const Environment& environment() const { return m_environment; }
    void setEnvironment(Environment environment) { m_environment = std::move(environment); }
    Desktop& desktop() const { return *m_desktop; }
    // Given to every connection the store opens from now on, and to the shared one.
    void setDatabaseFailures(Database::FailureHook hook);
    const Database::FailureHook& databaseFailures() const { return m_databaseFailures; }
    // BringMeFront's request, taken by the next dialog shown (ShowInFront).
    void askToComeToFront() { m_frontAsked = true; }
    bool takeFrontRequest() { return std::exchange(m_frontAsked, false); }

Q_SIGNALS:
    // Ends the event loop with a status (Quit, the language dialog's Cancel).
    void quitRequested(int status);
    // A dialog that answers Close Window: the editor, the preferences, the about box.
    void closeMenuHandlerRequested(QWidget* window);
    // Builds the launcher windows from the database (the language dialog's OK).
    void loadLauncherWindowsRequested();

private:
    AppContext* m_outer = nullptr;
    Environment m_environment;
    const Environment* m_outerEnvironment = nullptr;
    std::unique_ptr<Desktop> m_desktop;
    Desktop* m_outerDesktop = nullptr;
    Database::FailureHook m_databaseFailures;
    bool m_frontAsked = false;
};
