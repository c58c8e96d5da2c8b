#pragma once

#include "store/AppListClass.h"

#include <QColor>
#include <QImage>
#include <QStaticText>
#include <QString>
#include <unordered_map>
#include <vector>

// The picture of a launcher window, composed from its settings and items.
namespace LauncherComposition {

// An item's icon and mask fitted to an icon size, kept between compositions: fitting from
// the stored 128-pixel pictures is most of a composition's cost.
struct FittedIcon {
    qint64 iconKey = 0;
    qint64 maskKey = 0;
    int size = 0;
    bool ok = false;
    QImage icon;     // the fitted rectangle of the icon
    QPoint offset;   // where that rectangle lies in the icon-size box
    QImage selfMask; // the fitted mask, drawn through itself
    // The item's name laid out once for its size and cell width.
    QString name;
    int nameSize = 0;
    int cellWidth = 0;
    int nameWidth = 0;
    QStaticText nameText;
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
    QImage recycled; // the previous picture, whose pixels may be reused when it is unshared
};

struct Output {
    QImage pic; // ARGB32 premultiplied, width x height
    int width = 0;
    int height = 0;
    int space = 0;
    int nameTextSize = 0;
    int limitWidthCount = 0;
    int titleNameStringWidth = 0;
    int prefIconX = 0;
    int prefIconY = -2;
    bool titleLaidOut = false;
    std::vector<QPoint> itemPositions; // each item's icon, top-left, in window coordinates
};

Output Compose(Input in);

// The pixel width of a text in the default font at a pixel size.
int TextWidth(const QString& text, int pixelSize);

} // namespace LauncherComposition
