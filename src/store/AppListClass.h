#pragma once

#include "platform/FolderItem.h"
#include "store/StoredPicture.h"

#include <QImage>
#include <QString>
#include <memory>
#include <vector>

// One item of a launcher window: an application, document or folder.
class AppListClass {
public:
    QString AppName;
    QString AppPath;
    FolderItem f;
    qint64 AppSEQ = 0;
    // The 128-pixel icon and its mask (black opaque, white transparent), kept compressed as
    // stored; null when the stored text did not decode.
    StoredPicture Icon;
    StoredPicture IconMask;
    qint64 AppUID = 0;
    bool Broken = false;
    QString NewOldValue;
    qint32 Left = 0; // the icon's place inside its launcher window, set by the layout
    qint32 Top = 0;
};

// The items of a launcher window in display order; a window holds them in an AppListModel.
using AppListArray = std::vector<std::shared_ptr<AppListClass>>;
