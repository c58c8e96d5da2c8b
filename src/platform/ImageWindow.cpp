#include "platform/ImageWindow.h"

#include "platform/Plugin.h"

#include <QPainter>

ImageWindow::ImageWindow(Qt::WindowFlags extra)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint | extra) {
    // Flags and attributes are set once, before the native window exists.
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    if (extra.testFlag(Qt::WindowTransparentForInput))
        setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void ImageWindow::imageChanged(const QRegion& alwaysClickable, const QRegion* shape) {
    if (shape)
        ApplyAlphaShape(this, *shape, alwaysClickable);
    else
        ApplyAlphaShape(this, shownImage(), alwaysClickable);
    update();
}

void ImageWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    // A picture that covers the window is the whole paint: one copy of it.
    if (shownImage().isNull() || shownImage().deviceIndependentSize().toSize() != size())
        p.fillRect(rect(), Qt::transparent);
    if (!shownImage().isNull())
        p.drawImage(0, 0, shownImage());
}
