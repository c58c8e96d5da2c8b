#include "platform/ItemIcons.h"

#include "platform/DesktopEntry.h"
#include "platform/IconTheme.h"
#include "platform/ImageMemo.h"
#include "platform/Pixels.h"
#include "platform/Scaling.h"

#include <QApplication>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>
#include <QPainter>
#include <QStyle>

namespace {

QImage IconOf(const QIcon& icon, int size) {
    if (icon.isNull())
        return {};
    // At device pixel ratio 1 whatever the screen's scale: the stored icon is the same
    // picture on every screen.
    return FittedIcon(icon.pixmap(QSize(size, size), 1.0).toImage(), size);
}

// The item's own picture at size x size from the icon themes; null when none has one. Safe
// on any thread.
QImage ThemedDesktopIcon(const FolderItem& f, int size) {
    const QString path = f.AbsolutePath();
    if (IsRegularFile(path) && isDesktopEntryName(f.Name())) {
        // An application whose icon is missing gets the generic application icon.
        for (const QString& name :
             {DesktopEntry::read(path).icon, QStringLiteral("application-x-executable")}) {
            const QImage image = ThemedIconImage(name, size);
            if (!image.isNull())
                return image;
        }
    }
    static const QMimeDatabase mimes;
    const QFileInfo info(path);
    const QMimeType type = mimes.mimeTypeForFile(info);
    for (const QString& name : {type.iconName(), type.genericIconName()}) {
        const QImage image = ThemedIconImage(name, size);
        if (!image.isNull())
            return image;
    }
    return {};
}

// The item's own picture at size x size, as the desktop shows it; null when only the
// style's generic icons remain.
QImage DesktopIcon(const FolderItem& f, int size) {
    if (QImage themed = ThemedDesktopIcon(f, size); !themed.isNull())
        return themed;
    const QFileInfo info(f.AbsolutePath());
    static const QFileIconProvider provider;
    QImage image = IconOf(provider.icon(info), size);
    if (image.isNull() && qApp && qobject_cast<QApplication*>(qApp))
        image = IconOf(QApplication::style()->standardIcon(info.isDir() ? QStyle::SP_DirIcon
                                                                        : QStyle::SP_FileIcon),
                       size);
    return image;
}

// Our own plain tile, for a platform that offers no icon at all.
QImage fallbackIcon(int size, bool folder) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), qMax(1, size / 32)));
    p.setBrush(folder ? QColor(120, 170, 230) : QColor(235, 235, 235));
    const qreal m = size * 0.12;
    p.drawRoundedRect(QRectF(m, m, size - 2 * m, size - 2 * m), size * 0.1, size * 0.1);
    return img;
}

// The icon centred in its size x size box. The same icon (documents of one kind) is placed
// once, and handed out as one picture.
QImage placedIcon(const QImage& img, int size) {
    static ImageMemo<QImage> placed(64);
    return placed.get(img, [size](const QImage& source) {
        QImage out(size, size, QImage::Format_ARGB32_Premultiplied);
        out.fill(Qt::transparent);
        QPainter p(&out);
        p.drawImage((size - source.width()) / 2, (size - source.height()) / 2, source);
        return out;
    });
}

} // namespace

QImage IconImageMBS(const FolderItem& f, int size) {
    if (f.isNull() || size <= 0)
        return {};
    const QImage img = DesktopIcon(f, size);
    if (img.isNull())
        return fallbackIcon(size, f.Directory());
    return placedIcon(img, size);
}

namespace {
QImage MaskOfIcon(const QImage& icon) {
    if (icon.isNull())
        return {};
    static ImageMemo<QImage> masks(64);
    return masks.get(icon, [](const QImage& source) {
        QImage mask(source.size(), QImage::Format_RGB32);
        const QImage argb = source.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < argb.height(); ++y) {
            AlphaRowToMask(reinterpret_cast<const QRgb*>(argb.constScanLine(y)),
                           reinterpret_cast<QRgb*>(mask.scanLine(y)), argb.width());
        }
        return mask;
    });
}
} // namespace

QImage IconMaskMBS(const FolderItem& f, int size) {
    return MaskOfIcon(IconImageMBS(f, size));
}

IconAndMask IconAndMaskMBS(const FolderItem& f, int size) {
    IconAndMask out;
    out.icon = IconImageMBS(f, size);
    out.mask = MaskOfIcon(out.icon);
    return out;
}

IconAndMask ThemedIconAndMaskMBS(const FolderItem& f, int size) {
    IconAndMask out;
    if (f.isNull() || size <= 0)
        return out;
    if (const QImage img = ThemedDesktopIcon(f, size); !img.isNull()) {
        out.icon = placedIcon(img, size);
        out.mask = MaskOfIcon(out.icon);
    }
    return out;
}
