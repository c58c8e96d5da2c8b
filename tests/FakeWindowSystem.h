#pragma once

#include "platform/WindowSystem.h"

#include <QList>
#include <QWidget>

// A window system for tests: answers as the test says (by default as the offscreen platform
// does: a compositor blends, the server's view of a window is unknown, no button is held)
// and notes the windows kept out of the taskbar.
class FakeWindowSystem : public WindowSystem {
public:
    bool compositingActive() override { return compositing; }
    std::optional<WindowOnServer> serverState(QWidget*) override { return server; }
    bool pointerButtonHeld() override { return buttonHeld; }
    void keepOutOfTaskbar(QWidget* window) override { keptOut.append(window); }
    void keepOutOfTaskbarOnceMapped(QWidget* window) override { keptOutOnceMapped.append(window); }

    // A compositing manager starts or stops, and the windows hear of it as from the real
    // watch. Setting `compositing` alone changes the answer unannounced.
    void compositorChanges(bool active) {
        compositing = active;
        Q_EMIT compositingChanged();
    }

    bool compositing = true;
    std::optional<WindowOnServer> server; // for every window
    bool buttonHeld = false;
    QList<QWidget*> keptOut, keptOutOnceMapped;
};
