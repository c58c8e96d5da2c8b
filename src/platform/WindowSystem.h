#pragma once

// What the launcher asks of the window system about its windows. The real one talks to the
// X server; tests install a fake that answers as they say.

#include <QObject>
#include <QRect>
#include <memory>
#include <optional>

class QWidget;
struct xcb_connection_t;

// Where and how large the display server has a top-level window now, which can differ from
// what a late configure notification made Qt believe, and whether it is mapped: until the
// window manager has taken up a Show, the server still has the window as it was before it.
// In the window's own (scaled) units, like geometry().
struct WindowOnServer {
    QRect geometry;
    bool mapped = false;
};

class WindowSystem : public QObject {
    Q_OBJECT

public:
    // True when a compositing manager blends translucent windows (always on non-X11
    // platforms). Asked anew at every call: a compositing manager may start or stop at any
    // time.
    virtual bool compositingActive() = 0;
    // The window as the server has it; nullopt where unknown.
    virtual std::optional<WindowOnServer> serverState(QWidget* window) = 0;
    // Whether a pointer button is held now (a person moving or sizing a window with the
    // window manager holds one); false where unknown.
    virtual bool pointerButtonHeld() = 0;
    // Keeps a floating window out of the taskbar and the window switcher, whatever the
    // window manager makes of its type. Called before every map.
    virtual void keepOutOfTaskbar(QWidget* window) = 0;
    // Once the window manager has mapped the window: the states it dropped meanwhile (a
    // window manager that handles a withdrawal late erases what was set for the next map)
    // are asked of it again, with "above" for a window that stays on top.
    virtual void keepOutOfTaskbarOnceMapped(QWidget* window) = 0;

    // The one in use, made real on first use.
    static WindowSystem& instance();
    // Replaces it (tests); returns the new one. Null restores the real one.
    static WindowSystem* setInstance(std::unique_ptr<WindowSystem> system);

Q_SIGNALS:
    // A compositing manager came or went (compositingActive() now answers otherwise).
    void compositingChanged();
};

std::unique_ptr<WindowSystem> makeRealWindowSystem();

// Qt's connection to the X server; null on other platforms. For the code that speaks X11
// itself (an image window's pixels, the end of the session).
xcb_connection_t* X11Connection();
