#pragma once

// Pixel arithmetic: pictures with grey masks (black opaque, white transparent) and the
// premultiplied alpha they stand for.

#include <QImage>

// On packed 0xAARRGGBB values, two channels at a time (x * a / 255, and
// x * a / 255 + y * b / 255 with a + b = 255), rounded like the raster paint engine.
inline uint ByteMul(uint x, uint a) {
    uint t = (x & 0xff00ffu) * a;
    t = ((t + ((t >> 8) & 0xff00ffu) + 0x800080u) >> 8) & 0xff00ffu;
    x = ((x >> 8) & 0xff00ffu) * a;
    x = (x + ((x >> 8) & 0xff00ffu) + 0x800080u) & 0xff00ff00u;
    return x | t;
}
inline uint Interpolate255(uint x, uint a, uint y, uint b) {
    uint t = (x & 0xff00ffu) * a + (y & 0xff00ffu) * b;
    t = ((t + ((t >> 8) & 0xff00ffu) + 0x800080u) >> 8) & 0xff00ffu;
    x = ((x >> 8) & 0xff00ffu) * a + ((y >> 8) & 0xff00ffu) * b;
    x = (x + ((x >> 8) & 0xff00ffu) + 0x800080u) & 0xff00ff00u;
    return x | t;
}

// A picture's pixel seen through its mask's grey level (0 opaque, 255 transparent), as
// premultiplied alpha: colour from the picture (its own alpha ignored), alpha 255 - grey.
// Every mask becomes alpha through this.
inline QRgb MaskedPixel(QRgb picture, uint grey) {
    const uint a = 255u - grey;
    return a == 0 ? 0u : ByteMul(picture | 0xff000000u, a);
}
// One row of a picture joined with its grey mask.
inline void MaskRowToAlpha(const QRgb* picture, const QRgb* mask, QRgb* out, int width) {
    for (int x = 0; x < width; ++x)
        out[x] = MaskedPixel(picture[x], mask[x] & 0xffu);
}
// One row of alpha turned into the grey mask that stands for it; the way back.
inline void AlphaRowToMask(const QRgb* argb, QRgb* mask, int width) {
    for (int x = 0; x < width; ++x) {
        const int g = 255 - qAlpha(argb[x]);
        mask[x] = qRgb(g, g, g);
    }
}

// One image that shows the picture where the mask is black, nothing where it is white and
// partly where grey: colour from the picture, alpha = 255 - the mask's grey.
QImage CGCreateImageMBS(const QImage& picture, const QImage& mask);
