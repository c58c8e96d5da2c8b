#pragma once

#include <QProcessEnvironment>
#include <gtest/gtest.h>
#include <memory>

class LauncherApp;

// Gives every test an application context of its own, wired as start-up wires it (a test's
// fixture may make its own inside it), and takes it away after the test with what the
// context does not hold: the windows a test left open, the window system (a fresh fake), and the
// process environment as the run began.
class SharedStateReset : public ::testing::EmptyTestEventListener {
public:
    SharedStateReset();
    ~SharedStateReset() override;
    void OnTestStart(const ::testing::TestInfo&) override;
    void OnTestEnd(const ::testing::TestInfo&) override;

private:
    void restoreEnvironment();

    QProcessEnvironment m_environment;
    std::unique_ptr<LauncherApp> m_context;
};
