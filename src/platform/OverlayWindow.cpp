#include "platform/OverlayWindow.h"

OverlayWindowMBS::OverlayWindowMBS()
    : ImageWindow(Qt::WindowTransparentForInput | Qt::X11BypassWindowManagerHint) {}

int OverlayWindowMBS::Create(int left, int top, int width, int height) {
    if (width <= 0 || height <= 0)
        return -1;
    setGeometry(left, top, width, height);
    return 0;
}

void OverlayWindowMBS::Show() {
    show();
}

void OverlayWindowMBS::DrawPicture(const QImage& image) {
    m_image = image;
    imageChanged();
}
