#include "store/IconHelpers.h"

#include "platform/Framework.h"
#include "platform/ImageMemo.h"
#include "platform/ItemIcons.h"
#include "platform/PictureCodecs.h"
#include "platform/Pixels.h"
#include "platform/Scaling.h"

#include <QPainter>

namespace GlobalModule {

namespace {
// A picture copied onto a plain white 32-bit picture; the same picture once.
QImage OnWhite(const QImage& src) {
    if (src.isNull())
        return {};
    static ImageMemo<QImage> copies(128);
    return copies.get(src, [](const QImage& source) {
        QImage r(source.size(), QImage::Format_RGB32);
        r.fill(Qt::white);
        QPainter p(&r);
        p.drawImage(0, 0, source);
        return r;
    });
}
} // namespace

QImage GetIconImageMethod(const FolderItem& f, int width, const QString& kind) {
    if (TextEquals(kind, IconKind::Icon))
        return OnWhite(IconImageMBS(f, width));
    if (TextEquals(kind, IconKind::Mask))
        return OnWhite(IconMaskMBS(f, width));
    return {};
}

MaskedPicture GetIconAndMaskMethod(const FolderItem& f, int width) {
    const IconAndMask both = IconAndMaskMBS(f, width);
    return {OnWhite(both.icon), OnWhite(both.mask)};
}

MaskedPicture ThemedIconAndMask(const FolderItem& f, int width) {
    const IconAndMask both = ThemedIconAndMaskMBS(f, width);
    return {OnWhite(both.icon), OnWhite(both.mask)};
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
    // Documents of one kind share one picture: it is compressed once.
    static ImageMemo<QString> texts(128);
    return texts.get(picture, [](const QImage& p) {
        return EncodeBase64(PictureToStringMBS(p, QStringLiteral("jpeg"), 1024, 32), 76);
    });
}

QString StoredIconText(const StoredPicture& picture) {
    return picture.text();
}

namespace {

// Up to this size a stored picture is decoded whole when its scaled decoding cannot land on
// the fitted size.
constexpr qint64 kWholeDecodePixels = 1024 * 1024;

// A picture of w x h device pixels fitted into a box of d x d: placed as it is when it
// already has the fitted size, else through the fitting helper. Gives the colour (or grey)
// in the box and where the fitted rectangle lies.
struct BoxPicture {
    QImage image;  // d x d, or the picture itself at `at`
    QPoint at;     // where `image` lies in the box
    QImage opaque; // the helper's mask (black over the fitted rectangle), when it was used
    QRect rect;    // the fitted rectangle, when placed as it is
};

BoxPicture intoBox(const QImage& pic, const QRect& wanted, int d, const QString& kind) {
    BoxPicture b;
    if (pic.size() == wanted.size()) {
        b.image = pic;
        b.at = wanted.topLeft();
        b.rect = wanted;
        return b;
    }
    const MaskedPicture fitted = GetImageFreeSizeMethod(pic, d, d, kind);
    b.image = fitted.image;
    b.opaque = fitted.mask.convertToFormat(QImage::Format_Grayscale8);
    return b;
}

} // namespace

QImage FittedIconPicture(const StoredPicture& icon, const StoredPicture& mask, int size,
                         qreal dpr) {
    if (icon.isNull() || mask.isNull() || size <= 0)
        return {};
    const int d = qMax(1, qRound(size * dpr));
    const auto deviceRect = [&](const QSize& picture) {
        const QRect r = FittedRect(picture.width(), picture.height(), size, size);
        return QRect(qRound(r.x() * dpr), qRound(r.y() * dpr), qMax(1, qRound(r.width() * dpr)),
                     qMax(1, qRound(r.height() * dpr)));
    };
    const QRect iconRect = deviceRect(icon.size());
    const QRect maskRect = deviceRect(mask.size());
    // Decoded straight at the fitted size where the codec's scaling lands on it; otherwise
    // whole, and fitted by the fitting helper from the stored size, as everywhere else. A
    // picture far larger than an icon (another tool's, a damaged row) is decoded only at the
    // smallest scale that still covers the box.
    const auto decode = [](const StoredPicture& p, const QRect& r, bool grey) {
        const QSize want = r.size().boundedTo(p.size());
        const bool small = qint64(p.width()) * p.height() <= kWholeDecodePixels;
        return p.decodedSizeFor(want) == r.size() || !small ? p.pictureAtLeast(want, grey)
                                                            : p.picture(grey);
    };
    const BoxPicture colour = intoBox(decode(icon, iconRect, false), iconRect, d, IconKind::Icon);
    const BoxPicture grey = intoBox(decode(mask, maskRect, true), maskRect, d, IconKind::Mask);
    if (colour.image.isNull() || grey.image.isNull())
        return {};
    const QImage c = colour.image.format() == QImage::Format_RGB32
                         ? colour.image
                         : colour.image.convertToFormat(QImage::Format_RGB32);
    const QImage g = grey.image.format() == QImage::Format_Grayscale8
                         ? grey.image
                         : grey.image.convertToFormat(QImage::Format_Grayscale8);

    QImage out(d, d, QImage::Format_ARGB32_Premultiplied);
    out.fill(0);
    for (int y = 0; y < d; ++y) {
        QRgb* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        const int cy = y - colour.at.y(), gy = y - grey.at.y();
        if (cy < 0 || cy >= c.height())
            continue;
        const QRgb* cl = reinterpret_cast<const QRgb*>(c.constScanLine(cy));
        const uchar* gl = gy >= 0 && gy < g.height() ? g.constScanLine(gy) : nullptr;
        const uchar* op = colour.opaque.isNull() ? nullptr : colour.opaque.constScanLine(y);
        for (int x = 0; x < d; ++x) {
            const int cx = x - colour.at.x();
            if (cx < 0 || cx >= c.width())
                continue;
            if (op ? op[x] > 127 : !colour.rect.contains(x, y))
                continue;
            const int gx = x - grey.at.x();
            const uint level = gl && gx >= 0 && gx < g.width() ? gl[gx] : 255u;
            dst[x] = MaskedPixel(cl[cx], level);
        }
    }
    out.setDevicePixelRatio(dpr);
    return out;
}

QImage PictureFromStoredIconText(const QString& text) {
    return StringtoPictureMBS(DecodeBase64(text), QStringLiteral("temp"), QStringLiteral("jpeg"));
}

} // namespace GlobalModule
