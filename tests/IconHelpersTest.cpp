#include "TestSupport.h"

#include "platform/FolderItem.h"
#include "platform/Jpeg.h"
#include "store/IconHelpers.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

namespace {

using GlobalModule::GetIconImageMethod;
using GlobalModule::GetImageFreeSizeMethod;

class IconHelpersTest : public AppTest {};

QImage solid(int w, int h, QColor color) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(color);
    return img;
}

bool isBlack(QRgb c) {
    return qRed(c) == 0 && qGreen(c) == 0 && qBlue(c) == 0;
}
bool isWhite(QRgb c) {
    return qRed(c) == 255 && qGreen(c) == 255 && qBlue(c) == 255;
}

TEST_F(IconHelpersTest, FitsShrinksOnlyAndCentres) {
    const struct {
        int pw, ph, w, h;
        QRect expected;
    } cases[] = {
        {128, 128, 48, 48, QRect(0, 0, 48, 48)},    {128, 64, 48, 48, QRect(0, 12, 48, 24)},
        {64, 128, 48, 48, QRect(12, 0, 24, 48)},    {32, 32, 100, 100, QRect(34, 34, 32, 32)},
        {200, 60, 100, 100, QRect(0, 35, 100, 30)}, {10, 10, 48, 20, QRect(19, 5, 10, 10)},
        {48, 48, 48, 48, QRect(0, 0, 48, 48)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pw << "x" << c.ph << " in " << c.w << "x" << c.h);
        for (const char* kind : {"icon", "mask"}) {
            SCOPED_TRACE(kind);
            const MaskedPicture r =
                GetImageFreeSizeMethod(solid(c.pw, c.ph, Qt::green), c.w, c.h, QLatin1String(kind));
            ASSERT_FALSE(r.isNull());
            ASSERT_EQ(r.image.size(), QSize(c.w, c.h));
            ASSERT_EQ(r.mask.size(), QSize(c.w, c.h));
            EXPECT_EQ(GlobalModule::FittedRect(c.pw, c.ph, c.w, c.h), c.expected);

            // The mask is black exactly over the fitted rectangle, white elsewhere.
            int wrong = 0;
            for (int y = 0; y < c.h; ++y)
                for (int x = 0; x < c.w; ++x) {
                    const QRgb m = pixelAt(r.mask, x, y);
                    if (c.expected.contains(x, y) ? !isBlack(m) : !isWhite(m))
                        ++wrong;
                }
            EXPECT_EQ(wrong, 0);
            // The picture is drawn there: its colour inside, white around it.
            EXPECT_EQ(pixelAt(r.image, c.expected.center().x(), c.expected.center().y()),
                      qRgb(0, 255, 0));
            if (c.expected != QRect(0, 0, c.w, c.h)) {
                EXPECT_EQ(pixelAt(r.image, 0, 0), qRgb(255, 255, 255));
            }
        }
    }
}

TEST_F(IconHelpersTest, NullPictureOrEmptyBoxGivesNull) {
    EXPECT_TRUE(GetImageFreeSizeMethod(QImage(), 48, 48, QStringLiteral("icon")).isNull());
    EXPECT_TRUE(GetImageFreeSizeMethod(QImage(), 48, 48, QStringLiteral("mask")).isNull());
    EXPECT_TRUE(
        GetImageFreeSizeMethod(solid(16, 16, Qt::red), 0, 0, QStringLiteral("icon")).isNull());
}

TEST_F(IconHelpersTest, DesktopEntryIconIsItsPicture) {
    // Left half opaque blue, right half transparent.
    QImage png(64, 64, QImage::Format_ARGB32);
    png.fill(Qt::transparent);
    {
        QPainter p(&png);
        p.fillRect(0, 0, 32, 64, QColor(0, 0, 255));
    }
    const QString iconPath = scratch(QStringLiteral("icons/half.png"));
    QDir().mkpath(scratch(QStringLiteral("icons")));
    ASSERT_TRUE(png.save(iconPath, "PNG"));
    const FolderItem entry(writeDesktopEntry(
        QStringLiteral("Half.desktop"),
        QStringLiteral("[Desktop Entry]\nType=Application\nName=Half\nExec=/bin/true\nIcon=%1\n")
            .arg(iconPath)));

    const QImage icon = GetIconImageMethod(entry, 128, QStringLiteral("icon"));
    ASSERT_EQ(icon.size(), QSize(128, 128));
    EXPECT_EQ(pixelAt(icon, 20, 64), qRgb(0, 0, 255));
    EXPECT_EQ(pixelAt(icon, 110, 64), qRgb(255, 255, 255)); // transparent parts on white

    const QImage mask = GetIconImageMethod(entry, 128, QStringLiteral("mask"));
    ASSERT_EQ(mask.size(), QSize(128, 128));
    EXPECT_EQ(pixelAt(mask, 20, 64), qRgb(0, 0, 0));
    EXPECT_EQ(pixelAt(mask, 110, 64), qRgb(255, 255, 255));

    EXPECT_TRUE(GetIconImageMethod(entry, 128, QStringLiteral("picture")).isNull());
    EXPECT_TRUE(GetIconImageMethod(entry, 128, QString()).isNull());
}

TEST_F(IconHelpersTest, EveryExistingItemGetsAPicture) {
    writeFile(scratch(QStringLiteral("notes.txt")), "some text\n");
    writeFile(scratch(QStringLiteral("no-extension")), QByteArray("\x00\x01\x02", 3));
    QDir().mkpath(scratch(QStringLiteral("folder")));
    const QString unknownIcon =
        writeDesktopEntry(QStringLiteral("Odd.desktop"),
                          QStringLiteral("[Desktop Entry]\nType=Application\nName=Odd\n"
                                         "Exec=/bin/true\nIcon=no-such-icon-here\n"));
    const QString broken =
        writeDesktopEntry(QStringLiteral("Broken.desktop"), QStringLiteral("junk"));
    for (const QString& path :
         {scratch(QStringLiteral("notes.txt")), scratch(QStringLiteral("no-extension")),
          scratch(QStringLiteral("folder")), unknownIcon, broken}) {
        SCOPED_TRACE(path.toStdString());
        for (const char* kind : {"icon", "mask"}) {
            const QImage img = GetIconImageMethod(FolderItem(path), 128, QLatin1String(kind));
            EXPECT_EQ(img.size(), QSize(128, 128)) << kind;
        }
    }
}

} // namespace

namespace {
// A 128-pixel icon whose left half is opaque blue and right half transparent (white in the
// picture, as stored), with an opaque band of grey 128 along its top.
std::pair<StoredPicture, StoredPicture> halfIcon() {
    QImage icon(128, 128, QImage::Format_RGB32);
    icon.fill(Qt::white);
    QImage mask(128, 128, QImage::Format_RGB32);
    mask.fill(Qt::white);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 64; ++x) {
            icon.setPixel(x, y, qRgb(0, 0, 255));
            mask.setPixel(x, y, y < 16 ? qRgb(128, 128, 128) : qRgb(0, 0, 0));
        }
    return {StoredPicture(icon), StoredPicture(mask)};
}
} // namespace

TEST_F(IconHelpersTest, StoredPictureKeepsTheBytesAndDecodesAtTheSizeAsked) {
    const auto [icon, mask] = halfIcon();
    EXPECT_EQ(icon.size(), QSize(128, 128));
    EXPECT_LT(icon.data().size(), 128 * 128); // compressed, not pixels
    EXPECT_EQ(StoredPicture::fromText(icon.text()).data(), icon.data());
    // The codec's eighths: the smallest that still covers the size asked.
    EXPECT_EQ(icon.pictureAtLeast(QSize(48, 48)).size(), QSize(48, 48));
    EXPECT_EQ(icon.pictureAtLeast(QSize(32, 32)).size(), QSize(32, 32));
    EXPECT_EQ(icon.pictureAtLeast(QSize(100, 100)).size(), QSize(112, 112));
    EXPECT_EQ(icon.pictureAtLeast(QSize(200, 200)).size(), QSize(128, 128));
    EXPECT_EQ(mask.picture(true).format(), QImage::Format_Grayscale8);
    EXPECT_TRUE(StoredPicture::fromText(QStringLiteral("bm90IGEgcGljdHVyZQ==")).isNull());
    EXPECT_TRUE(StoredPicture(QImage()).isNull());
}

TEST_F(IconHelpersTest, FittedIconJoinsColourAndMaskAtTheDeviceSize) {
    const auto [icon, mask] = halfIcon();
    for (const qreal dpr : {1.0, 2.0}) {
        for (const int size : {32, 48, 64, 100}) {
            const QImage fitted = GlobalModule::FittedIconPicture(icon, mask, size, dpr);
            ASSERT_FALSE(fitted.isNull());
            // At the device size, never enlarged past the stored 128 pixels.
            const int d = qMin(qRound(size * dpr), 128);
            const int box = qRound(size * dpr);
            EXPECT_EQ(fitted.size(), QSize(box, box)) << size << " at " << dpr;
            EXPECT_EQ(fitted.devicePixelRatio(), dpr);
            const int o = (box - d) / 2;
            const QRgb opaque = pixelAt(fitted, o + d / 4, o + d * 3 / 4);
            EXPECT_EQ(qAlpha(opaque), 255) << size << " at " << dpr;
            EXPECT_GT(qBlue(opaque), 240);
            EXPECT_EQ(qAlpha(pixelAt(fitted, o + d * 3 / 4, o + d * 3 / 4)), 0);
            EXPECT_NEAR(qAlpha(pixelAt(fitted, o + d / 4, o + 2)), 127, 6); // the grey band
            EXPECT_EQ(qAlpha(pixelAt(fitted, 0, box - 1)), o > 0 ? 0 : 255);
        }
    }
    EXPECT_TRUE(GlobalModule::FittedIconPicture(icon, StoredPicture(), 48).isNull());
}

// The codec called directly gives the very pixels Qt's reader gives for the same bytes, at
// every scale the icons are decoded at.
TEST_F(IconHelpersTest, DirectJpegDecodingMatchesTheReader) {
    QImage photo(128, 96, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb((x * 7 + y * 3) % 256, (x * y) % 256, (x ^ y) * 2 % 256));
    for (const bool grey : {false, true}) {
        QBuffer encoded;
        encoded.open(QIODevice::WriteOnly);
        QImageWriter writer(&encoded, "jpeg");
        writer.setQuality(80);
        ASSERT_TRUE(writer.write(grey ? photo.convertToFormat(QImage::Format_Grayscale8) : photo));
        const QByteArray bytes = encoded.data();
        EXPECT_EQ(Jpeg::Size(bytes), photo.size());
        for (const int eighths : {8, 5, 3, 1}) {
            SCOPED_TRACE(testing::Message() << "grey " << grey << ", eighths " << eighths);
            QBuffer in;
            in.setData(bytes);
            in.open(QIODevice::ReadOnly);
            QImageReader reader(&in, "jpeg");
            if (eighths < 8) {
                reader.setScaledSize(QSize((128 * eighths + 7) / 8, (96 * eighths + 7) / 8));
                reader.setQuality(49);
            }
            const QImage expected = reader.read();
            const QImage direct = Jpeg::Decode(bytes, eighths);
            ASSERT_FALSE(expected.isNull());
            EXPECT_EQ(direct.format(), grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
            EXPECT_EQ(direct, expected.convertToFormat(direct.format()));
        }
    }
    const QByteArray garbage("not a picture at all");
    EXPECT_FALSE(Jpeg::Size(garbage).isValid());
    EXPECT_TRUE(Jpeg::Decode(garbage).isNull());
    EXPECT_TRUE(Jpeg::Decode(QByteArray("\xff\xd8\xff\xe0", 4)).isNull()); // cut after its start
}

namespace {
// A small JPEG whose header claims the given size, as a damaged row or another tool leaves
// one: the picture is never decoded, so its data need not be there.
QByteArray jpegClaiming(int w, int h) {
    QBuffer encoded;
    encoded.open(QIODevice::WriteOnly);
    solid(16, 16, Qt::red).save(&encoded, "jpeg");
    QByteArray bytes = encoded.data();
    const qsizetype sof = bytes.indexOf(QByteArray("\xff\xc0", 2));
    if (sof < 0)
        return {};
    bytes[sof + 5] = char(h >> 8);
    bytes[sof + 6] = char(h & 0xff);
    bytes[sof + 7] = char(w >> 8);
    bytes[sof + 8] = char(w & 0xff);
    return bytes;
}
} // namespace

TEST_F(IconHelpersTest, PicturesFarBeyondAnIconAreRefusedOrDecodedSmall) {
    const QByteArray huge = jpegClaiming(30000, 30000);
    ASSERT_EQ(Jpeg::Size(huge), QSize(30000, 30000));
    // Past the bound: a broken icon, nothing decoded.
    EXPECT_TRUE(StoredPicture::fromData(huge).isNull());
    EXPECT_TRUE(StoredPicture::fromData(jpegClaiming(60000, 2000)).isNull());
    // Within it, a picture larger than the box is decoded at the codec's smallest scale
    // that covers the box, and fitted from there.
    QImage big(2400, 1200, QImage::Format_RGB32);
    big.fill(Qt::blue);
    const StoredPicture icon(big);
    const StoredPicture mask(solid(2400, 1200, Qt::black));
    ASSERT_EQ(icon.size(), QSize(2400, 1200));
    EXPECT_EQ(icon.decodedSizeFor(QSize(48, 24)), QSize(300, 150));
    const QImage fitted = GlobalModule::FittedIconPicture(icon, mask, 48);
    ASSERT_EQ(fitted.size(), QSize(48, 48));
    EXPECT_EQ(qAlpha(pixelAt(fitted, 24, 2)), 0); // above the 48 x 24 picture
    const QRgb inside = pixelAt(fitted, 24, 24);
    EXPECT_EQ(qAlpha(inside), 255);
    EXPECT_GT(qBlue(inside), 240);
    EXPECT_LT(qRed(inside), 16);
}
