#pragma once

#include "platform/FolderItem.h"

#include <QImage>
#include <QString>

// A picture with the mask it is drawn through (black opaque, white transparent).
struct MaskedPicture {
    QImage image;
    QImage mask;
    bool isNull() const { return image.isNull(); }
};

namespace GlobalModule {

// A file's icon (kind "icon") or icon mask (kind "mask") at the given width, copied onto a
// plain white 32-bit picture. Null for any other kind or a null item.
QImage GetIconImageMethod(const FolderItem& f, int width, const QString& kind);

// Fits a picture into a w x h box: shrinks only, keeps proportions, centres. The result's
// mask is black exactly over the fitted rectangle. Null for a null picture or a 0 x 0 box.
MaskedPicture GetImageFreeSizeMethod(const QImage& pic, int w, int h, const QString& kind);

// The rectangle GetImageFreeSizeMethod draws a pw x ph picture into inside a w x h box.
QRect FittedRect(int pw, int ph, int w, int h);

// The stored icon text: Base64 (lines of 76) of the picture's JPEG data, and back.
QString StoredIconText(const QImage& picture);
QImage PictureFromStoredIconText(const QString& text);

} // namespace GlobalModule
