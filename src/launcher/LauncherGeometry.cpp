#include "launcher/LauncherGeometry.h"

#include "store/IconSizes.h"

namespace LauncherGeometry {

Pitch PitchFor(int iconSize, bool viewName) {
    struct Row {
        int pitchOn, nameOn, pitchOff;
    };
    // A row for each of IconSizes, in its order: 32, 48, 64, 100, 128.
    static constexpr Row table[] = {
        {50, 10, 34}, {70, 11, 50}, {100, 12, 66}, {128, 12, 102}, {140, 14, 130}};
    static_assert(std::size(table) == IconSizes.size());
    const int i = IconSizeIndex(iconSize);
    if (i < 0)
        return {};
    const Row& r = table[i];
    return viewName ? Pitch{r.pitchOn, r.nameOn, true} : Pitch{r.pitchOff, 0, true};
}

Height HeightFor(int width, int space, int nameTextSize, bool viewTitleMenu, int itemCount) {
    Height out;
    if (space <= 0)
        return out;
    int h = viewTitleMenu ? space + TitleBandHeight : space;
    const int n = itemCount - 1;
    int x = 0;
    for (int i = 0; i <= n; ++i) {
        x += space;
        if (width - space < x) {
            x = 0;
            if (i < n)
                h += space + nameTextSize;
        }
    }
    if (h == 0)
        h = space;
    // Items per full row: what a wrap finds (W div S), also for a grid that never wrapped,
    // so that hit tests and the one-column steps always agree with the drawing.
    out.limitWidthCount = qMax(1, width / space);
    out.height = h;
    return out;
}

int IndexAt(int x, int y, int space, int nameTextSize, bool viewTitleMenu, int limitWidthCount) {
    if (space <= 0)
        return -1;
    const int limit = qMax(1, limitWidthCount);
    int col = x / space;
    // A point right of the last full column belongs to no cell.
    if (x < 0 || col >= limit)
        return -1;
    const int p = nameTextSize > 0 ? space + nameTextSize - 2 : space;
    const int row = viewTitleMenu ? (y - TitleBandHeight) / p : y / p;
    if (y < 0)
        return -1;
    return col + row * limit;
}

int LaidOutIconSize(qint64 storedIconSize) {
    return IconSizeIndex(storedIconSize) >= 0 ? int(storedIconSize) : DefaultIconSize;
}

QPoint PlacedOnScreen(const QRect& window, const std::vector<QRect>& screens) {
    if (screens.empty() || window.isEmpty())
        return window.topLeft();
    const QRect band(window.left(), window.top(), window.width(),
                     qMin(TitleBandHeight, window.height()));
    const int gripWidth = qMin(32, band.width());
    const int gripHeight = qMin(12, band.height());
    for (const QRect& screen : screens) {
        const QRect on = band & screen;
        if (on.width() >= gripWidth && on.height() >= gripHeight)
            return window.topLeft();
    }
    // The screen nearest to the band's centre.
    const QPoint c = band.center();
    const QRect* nearest = &screens.front();
    qint64 best = -1;
    for (const QRect& screen : screens) {
        const qint64 dx = c.x() < screen.left()    ? screen.left() - c.x()
                          : c.x() > screen.right() ? c.x() - screen.right()
                                                   : 0;
        const qint64 dy = c.y() < screen.top()      ? screen.top() - c.y()
                          : c.y() > screen.bottom() ? c.y() - screen.bottom()
                                                    : 0;
        const qint64 d = dx * dx + dy * dy;
        if (best < 0 || d < best) {
            best = d;
            nearest = &screen;
        }
    }
    const QRect& s = *nearest;
    const int x = qBound(s.left(), window.left(), qMax(s.left(), s.right() + 1 - band.width()));
    const int y = qBound(s.top(), window.top(), qMax(s.top(), s.bottom() + 1 - band.height()));
    return {x, y};
}

int TallestWindow(const std::vector<QRect>& screens) {
    int tallest = MaxPictureHeight;
    for (const QRect& screen : screens)
        if (screen.height() > 0)
            tallest = qMin(tallest, 5 * screen.height());
    return tallest;
}

int LoadedWidth(int storedWidth, int space, int screenWidth) {
    const int p = 2 * space;
    if (storedWidth < p)
        return p;
    if (screenWidth < storedWidth)
        return p;
    return storedWidth;
}

} // namespace LauncherGeometry
