#include "RecordingDesktop.h"

void RecordingDesktop::messageBox(const QString& text) {
    messages << text;
    if (onMessage)
        onMessage(text);
}

std::optional<QString> RecordingDesktop::chooseItem(const QString& title,
                                                    const QString& initialFolder) {
    chooserRequests.emplace_back(title, initialFolder);
    if (chosenItems.isEmpty())
        return std::nullopt;
    const QString answer = chosenItems.takeFirst();
    if (answer.isEmpty())
        return std::nullopt;
    return answer;
}

std::optional<QColor> RecordingDesktop::chooseColor(const QColor&, const QString& prompt) {
    colorPrompts << prompt;
    return chosenColor;
}

LaunchResult RecordingDesktop::launch(const QString& path) {
    launches << path;
    return launchResult;
}
