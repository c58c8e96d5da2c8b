#pragma once

#include "platform/ImageWindow.h"

#include <QImage>

// A frameless, top-most, input-transparent translucent window at a screen rectangle.
class OverlayWindowMBS : public ImageWindow {
public:
    OverlayWindowMBS();
    int Create(int left, int top, int width, int height); // 0 on success
    void Show();
    // Clear, draw and flush in one: the window shows the image from now on.
    void DrawPicture(const QImage& image);
    const QImage& shownImage() const override { return m_image; }

private:
    QImage m_image;
};
