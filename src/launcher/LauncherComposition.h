#pragma once

#include "store/AppListClass.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <vector>

// The picture of a launcher window, composed from its settings and items.
namespace LauncherComposition {

struct Input {
    int width = 0;
    int iconSize = 48;
    bool viewName = true;
    bool viewTitleMenu = true;
    bool viewBackPanel = true;
    QString name;
    QColor color;
    const AppListArray* items = nullptr;
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

Output Compose(const Input& in);

// The pixel width of a text in the default font at a pixel size.
int TextWidth(const QString& text, int pixelSize);

} // namespace LauncherComposition
