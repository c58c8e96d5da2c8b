#include "platform/Pixels.h"

#include <gtest/gtest.h>

namespace {

// A picture's pixel through a grey mask level, worked out by hand: each channel and the alpha
// are x * (255 - grey) / 255 rounded to nearest; the picture's own alpha byte does not count.
TEST(PixelsTest, AMaskLevelBecomesPremultipliedAlpha) {
    struct Case {
        QRgb picture;
        uint grey;
        QRgb expected;
    };
    const Case cases[] = {
        {0xff804020u, 0, 0xff804020u},   // black: the picture as it is
        {0x00804020u, 0, 0xff804020u},   // its alpha byte ignored
        {0xff804020u, 255, 0x00000000u}, // white: nothing
        {0xffffffffu, 255, 0x00000000u},
        {0xff804020u, 128, 0x7f402010u}, // 128 * 127 / 255 = 63.75, 32 * 127 / 255 = 15.9
        {0xffffffffu, 1, 0xfefefefeu},
        {0xffffffffu, 254, 0x01010101u},
        {0xff010101u, 127, 0x80010101u}, // 128 / 255 of 1 rounds up
        {0xff000000u, 100, 0x9b000000u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.picture << " grey " << std::dec << c.grey);
        EXPECT_EQ(MaskedPixel(c.picture, c.grey), c.expected);
        QRgb out = 0;
        const QRgb mask = qRgb(int(c.grey), int(c.grey), int(c.grey));
        MaskRowToAlpha(&c.picture, &mask, &out, 1);
        EXPECT_EQ(out, c.expected);
    }
}

// Every channel value at every mask level rounds as Qt's own premultiplying conversion
// does, so a picture joined here matches one Qt paints with the same alpha.
TEST(PixelsTest, EveryLevelRoundsAsQtPremultiplies) {
    QImage straight(256, 256, QImage::Format_ARGB32);
    for (int grey = 0; grey < 256; ++grey) {
        QRgb* line = reinterpret_cast<QRgb*>(straight.scanLine(grey));
        for (int v = 0; v < 256; ++v)
            line[v] = qRgba(v, 255 - v, (v * 7) & 0xff, 255 - grey);
    }
    const QImage qt = straight.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int differing = 0;
    for (int grey = 0; grey < 256; ++grey)
        for (int v = 0; v < 256; ++v)
            differing += MaskedPixel(straight.pixel(v, grey), uint(grey)) != qt.pixel(v, grey);
    EXPECT_EQ(differing, 0);
}

// Where the mask is smaller than the picture (or missing), the picture shows opaque.
TEST(PixelsTest, APictureBeyondItsMaskIsOpaque) {
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(0xff204080u);
    QImage mask(2, 1, QImage::Format_RGB32);
    mask.fill(Qt::white);
    const QImage joined = CGCreateImageMBS(picture, mask);
    ASSERT_EQ(joined.format(), QImage::Format_ARGB32_Premultiplied);
    const QRgb expected[2][3] = {{0u, 0u, 0xff204080u}, {0xff204080u, 0xff204080u, 0xff204080u}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(joined.pixel(x, y), expected[y][x]) << x << "," << y;
    EXPECT_EQ(CGCreateImageMBS(picture, QImage()).pixel(0, 0), 0xff204080u);
    EXPECT_TRUE(CGCreateImageMBS(QImage(), mask).isNull());
}

} // namespace
