#include "launcher/LauncherGeometry.h"

namespace LauncherGeometry {

Pitch PitchFor(int iconSize, bool viewName) {
    struct Row {
        int icon, pitchOn, nameOn, pitchOff;
    };
    static constexpr Row table[] = {{32, 50, 10, 34},
                                    {48, 70, 11, 50},
                                    {64, 100, 12, 66},
                                    {100, 128, 12, 102},
                                    {128, 140, 14, 130}};
    for (const Row& r : table)
        if (r.icon == iconSize)
            return viewName ? Pitch{r.pitchOn, r.nameOn, true} : Pitch{r.pitchOff, 0, true};
    return {};
}

Height HeightFor(int width, int space, int nameTextSize, bool viewTitleMenu, int itemCount) {
    Height out;
    if (space <= 0)
        return out;
    int h = viewTitleMenu ? space + 25 : space;
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
    const int row = viewTitleMenu ? (y - 25) / p : y / p;
    if (y < 0)
        return -1;
    return col + row * limit;
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
