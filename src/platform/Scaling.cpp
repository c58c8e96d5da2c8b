#include "platform/Scaling.h"

QImage SmoothScaled(const QImage& image, QSize size) {
    if (image.isNull() || size.isEmpty())
        return {};
    const QImage source = image.format() == QImage::Format_ARGB32_Premultiplied ||
                                  image.format() == QImage::Format_RGB32
                              ? image
                              : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (source.size() == size)
        return source;
    // Qt's smooth scaling averages every source pixel under each target pixel when it
    // shrinks (premultiplied, so edges keep no dark fringe); bilinear sampling would skip
    // pixels and leave stair-stepped edges.
    QImage out = source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    out.setDevicePixelRatio(1.0);
    return out;
}

QImage FittedIcon(QImage image, int size) {
    if (image.isNull())
        return {};
    image.setDevicePixelRatio(1.0);
    if (image.width() != size && image.height() != size)
        image = SmoothScaled(image, image.size().scaled(size, size, Qt::KeepAspectRatio));
    return image;
}
