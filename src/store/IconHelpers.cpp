#include "store/IconHelpers.h"

#include "platform/Framework.h"
#include "platform/Plugin.h"

#include <QPainter>

namespace GlobalModule {

QImage GetIconImageMethod(const FolderItem& f, int width, const QString& kind) {
    QImage src;
    if (TextEquals(kind, QStringLiteral("icon")))
        src = IconImageMBS(f, width);
    else if (TextEquals(kind, QStringLiteral("mask")))
        src = IconMaskMBS(f, width);
    else
        return {};
    if (src.isNull())
        return {};
    QImage r(src.size(), QImage::Format_RGB32);
    r.fill(Qt::white);
    QPainter p(&r);
    p.drawImage(0, 0, src);
    return r;
}

QRect FittedRect(int pw, int ph, int w, int h) {
    const double rx = double(pw) / w;
    const double ry = double(ph) / h;
    if (rx > 1.0 || ry > 1.0) {
        const double s = ry < rx ? rx : ry;
        pw = RealToInt(pw / s);
        ph = RealToInt(ph / s);
    }
    const int x = RealToInt((w - pw) / 2.0);
    const int y = RealToInt((h - ph) / 2.0);
    return QRect(x, y, pw, ph);
}

MaskedPicture GetImageFreeSizeMethod(const QImage& pic, int w, int h, const QString&) {
    if (pic.isNull())
        return {};
    if (w == 0 && h == 0)
        return {};
    if (w <= 0 || h <= 0)
        return {};
    const QRect target = FittedRect(pic.width(), pic.height(), w, h);
    MaskedPicture r;
    r.image = QImage(w, h, QImage::Format_RGB32);
    r.image.fill(Qt::white);
    {
        QPainter p(&r.image);
        p.drawImage(target.topLeft(), SmoothScaled(pic, target.size()));
    }
    // Either kind: the whole fitted rectangle is opaque, the rest of the box transparent.
    // (A mask picture carries no mask of its own; it is drawn through itself later.)
    r.mask = QImage(w, h, QImage::Format_RGB32);
    r.mask.fill(Qt::white);
    {
        QPainter p(&r.mask);
        p.fillRect(target, Qt::black);
    }
    return r;
}

QString StoredIconText(const QImage& picture) {
    return EncodeBase64(PictureToStringMBS(picture, QStringLiteral("jpeg"), 1024, 32), 76);
}

QImage PictureFromStoredIconText(const QString& text) {
    return StringtoPictureMBS(DecodeBase64(text), QStringLiteral("temp"), QStringLiteral("jpeg"));
}

} // namespace GlobalModule
