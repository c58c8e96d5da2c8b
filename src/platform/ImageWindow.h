#pragma once

#include <QImage>
#include <QRegion>
#include <QWidget>
#include <chrono>
#include <cstdint>

// A frameless, floating, translucent window that shows one composed image with alpha: the
// launcher windows, the launch pop-up and the removal overlay. Without a compositing
// manager its shape is what the image draws; with one it has no shape, and a shape set
// earlier is cleared. Every image window is shaped again at once when a compositing manager
// starts or stops. A window the window manager handles (a launcher window) is kept out of
// the taskbar and the pager before every map, and asked for that again once mapped, since a
// window manager drops those states when the window is withdrawn; the pop-up and the overlay
// are past the window manager.
//
// On X11 the window puts its image on the screen itself, straight from the image, so the
// picture exists once: Qt keeps no window-sized backing store beside it. Elsewhere, and
// when the window is rendered (grab, render), Qt paints it as any widget.
class ImageWindow : public QWidget {
public:
    // extra: flags on top of a focus-less, frameless, top-most tool window.
    explicit ImageWindow(Qt::WindowFlags extra = {});
    ~ImageWindow() override;

    // The image the window paints, from its top-left corner at its own size.
    virtual const QImage& shownImage() const = 0;

    // None while the window puts its own pixels: Qt then allocates no backing store.
    QPaintEngine* paintEngine() const override;

protected:
    // A resize that keeps the window where it is. Qt can hold a stale place for a mapped
    // window (read back while the window manager was still framing it, and never reported)
    // and sends that place with every new size: the window would jump there.
    void resizeInPlace(int w, int h);
    // After the image changed: shape again (the compositor may have come or gone) and paint.
    // The image's shape may come made already (AlphaRegion).
    void imageChanged(const QRegion* shape = nullptr);
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    // Puts the part of the image under a region of the window (window units) on the screen.
    void putOnScreen(const QRegion& region);
    bool m_putsOwnPixels = false;
    // Qt asks for a paint on every map and the server exposes the window as well; the image
    // is put only when it changed or the server lost pixels since the last put (seen in
    // the server's expose events, whose sequence tells whether a later put covered them).
    friend class ExposeWatch;
    bool m_imagePending = true;
    QRect m_lost;    // device pixels the server lost after the last put
    QRect m_putRect; // what the last put covered
    uint32_t m_putSequence = 0;
    // Sequence numbers wrap, so only a recent put counts.
    std::chrono::steady_clock::time_point m_putAt;
    // The graphics context for the window's depth, made at the first put.
    uint32_t m_gc = 0;
    uint8_t m_gcDepth = 0;
    uintptr_t m_depthOf = 0; // the native window whose depth m_depth is
    uint8_t m_depth = 0;
};
