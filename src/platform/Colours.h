#pragma once

// Colours as they are stored: 0xRRGGBB.

#include <QColor>

qint64 Color2IntegerMBS(const QColor& color);
QColor Integer2ColorMBS(qint64 value);
