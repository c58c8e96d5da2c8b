#include "store/StoredPicture.h"

#include "platform/Framework.h"
#include "platform/ImageMemo.h"
#include "platform/Jpeg.h"
#include "platform/PictureCodecs.h"

#include <QBuffer>
#include <QImageReader>
#include <atomic>
#include <cmath>

namespace {

qint64 nextKey() {
    static std::atomic<qint64> key{0};
    return ++key;
}

QImage finish(QImage img, bool grey) {
    if (img.isNull())
        return img;
    const QImage::Format wanted = grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32;
    return img.format() == wanted ? img : img.convertToFormat(wanted);
}

} // namespace

StoredPicture::StoredPicture(const QImage& picture) {
    if (picture.isNull())
        return;
    // The same picture (the icon of documents of one kind) is compressed once.
    static ImageMemo<StoredPicture> compressed(128);
    *this = compressed.get(picture, [](const QImage& p) {
        return fromData(PictureToStringMBS(p, QStringLiteral("jpeg"), 1024, 32));
    });
}

StoredPicture StoredPicture::fromData(const QByteArray& data) {
    StoredPicture p;
    if (data.isEmpty())
        return p;
    const QSize size = Jpeg::Size(data); // the header alone
    // A picture past the bound is a broken icon, never decoded.
    if (!Jpeg::Acceptable(size))
        return p;
    p.m_data = data;
    p.m_size = size;
    p.m_key = nextKey();
    return p;
}

StoredPicture StoredPicture::fromText(const QString& text) {
    return fromData(DecodeBase64(text));
}

QString StoredPicture::text() const {
    return EncodeBase64(m_data, 76);
}

QImage StoredPicture::picture(bool grey) const {
    return pictureAtLeast(m_size, grey);
}

int StoredPicture::decodedEighths(QSize atLeast) const {
    // The codec decodes at m/8 of the picture's size, m from 1 to 8: the smallest m that
    // still covers the wanted size in both directions.
    const int w = m_size.width(), h = m_size.height();
    int m = 8;
    while (m > 1 && (w * (m - 1) + 7) / 8 >= atLeast.width() &&
           (h * (m - 1) + 7) / 8 >= atLeast.height())
        --m;
    return m;
}

QSize StoredPicture::decodedSizeFor(QSize atLeast) const {
    const int m = decodedEighths(atLeast);
    const int w = m_size.width(), h = m_size.height();
    return m == 8 ? m_size : QSize((w * m + 7) / 8, (h * m + 7) / 8);
}

QImage StoredPicture::pictureAtLeast(QSize atLeast, bool grey) const {
    if (isNull())
        return {};
    if (QImage img = Jpeg::Decode(m_data, decodedEighths(atLeast)); !img.isNull())
        return finish(std::move(img), grey);
    QBuffer buffer;
    buffer.setData(m_data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    const QSize decoded = decodedSizeFor(atLeast);
    if (decoded != m_size) {
        reader.setScaledSize(decoded);
        // Below the reader's "high quality" level it leaves the scaling to the codec alone
        // instead of decoding at twice the size and shrinking that again.
        reader.setQuality(49);
    }
    QImage img;
    if (!reader.read(&img))
        return {};
    return finish(std::move(img), grey);
}
