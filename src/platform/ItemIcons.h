#pragma once

// Items' icons as the desktop shows them.

#include "platform/FolderItem.h"

#include <QImage>

// An item's icon at size x size, with alpha; never null for an existing item.
QImage IconImageMBS(const FolderItem& f, int size);
// Its mask: the icon's alpha as grey, black opaque and white transparent.
QImage IconMaskMBS(const FolderItem& f, int size);
// Both from one lookup of the item's icon.
struct IconAndMask {
    QImage icon;
    QImage mask;
};
IconAndMask IconAndMaskMBS(const FolderItem& f, int size);
// The same from the icon themes alone, safe on any thread: both null when only the
// platform's own icons would serve (those are made on the GUI thread).
IconAndMask ThemedIconAndMaskMBS(const FolderItem& f, int size);
