#pragma once

#include "platform/OverlayWindow.h"
#include "platform/PictureCodecs.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

// The removal animation: frames 0 to 4 of the removal strip in a 128 x 128 overlay whose
// top-left corner is at a screen point, each frame on screen for at least 5 ticks. A timer
// drives it, so the caller returns to the event loop at once and nothing runs a nested
// loop; `finished` runs after the last frame, then the animation deletes itself. Deleting
// its parent ends it without calling `finished`.
class RemovalAnimation : public QObject {
    Q_OBJECT

public:
    static constexpr int kFrames = 5;
    static constexpr qint64 kTicksPerFrame = 5;

    // Starts playing; returns null, without calling `finished`, when nothing can be played
    // (no strip, no overlay window).
    static RemovalAnimation* start(QObject* parent, int X, int Y, std::function<void()> finished);
    // The frame on screen.
    int frame() const { return m_frame; }
    // The overlay it plays in.
    const OverlayWindowMBS* overlay() const { return m_window.get(); }

Q_SIGNALS:
    // Each frame after the first, once it is on screen.
    void frameShown(int frame);

private:
    RemovalAnimation(QObject* parent, std::function<void()> finished);
    void showFrame();
    void onTimer();

    PNGPictureMBS m_png;
    std::unique_ptr<OverlayWindowMBS> m_window;
    QTimer m_timer;
    std::function<void()> m_finished;
    int m_frame = 0;
    qint64 m_frameShownAt = 0;
};
