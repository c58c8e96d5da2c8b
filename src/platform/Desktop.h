#pragma once

#include <QColor>
#include <QPoint>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>

struct LaunchResult {
    bool ok = true;
    QString error; // the desktop's reason when it refused
};

// The four modifier keys that can form the activation key.
struct HeldModifiers {
    bool command = false; // Super
    bool option = false;  // Alt
    bool control = false; // Ctrl
    bool shift = false;

    bool operator==(const HeldModifiers&) const = default;
};

// Everything that reaches the person or their desktop. The real implementation talks
// to Qt, GIO and X11; tests install a recording fake.
class Desktop {
public:
    virtual ~Desktop() = default;

    // A modal message box holding the text alone.
    virtual void messageBox(const QString& text) = 0;
    // The open-file dialog: any file or folder; nothing when cancelled.
    virtual std::optional<QString> chooseItem(const QString& title,
                                              const QString& initialFolder) = 0;
    virtual std::optional<QColor> chooseColor(const QColor& initial, const QString& prompt) = 0;
    // Opens a file, folder, executable or desktop entry, detached from us.
    virtual LaunchResult launch(const QString& path) = 0;
    virtual void openUrl(const QUrl& url) = 0;
    // The held modifier keys, as last known: no round trip to the display server.
    virtual HeldModifiers modifiers() = 0;
    virtual QPoint pointerPos() = 0;
    // A sound of our resources, at volume 0..100.
    virtual void playSound(const QString& resource, int volume) = 0;

    static Desktop& instance();
    // Who is told, on the event-loop thread, when the held modifier keys change (the
    // activation-key watcher acts on it at once); one at a time.
    static void setModifiersChangedHandler(std::function<void()> handler);
    static void modifiersChanged();
    // Replaces the desktop (tests); returns the new one. Null restores the real one.
    static Desktop* setInstance(std::unique_ptr<Desktop> desktop);
};

std::unique_ptr<Desktop> makeRealDesktop();

class QMessageBox;
// The real desktop's message box, not yet shown: the text alone, as plain text.
std::unique_ptr<QMessageBox> MakeMessageBox(const QString& text);
