#pragma once

#include "platform/Desktop.h"

#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

// A desktop for tests: records what was asked and answers from a script.
class RecordingDesktop : public Desktop {
    Q_OBJECT

public:
    void messageBox(const QString& text, std::function<void()> dismissed) override;
    void chooseItem(const QString& title, const QString& initialFolder,
                    std::function<void(std::optional<QString>)> answer) override;
    void chooseColor(const QColor& initial, const QString& prompt,
                     std::function<void(std::optional<QColor>)> answer) override;
    LaunchResult launch(const QString& path) override;
    void openUrl(const QUrl& url) override { urls.push_back(url); }
    HeldModifiers modifiers() override {
        ++modifierQueries;
        return held;
    }
    bool modifierChangesAnnounced() override { return announcesModifierChanges; }
    // Keys pressed or released as the display server reports them: the change is announced.
    void setHeld(HeldModifiers keys) {
        held = keys;
        Q_EMIT modifiersChanged();
    }
    QPoint pointerPos() override { return pointer; }
    void playSound(const QString& resource, int volume) override {
        sounds.emplace_back(resource, volume);
    }

    // Recorded.
    QStringList messages;
    QStringList launches;
    std::vector<std::pair<QString, QString>> chooserRequests; // title, initial folder
    QStringList colorPrompts;
    std::vector<QUrl> urls;
    std::vector<std::pair<QString, int>> sounds;
    int modifierQueries = 0;

    // Scripted.
    QStringList chosenItems; // answered in order; an empty text or none left: cancelled
    std::optional<QColor> chosenColor;
    LaunchResult launchResult;
    HeldModifiers held;
    bool announcesModifierChanges = true; // as the X server's XKB events do
    QPoint pointer;
    std::function<void(const QString&)> onMessage; // runs inside messageBox
    // Off: every box is dismissed, and every dialog answered, at once, inside the call.
    // On: they wait, as a person would, until answerWaiting().
    bool holdAnswers = false;
    // Dismisses the boxes and answers the dialogs that wait, in the order they were asked
    // (those they ask for in turn included); how many there were.
    int answerWaiting();
    int waitingCount() const { return int(m_waiting.size()); }

private:
    void answer(std::function<void()> reply);
    std::vector<std::function<void()>> m_waiting;
};
