#include "platform/AlphaShape.h"

#include "platform/WindowSystem.h"

#include <QWidget>
#include <vector>

QRegion AlphaRegion(const QImage& image) {
    if (image.isNull())
        return {};
    const qreal dpr = image.devicePixelRatio();
    const QSize size = image.deviceIndependentSize().toSize();
    const QImage argb = image.format() == QImage::Format_ARGB32_Premultiplied ||
                                image.format() == QImage::Format_ARGB32
                            ? image
                            : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    std::vector<int> columns(size_t(size.width()));
    for (int x = 0; x < size.width(); ++x)
        columns[size_t(x)] = qMin(argb.width() - 1, int(x * dpr));
    // Rows with the same runs join into one band of rectangles, as the engine keeps them.
    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> runs, bandRuns;
    size_t bandStart = 0;
    for (int y = 0; y < size.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(
            argb.constScanLine(qMin(argb.height() - 1, int(y * dpr))));
        runs.clear();
        for (int x = 0; x < size.width();) {
            if (qAlpha(line[columns[size_t(x)]]) == 0) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < size.width() && qAlpha(line[columns[size_t(x)]]) != 0)
                ++x;
            runs.emplace_back(start, x - start);
        }
        if (y > 0 && runs == bandRuns) {
            for (size_t i = bandStart; i < rects.size(); ++i)
                rects[i].setBottom(y);
            continue;
        }
        bandStart = rects.size();
        bandRuns = runs;
        for (const auto& [x, w] : runs)
            rects.emplace_back(x, y, w, 1);
    }
    QRegion region;
    region.setRects(rects.data(), int(rects.size()));
    return region;
}

namespace {
// Qt takes an empty mask for "no shape"; an empty shape is one rectangle outside the window,
// which the server clips away.
const QRegion& nothingShown() {
    static const QRegion outside(-1, -1, 1, 1);
    return outside;
}

// With a compositor the window has no shape, and one set earlier is cleared. Without one
// the shape is what is drawn: an empty picture is an empty shape.
void setShape(QWidget* window, bool compositing, const QRegion& shape) {
    if (!compositing)
        window->setMask(shape.isEmpty() ? nothingShown() : shape);
    else if (!window->mask().isEmpty())
        window->clearMask();
}
} // namespace

void ApplyAlphaShape(QWidget* window, const QImage& image) {
    if (!window)
        return;
    // Made only where it is applied.
    const bool compositing = WindowSystem::instance().compositingActive();
    setShape(window, compositing, compositing ? QRegion() : AlphaRegion(image));
}

void ApplyAlphaShape(QWidget* window, const QRegion& shape) {
    if (window)
        setShape(window, WindowSystem::instance().compositingActive(), shape);
}
