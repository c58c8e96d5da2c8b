#pragma once

#include <QString>

// The sound back-end (Qt Multimedia over PulseAudio) reports on standard error when no sound
// server runs, at start and at every sound. No sound server means silence, not a message:
// those reports are dropped and every other message goes out as before.
void SilenceAudioBackEndChatter();
// True for a message of the sound back-end: its logging category, or its own text.
bool IsAudioBackEndChatter(const char* category, const QString& message);
