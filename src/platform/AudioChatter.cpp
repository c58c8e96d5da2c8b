#include "platform/AudioChatter.h"

#include <QLoggingCategory>
#include <cstring>

namespace {
QtMessageHandler previousHandler = nullptr;

void dropAudioChatter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (IsAudioBackEndChatter(context.category, message))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}
} // namespace

bool IsAudioBackEndChatter(const char* category, const QString& message) {
    if (category && std::strncmp(category, "qt.multimedia", 13) == 0)
        return true;
    // The PulseAudio engine and client library, and a sound effect without a device, speak in
    // the default category.
    for (const char* prefix :
         {"PulseAudioService", "QPulseAudio", "pa_context", "ALSA lib", "No audio device detected"})
        if (message.startsWith(QLatin1String(prefix)))
            return true;
    return false;
}

void SilenceAudioBackEndChatter() {
    // QT_LOGGING_RULES still turns them on for whoever looks into the sound.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.multimedia*=false"));
    if (!previousHandler)
        previousHandler = qInstallMessageHandler(dropAudioChatter);
}
