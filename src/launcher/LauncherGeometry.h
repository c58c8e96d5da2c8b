#pragma once

#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QtGlobal>
#include <vector>

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

// The icon size a window is laid out with: a stored size outside the table (written by
// another tool) is laid out at the default, without rewriting the stored row.
int LaidOutIconSize(qint64 storedIconSize);

// The height of the title band, by which a window is dragged.
constexpr int TitleBandHeight = 25;
// The title band: the name's text size, the gap from the name to the settings icon, and
// the room the settings and plus/minus icons take after it.
constexpr int TitleTextPixels = 14;
constexpr int TitleIconsGap = 30;
constexpr int TitleIconsWidth = 65;
// The title band's icons, from the settings icon's corner (PrefIconXValue, SettingsIconTop).
// A release picks an icon inside its rectangle, edges included; the left half of the
// plus/minus icon widens the window, the right half narrows it. The plus/minus icon is drawn
// at its rectangle's corner; the grey its mask takes stands at the band's own y of the same
// rectangle, not shifted with the corner.
constexpr int SettingsIconTop = -2;
constexpr QRectF SettingsIconHit(0, 2, 24, 22);
constexpr QRectF PlusMinusIcon(30, 1, 32, 19);
// The name's rounded plate: its margin right of the name, its height and corner radius.
constexpr int TitlePlateMargin = 20;
constexpr int TitlePlateHeight = 20;
constexpr int TitlePlateRadius = 5;
// The back panel's corner radius, and the grey its mask takes where it is half opaque.
constexpr int PanelRadius = 15;
constexpr int PanelMaskGrey = 180;
// Where a window goes so that its title band is on a screen: where it is, when a grip of
// the band (32 by 12 pixels, or all of a smaller band) lies on some screen; otherwise the
// nearest place on the screen closest to the band.
QPoint PlacedOnScreen(const QRect& window, const std::vector<QRect>& screens);

// The tallest picture composed for a window: an X11 window is at most 32767 pixels high,
// and a taller picture leaves the window blank. Rows beyond it are left out.
constexpr int MaxPictureHeight = 32767;
// The tallest a window is laid out on these screens, in logical pixels: five times the
// shortest screen's height. A window manager keeps a tenth of an application's window on
// the screen (openbox moves a taller window up until a tenth is left on it), which would
// put the title band of a window of thousands of items far above the screen; at five
// screens the tenth is half a screen, and the band stays on it wherever it is placed.
// Rows beyond are left out. No screens: no limit but the X server's.
int TallestWindow(const std::vector<QRect>& screens);

} // namespace LauncherGeometry
