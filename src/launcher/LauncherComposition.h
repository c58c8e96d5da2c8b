#pragma once

#include "launcher/LauncherGeometry.h"
#include "store/AppListClass.h"

#include <QColor>
#include <QImage>
#include <QRegion>
#include <QString>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

// The picture of a launcher window, composed from its settings and items.
namespace LauncherComposition {

// An item's icon fitted to an icon size, kept between compositions for the items shown:
// decoding and fitting the stored pictures is most of a composition's cost.
struct FittedIcon {
    qint64 iconKey = 0;
    qint64 maskKey = 0;
    int size = 0;
    qreal dpr = 1.0;
    bool ok = false;
    QImage picture; // the icon-size box at device pixels: colour and mask joined (see
                    // GlobalModule::FittedIconPicture)
    // The item's name laid out once for its size and cell width.
    QString name;
    int nameSize = 0;
    int cellWidth = 0;
    int nameWidth = 0;
    qreal nameDpr = 0;
    QImage nameGlyphs; // the name's coverage (Alpha8) at device pixels, drawn from nameOrigin
    QPoint nameOrigin; // where nameGlyphs starts, from the name's left edge and top row
};
using FittedCache = std::unordered_map<const AppListClass*, FittedIcon>;

struct Input {
    int width = 0;
    int iconSize = 48;
    bool viewName = true;
    bool viewTitleMenu = true;
    bool viewBackPanel = true;
    QString name;
    QColor color;
    const AppListArray* items = nullptr;
    FittedCache* cache = nullptr; // optional; entries of items no longer shown are dropped
    qreal dpr = 1.0;     // device pixels per logical pixel: the picture is composed at device size
    QImage recycled;     // the previous picture, whose pixels may be reused when it is unshared
    bool shape = false;  // make the window's shape from the picture (no compositor runs)
    int screenWidth = 0; // the title is cut short to keep the window within it (0: no limit)
    int maxHeight = 0;   // the tallest the window may be (0: only the X server's limit)
};

struct Output {
    QImage pic; // ARGB32 premultiplied, width x height logical pixels at the device ratio
    int width = 0;
    int height = 0;
    int space = 0;
    int nameTextSize = 0;
    int limitWidthCount = 0;
    int titleNameStringWidth = 0;
    int prefIconX = 0;
    int prefIconY = LauncherGeometry::SettingsIconTop;
    bool titleLaidOut = false;
    std::vector<QPoint> itemPositions; // each item's icon, top-left, in window coordinates
    std::optional<QRegion> shape;      // the picture's shape, when asked for
};

// Composes on the pool when there are many items and this thread is outside it.
Output Compose(Input in);

// Names are laid out on the pool in runs of this many.
inline constexpr size_t kNamesPerTask = 64;
// Whether a composition of so many items spreads over the pool (see Parallel::Spread).
inline bool Spreads(size_t items) {
    return items > 4 * kNamesPerTask;
}

// An item's icon fitted to a size: its stored pictures decoded at the device size and
// joined. Safe on any thread; the loading fits the icons of many items side by side.
FittedIcon FitIcon(const AppListClass& item, int size, qreal dpr);
// Keeps a fitted icon for an item; the name laid out for it earlier stays.
void KeepFitted(FittedCache& cache, const AppListClass* item, FittedIcon&& fitted);

// The pixel width of a text in the default font at a pixel size.
int TextWidth(const QString& text, int pixelSize);

} // namespace LauncherComposition
