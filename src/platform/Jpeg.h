#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QSize>

// JPEG decoding straight from the codec, for the many small pictures a start decodes: no
// reader objects, and the pixels land in the picture's own format. The pictures are those
// Qt's reader gives for the same bytes.
namespace Jpeg {

// Pictures larger than this are refused rather than decoded (as Qt's image readers refuse
// past their allocation limit of 256 MB): an icon never needs them, and a damaged or hostile
// header would otherwise cost seconds and gigabytes.
constexpr qint64 MaxPixels = qint64(8192) * 8192;
inline bool Acceptable(QSize size) {
    return size.isValid() && !size.isEmpty() && qint64(size.width()) * size.height() <= MaxPixels;
}

// The picture's size from its header alone; invalid when the bytes are not a JPEG.
QSize Size(QByteArrayView data);

// The picture decoded at eighths/8 of its size (1 to 8; below 8 the codec scales while
// decoding, with its fast transform, as the reader does below its "high quality" level).
// Grayscale8 for a grey picture, RGB32 for a colour one; null when it does not decode.
QImage Decode(QByteArrayView data, int eighths = 8);

} // namespace Jpeg
