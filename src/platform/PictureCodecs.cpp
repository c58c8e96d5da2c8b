#include "platform/PictureCodecs.h"

#include "platform/Pixels.h"

#include <QBuffer>

QByteArray PictureToStringMBS(const QImage& picture, const QString& codec, int quality, int) {
    if (picture.isNull())
        return {};
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    // 1024 is the top of the scale: best quality.
    const int q = qBound(0, quality * 100 / 1024, 100);
    picture.convertToFormat(QImage::Format_RGB32).save(&buffer, codec.toLatin1().constData(), q);
    return data;
}

QImage StringtoPictureMBS(const QByteArray& data, const QString&, const QString& type) {
    if (data.isEmpty())
        return {};
    QImage img;
    if (!img.loadFromData(data, type.toLatin1().constData()))
        return {};
    return img.convertToFormat(QImage::Format_RGB32);
}

PNGPictureMBS OpenAsPNGMBS(const QString& path, double) {
    PNGPictureMBS png;
    QImage img;
    if (!img.load(path, "PNG"))
        return png;
    img = img.convertToFormat(QImage::Format_ARGB32);
    png.Pict = QImage(img.size(), QImage::Format_RGB32);
    png.Mask = QImage(img.size(), QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        QRgb* pict = reinterpret_cast<QRgb*>(png.Pict.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            pict[x] = qRgb(qRed(src[x]), qGreen(src[x]), qBlue(src[x]));
        AlphaRowToMask(src, reinterpret_cast<QRgb*>(png.Mask.scanLine(y)), img.width());
    }
    return png;
}
