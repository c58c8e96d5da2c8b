#pragma once

// A window's shape made from the alpha it draws.

#include <QImage>
#include <QRegion>

class QWidget;

// Without a compositing manager a window's alpha would show black: its shape then is what
// the image draws (its alpha), so the transparent parts stay see-through and click-through,
// and an image that draws nothing (or none yet) gives an empty shape. With a compositing
// manager the window has no shape, and one set earlier is cleared.
void ApplyAlphaShape(QWidget* window, const QImage& image);
// The same with the image's region already made (see AlphaRegion), for a picture composed
// on another thread.
void ApplyAlphaShape(QWidget* window, const QRegion& shape);
// Where an image is not fully transparent, in window pixels (an image at a higher device
// ratio is sampled). Safe on any thread.
QRegion AlphaRegion(const QImage& image);
