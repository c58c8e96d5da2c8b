#pragma once

#include <QColor>
#include <QObject>
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
class Desktop : public QObject {
    Q_OBJECT

public:
    // A modal message box holding the text alone. Returns at once: the box is shown after
    // the caller's handler has returned, behind the messages still open, one at a time in
    // the order asked; `dismissed` runs once the person has closed it.
    virtual void messageBox(const QString& text, std::function<void()> dismissed = {}) = 0;
    // The open-file dialog: any file or folder; nothing when cancelled. Returns at once;
    // the answer comes later, from the event loop.
    virtual void chooseItem(const QString& title, const QString& initialFolder,
                            std::function<void(std::optional<QString>)> answer) = 0;
    // The colour picker; nothing when cancelled. Returns at once, as chooseItem.
    virtual void chooseColor(const QColor& initial, const QString& prompt,
                             std::function<void(std::optional<QColor>)> answer) = 0;
    // Opens a file, folder, executable or desktop entry, detached from us.
    virtual LaunchResult launch(const QString& path) = 0;
    virtual void openUrl(const QUrl& url) = 0;
    // The held modifier keys, as last known: no round trip to the display server.
    virtual HeldModifiers modifiers() = 0;
    // True when every change of the held keys is announced (modifiersChanged), so that no
    // one has to look for one.
    virtual bool modifierChangesAnnounced() = 0;
    virtual QPoint pointerPos() = 0;
    // A sound of our resources, at volume 0..100.
    virtual void playSound(const QString& resource, int volume) = 0;

    // The desktop in use: the one the application context holds (use), else the real one,
    // made on first use.
    static Desktop& instance();
    // Points instance() at a desktop owned elsewhere (the application context, for its
    // life); returns the one it pointed at before.
    static Desktop* use(Desktop* desktop);

Q_SIGNALS:
    // The held modifier keys changed; emitted on the event-loop thread, after the event that
    // told it has been handled (the activation-key watcher acts on it at once).
    void modifiersChanged();
};

std::unique_ptr<Desktop> makeRealDesktop();

class QMessageBox;
// The real desktop's message box, not yet shown: the text alone, as plain text.
std::unique_ptr<QMessageBox> MakeMessageBox(const QString& text);
