#pragma once

#include <QImage>
#include <QRegion>
#include <QWidget>

// A frameless, floating, translucent window that shows one composed image with alpha: the
// launcher windows, the launch pop-up and the removal overlay. Without a compositing
// manager its shape follows the image's alpha (and the areas that always take the click);
// with one it has no shape, and a shape set earlier is cleared.
class ImageWindow : public QWidget {
public:
    // extra: flags on top of a focus-less, frameless, top-most tool window.
    explicit ImageWindow(Qt::WindowFlags extra = {});

    // The image the window paints, from its top-left corner at its own size.
    virtual const QImage& shownImage() const = 0;

protected:
    // After the image changed: shape again (the compositor may have come or gone) and paint.
    // The image's shape may come made already (AlphaRegion).
    void imageChanged(const QRegion& alwaysClickable = {}, const QRegion* shape = nullptr);
    void paintEvent(QPaintEvent* event) override;
};
