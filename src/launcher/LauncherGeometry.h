#pragma once

#include <QtGlobal>

// The grid of a launcher window: cell pitch by icon size, row wrap, height, hit test.
namespace LauncherGeometry {

struct Pitch {
    int space = 0;        // cell pitch (column width; row height without names)
    int nameTextSize = 0; // 0 when names are off
    bool known = false;   // false for an icon size outside the table
};
Pitch PitchFor(int iconSize, bool viewName);

// Window height that n items need, and the items per full row (at least one).
struct Height {
    int height = 0;
    int limitWidthCount = 0;
};
Height HeightFor(int width, int space, int nameTextSize, bool viewTitleMenu, int itemCount);

// The index of the cell under a window point: columns 0..limit-1 of each row.
int IndexAt(int x, int y, int space, int nameTextSize, bool viewTitleMenu, int limitWidthCount);

// The width a stored row gets at load: two cells at least, and two cells when the stored
// width exceeds the main screen.
int LoadedWidth(int storedWidth, int space, int screenWidth);

} // namespace LauncherGeometry
