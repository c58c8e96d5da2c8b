#include "RecordingDesktop.h"

void RecordingDesktop::answer(std::function<void()> reply) {
    if (holdAnswers)
        m_waiting.push_back(std::move(reply));
    else
        reply();
}

int RecordingDesktop::answerWaiting() {
    int count = 0;
    while (!m_waiting.empty()) {
        std::function<void()> reply = std::move(m_waiting.front());
        m_waiting.erase(m_waiting.begin());
        reply();
        ++count;
    }
    return count;
}

void RecordingDesktop::messageBox(const QString& text, std::function<void()> dismissed) {
    messages << text;
    if (onMessage)
        onMessage(text);
    if (dismissed)
        answer(std::move(dismissed));
}

void RecordingDesktop::chooseItem(const QString& title, const QString& initialFolder,
                                  std::function<void(std::optional<QString>)> reply) {
    chooserRequests.emplace_back(title, initialFolder);
    std::optional<QString> chosen;
    if (!chosenItems.isEmpty()) {
        const QString next = chosenItems.takeFirst();
        if (!next.isEmpty())
            chosen = next;
    }
    answer([reply = std::move(reply), chosen] { reply(chosen); });
}

void RecordingDesktop::chooseColor(const QColor&, const QString& prompt,
                                   std::function<void(std::optional<QColor>)> reply) {
    colorPrompts << prompt;
    answer([reply = std::move(reply), chosen = chosenColor] { reply(chosen); });
}

LaunchResult RecordingDesktop::launch(const QString& path) {
    launches << path;
    return launchResult;
}
