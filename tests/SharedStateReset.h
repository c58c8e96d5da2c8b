#pragma once

#include <QProcessEnvironment>
#include <gtest/gtest.h>

// Puts back, before and after every test, what tests share in this one process: the desktop
// (a fresh recording fake), the activation-key watcher (not ticking, nobody told of key
// changes), the window system (a fresh fake), the hooks start-up fills, the
// failure and quit hooks, the globals, the environment as the run began, and the windows a
// test left open. So a test depends neither on what ran before it nor on when a timer of
// an earlier test would fire.
class SharedStateReset : public ::testing::EmptyTestEventListener {
public:
    SharedStateReset();
    void OnTestStart(const ::testing::TestInfo&) override { reset(); }
    void OnTestEnd(const ::testing::TestInfo&) override { reset(); }

private:
    void reset();
    void restoreEnvironment();

    QProcessEnvironment m_environment;
};
