#include "platform/Pixels.h"

QImage CGCreateImageMBS(const QImage& picture, const QImage& mask) {
    if (picture.isNull())
        return {};
    const QImage pic = picture.format() == QImage::Format_RGB32
                           ? picture
                           : picture.convertToFormat(QImage::Format_RGB32);
    const QImage m = mask.isNull() || mask.format() == QImage::Format_RGB32
                         ? mask
                         : mask.convertToFormat(QImage::Format_RGB32);
    const int w = pic.width(), h = pic.height();
    const int mw = m.isNull() ? 0 : qMin(w, m.width());
    const int mh = m.isNull() ? 0 : m.height();
    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(pic.constScanLine(y));
        const QRgb* msk = y < mh ? reinterpret_cast<const QRgb*>(m.constScanLine(y)) : nullptr;
        QRgb* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        const int limit = msk ? mw : 0;
        if (msk)
            MaskRowToAlpha(src, msk, dst, limit);
        for (int x = limit; x < w; ++x)
            dst[x] = src[x] | 0xFF000000u;
    }
    return out;
}
