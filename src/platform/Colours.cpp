#include "platform/Colours.h"

qint64 Color2IntegerMBS(const QColor& color) {
    return qint64(color.rgb() & 0xFFFFFF);
}

QColor Integer2ColorMBS(qint64 value) {
    return QColor(QRgb(quint32(value) & 0xFFFFFF));
}
