#pragma once

#include "launcher/LauncherWin.h"
#include "store/AppListClass.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <memory>

// An item with a solid square icon (opaque everywhere) and the given path.
inline std::shared_ptr<AppListClass> makeItem(const QString& name, QColor color = Qt::red,
                                              const QString& path = QString()) {
    auto item = std::make_shared<AppListClass>();
    item->AppName = name;
    item->AppPath = path;
    item->f = FolderItem(path);
    QImage icon(128, 128, QImage::Format_RGB32);
    icon.fill(color);
    item->Icon = icon;
    QImage mask(128, 128, QImage::Format_RGB32);
    mask.fill(Qt::black);
    item->IconMask = mask;
    return item;
}

// A launcher window not backed by the database, composed at the given width.
inline std::unique_ptr<LauncherWin> makeWindow(int items, int width = 328,
                                               QColor color = QColor(0x33, 0x66, 0xCC)) {
    auto w = std::make_unique<LauncherWin>();
    w->LauncherWinName = QStringLiteral("apple");
    w->WinColor = qint64(color.rgb() & 0xFFFFFF);
    w->IconSize = 48;
    w->SpaceForIconSizeValueSelectMethod();
    w->setWidth(width);
    for (int i = 0; i < items; ++i)
        w->LauncherItemArr->push_back(makeItem(QStringLiteral("App%1").arg(i)));
    w->MakeAppImageMethod();
    return w;
}
