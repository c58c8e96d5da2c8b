#pragma once

#include "platform/FolderItem.h"
#include "store/StoredPicture.h"

#include <QImage>
#include <QString>

// A picture with the mask it is drawn through (black opaque, white transparent).
struct MaskedPicture {
    QImage image;
    QImage mask;
    bool isNull() const { return image.isNull(); }
};

// The kinds the icon helpers are asked for.
namespace IconKind {
inline const QString Icon = QStringLiteral("icon");
inline const QString Mask = QStringLiteral("mask");
} // namespace IconKind

namespace GlobalModule {

// A file's icon (kind "icon") or icon mask (kind "mask") at the given width, copied onto a
// plain white 32-bit picture. Null for any other kind or a null item.
QImage GetIconImageMethod(const FolderItem& f, int width, const QString& kind);
// Both kinds from one lookup of the file's icon: the picture and its mask.
MaskedPicture GetIconAndMaskMethod(const FolderItem& f, int width);
// The same from the icon themes alone, on any thread; null when only the platform's own icons
// (GUI thread only) would serve.
MaskedPicture ThemedIconAndMask(const FolderItem& f, int width);

// Fits a picture into a w x h box: shrinks only, keeps proportions, centres. The result's
// mask is black exactly over the fitted rectangle. Null for a null picture or a 0 x 0 box.
MaskedPicture GetImageFreeSizeMethod(const QImage& pic, int w, int h, const QString& kind);

// The rectangle GetImageFreeSizeMethod draws a pw x ph picture into inside a w x h box.
QRect FittedRect(int pw, int ph, int w, int h);

// The stored icon text: Base64 (lines of 76) of the picture's JPEG data, and back.
QString StoredIconText(const QImage& picture);
QImage PictureFromStoredIconText(const QString& text);
// The text of a picture already kept compressed: its bytes as they are, not compressed again.
QString StoredIconText(const StoredPicture& picture);

// An icon and its mask fitted into a size x size box (logical pixels) for a device pixel
// ratio, decoded straight at the device size: one premultiplied ARGB picture whose alpha is
// 255 - the mask's grey over the fitted rectangle and 0 around it. Null when either is null.
QImage FittedIconPicture(const StoredPicture& icon, const StoredPicture& mask, int size,
                         qreal dpr = 1.0);

} // namespace GlobalModule
