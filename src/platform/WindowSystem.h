#pragma once

// What the launcher asks of the window system about its windows.

#include <QRect>
#include <optional>

class QWidget;
struct xcb_connection_t;

// Qt's connection to the X server; null on other platforms.
xcb_connection_t* X11Connection();

// True when a compositing manager blends translucent windows (always on non-X11 platforms).
// Asked anew at every call: a compositing manager may start or stop at any time.
bool CompositingActive();
// Tests decide the answer; nullopt asks the display again.
void OverrideCompositingActive(std::optional<bool> active);

// Where and how large the display server has a top-level window now, which can differ from
// what a late configure notification made Qt believe, and whether it is mapped: until the
// window manager has taken up a Show, the server still has the window as it was before it.
// In the window's own (scaled) units, like geometry(); nullopt where unknown.
struct WindowOnServer {
    QRect geometry;
    bool mapped = false;
};
std::optional<WindowOnServer> WindowServerState(QWidget* window);
// Tests decide the answer for every window; nullopt asks the display again.
void OverrideWindowServerState(std::optional<WindowOnServer> state);

// Whether a pointer button is held now (a person moving or sizing a window with the window
// manager holds one); false where unknown.
bool PointerButtonHeld();
// Tests decide the answer; nullopt asks the display again.
void OverridePointerButtonHeld(std::optional<bool> held);

// Keeps a floating window out of the taskbar and the window switcher (X11), whatever the
// window manager makes of its type. Call before the window is first shown.
void KeepOutOfTaskbar(QWidget* window);
// Once the window manager has mapped the window: the states it dropped meanwhile (a window
// manager that handles a withdrawal late erases what was set for the next map) are asked of
// it again, with "above" for a window that stays on top.
void KeepOutOfTaskbarOnceMapped(QWidget* window);
