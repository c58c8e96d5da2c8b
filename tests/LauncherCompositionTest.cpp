#include "LauncherTestSupport.h"
#include "TestSupport.h"

#include "launcher/LauncherGeometry.h"
#include "launcher/TempRunIconWin.h"
#include "platform/AlphaShape.h"
#include "platform/Framework.h"
#include "platform/ImageWindow.h"
#include "platform/OverlayWindow.h"
#include "platform/Pixels.h"
#include "platform/WindowSystem.h"

#include <QBitmap>
#include <QCoreApplication>
#include <QPainter>

namespace {
// The largest alpha of white pixels in a rectangle: text is drawn white and opaque.
// Small antialiased glyphs rarely reach full opacity: "opaque" text is over 230.
constexpr int kOpaqueText = 230;

int whiteTextAlpha(const QImage& pic, const QRect& r) {
    int best = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = pixelAt(pic, x, y);
            if (qRed(p) > 240 && qGreen(p) > 240 && qBlue(p) > 240)
                best = qMax(best, qAlpha(p));
        }
    return best;
}
} // namespace

class LauncherCompositionTest : public AppTest {};

TEST_F(LauncherCompositionTest, ColourAndAlphaOfEveryPart) {
    const QColor c(0x33, 0x66, 0xCC);
    auto w = makeWindow(5, 328, c);
    const QImage& pic = w->pic;
    ASSERT_EQ(pic.size(), QSize(w->Width(), w->Height()));
    EXPECT_EQ(w->Height(), 95 + 81);

    // The title pill: partly transparent over the panel's grey.
    const QRgb pill = pixelAt(pic, 3, 10);
    EXPECT_NEAR(qAlpha(pill), 255 - 168, 3);
    // The title text: white and opaque.
    EXPECT_GT(whiteTextAlpha(pic, QRect(10, 2, w->TitleNameStringWidth, 14)), kOpaqueText);
    // An icon: its own colour, opaque.
    const auto& first = (*w->LauncherItemArr)[0];
    EXPECT_EQ(first->Left, 11);
    EXPECT_EQ(first->Top, 25);
    const QRgb icon = pixelAt(pic, first->Left + 24, first->Top + 24);
    EXPECT_EQ(qAlpha(icon), 255);
    // Kept as its JPEG: near, not equal.
    EXPECT_NEAR(qRed(icon), 255, 2);
    EXPECT_LE(qGreen(icon), 2);
    EXPECT_LE(qBlue(icon), 2);
    // A name under its icon: white and opaque.
    EXPECT_GT(whiteTextAlpha(pic, QRect(0, 25 + 48, 70, 70 - 48)), kOpaqueText);
    // The backpanel: the window colour at 255 - 180.
    const QRgb panel = pixelAt(pic, w->Width() - 10, 25 + 60);
    EXPECT_NEAR(qAlpha(panel), 75, 2);
    EXPECT_NEAR(qRed(panel), c.red(), 3);
    EXPECT_NEAR(qBlue(panel), c.blue(), 3);
    // The panel keeps the full height below the band, so its lower corners are cut off
    // square while its upper corners are round.
    EXPECT_NEAR(qAlpha(pixelAt(pic, w->Width() - 1, w->Height() - 1)), 75, 2);
    EXPECT_EQ(qAlpha(pixelAt(pic, w->Width() - 1, 25)), 0);
    // Outside everything: fully transparent.
    EXPECT_EQ(qAlpha(pixelAt(pic, w->Width() - 3, 5)), 0);
}

TEST_F(LauncherCompositionTest, WithoutBackpanelOnlyIconsNamesAndBandShow) {
    auto w = makeWindow(2);
    w->ViewBackPanel = false;
    w->MakeAppImageMethod();
    EXPECT_NEAR(qAlpha(pixelAt(w->pic, 3, 10)), 105, 2); // the pill alone: 255 - 150
    EXPECT_EQ(qAlpha(pixelAt(w->pic, w->Width() - 10, 25 + 60)), 0);
    EXPECT_EQ(qAlpha(pixelAt(w->pic, 11 + 24, 25 + 24)), 255);
    // The plus/minus area carries grey 50.
    EXPECT_NEAR(qAlpha(pixelAt(w->pic, w->PrefIconXValue + 30 + 2, 10)), 205, 40);
}

TEST_F(LauncherCompositionTest, ShortNamesWidenToTheBandIcons) {
    auto w = makeWindow(0, 100);
    EXPECT_EQ(w->PrefIconXValue, w->TitleNameStringWidth + 30);
    EXPECT_EQ(w->PrefIconYValue, -2);
    EXPECT_EQ(w->Width(), w->PrefIconXValue + 65);
    // An empty window shows the band and a panel one pitch high below it.
    EXPECT_EQ(w->Height(), 70 + 25);
}

TEST_F(LauncherCompositionTest, LongNamesWrapAtTheCellWidth) {
    auto w = std::make_unique<LauncherWin>();
    w->LauncherWinName = QStringLiteral("apple");
    w->ViewTitleMenu = false;
    w->ViewBackPanel = false;
    w->setWidth(140); // two cells a row, so a second row lies below the wrapped name
    w->LauncherItemArr->push_back(makeItem(QStringLiteral("A Very Long Application Name")));
    w->LauncherItemArr->push_back(makeItem(QStringLiteral("B")));
    w->LauncherItemArr->push_back(makeItem(QStringLiteral("C")));
    w->MakeAppImageMethod();
    const int baseline = 70 - 11;
    // A second line below the first one's baseline, inside the first cell only.
    EXPECT_GT(whiteTextAlpha(w->pic, QRect(0, baseline + 3, 70, 12)), kOpaqueText);
    // The short name is centred: nothing of it near the cell's left edge.
    EXPECT_EQ(whiteTextAlpha(w->pic, QRect(70, baseline - 8, 25, 10)), 0);
    EXPECT_GT(whiteTextAlpha(w->pic, QRect(95, baseline - 8, 20, 10)), kOpaqueText);
}

TEST_F(LauncherCompositionTest, ANameIsDrawnInTwoLinesAtMost) {
    auto w = std::make_unique<LauncherWin>();
    w->LauncherWinName = QStringLiteral("apple");
    w->ViewTitleMenu = false;
    w->ViewBackPanel = false;
    w->setWidth(140);
    // Far more than two lines, and long enough that laying it all out would take minutes.
    QString name;
    for (int i = 0; i < 100000; ++i)
        name += QStringLiteral("Word%1 ").arg(i % 10);
    w->LauncherItemArr->push_back(makeItem(name));
    w->MakeAppImageMethod();
    const int baseline = 70 - 11;
    const int line = QFontMetrics(PixelFont(11)).lineSpacing();
    EXPECT_GT(whiteTextAlpha(w->pic, QRect(0, baseline - 8, 70, 10)), kOpaqueText);
    EXPECT_GT(whiteTextAlpha(w->pic, QRect(0, baseline + line - 8, 70, 10)), kOpaqueText);
    // Nothing of a third line.
    const int third = baseline + 2 * line - 8;
    if (w->pic.height() > third) {
        EXPECT_EQ(whiteTextAlpha(w->pic, QRect(0, third, 70, qMin(10, w->pic.height() - third))),
                  0);
    }
}

TEST_F(LauncherCompositionTest, PictureThatDidNotDecodeKeepsItsCell) {
    auto w = makeWindow(0);
    auto broken = makeItem(QStringLiteral("Broken"));
    broken->Icon = QImage();
    broken->IconMask = QImage();
    w->LauncherItemArr->push_back(broken);
    w->LauncherItemArr->push_back(makeItem(QStringLiteral("Fine")));
    w->ViewBackPanel = false;
    w->MakeAppImageMethod();
    // A neutral placeholder where the icon would be; the next item in the next cell.
    const QRgb p = pixelAt(w->pic, 11 + 24, 25 + 24);
    EXPECT_GT(qAlpha(p), 100);
    EXPECT_EQ(qRed(p), qGreen(p));
    EXPECT_EQ((*w->LauncherItemArr)[1]->Left, 70 + 11);
}

TEST_F(LauncherCompositionTest, PaintClearsAndDrawsTheComposedImage) {
    LauncherWin bare;
    const QImage before = bare.grab().toImage();
    EXPECT_EQ(qAlpha(pixelAt(before, 25, 25)), 0); // nothing composed: nothing painted
    auto w = makeWindow(1);
    const QImage after = w->grab().toImage();
    EXPECT_EQ(pixelAt(after, 11 + 24, 25 + 24), pixelAt(w->pic, 11 + 24, 25 + 24));
    EXPECT_EQ(qAlpha(pixelAt(after, w->Width() - 3, 5)), 0);
}

TEST_F(LauncherCompositionTest, APictureNeverOutgrowsTheTallestWindowAndIsNeverBlank) {
    // 4000 items in rows of 9 would need 445 rows, 36059 pixels: more than an X11 window
    // can be, and more than five screens. The rows that fit are drawn; the others are left out.
    auto w = makeWindow(4000, 640);
    const QImage& pic = w->pic;
    const int tallest = LauncherGeometry::TallestWindow(ScreenRects());
    ASSERT_LE(tallest, 32767);
    ASSERT_LT(tallest, 25 + 70 + 444 * 81);
    EXPECT_LE(pic.height(), tallest);
    EXPECT_EQ(pic.height(), w->Height());
    const int rows = (tallest - 25 - 70) / 81 + 1; // whole rows
    EXPECT_EQ(pic.height(), 25 + 70 + (rows - 1) * 81);
    // The last row that fits is drawn, whole.
    const int lastRowTop = 25 + (rows - 1) * 79;
    for (const int x : {11 + 24, 8 * 70 + 11 + 24}) {
        const QRgb icon = pixelAt(pic, x, lastRowTop + 24);
        EXPECT_EQ(qAlpha(icon), 255) << x;
        EXPECT_NEAR(qRed(icon), 255, 2) << x; // kept as its JPEG: near, not equal
    }
    EXPECT_EQ((*w->LauncherItemArr)[rows * 9 - 1]->Top, lastRowTop);
}

TEST_F(LauncherCompositionTest, AWindowTooLargeToKeepItsFittedIconsComposesTheSameAgain) {
    // 3000 fitted 48-pixel icons are more than the composition keeps between two: the
    // next composition fits them again, on every core, and draws the very same picture.
    // Wide, so that most of them are shown within the tallest window.
    auto w = makeWindow(3000, 6000);
    const QImage first = w->pic.copy();
    w->MakeAppImageMethod();
    EXPECT_EQ(w->pic, first);
    const size_t shown = std::min<size_t>(3000, size_t((w->Height() - 95) / 81 + 1) * 85);
    ASSERT_GT(shown, 1500u);
    const AppListClass& last = *(*w->LauncherItemArr)[shown - 1];
    EXPECT_EQ(qAlpha(pixelAt(w->pic, last.Left + 24, last.Top + 24)), 255);
}

// The shape the three image windows get without a compositing manager, and lose with one.
class ImageWindowShapeTest : public AppTest {
protected:
    // 128 x 128, opaque in the left half, transparent in the right half.
    static QImage halfOpaque() {
        QImage picture(128, 128, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QImage mask(128, 128, QImage::Format_RGB32);
        mask.fill(Qt::white);
        QPainter(&mask).fillRect(0, 0, 64, 128, Qt::black);
        return CGCreateImageMBS(picture, mask);
    }
};

TEST_F(ImageWindowShapeTest, LauncherShapeIsWhatIsDrawn) {
    windowSystem->compositing = false;
    auto w = makeWindow(2);
    w->ViewBackPanel = false;
    w->MakeAppImageMethod();
    const int PX = w->PrefIconXValue, PY = w->PrefIconYValue;
    const QRegion shape = w->mask();
    ASSERT_FALSE(shape.isEmpty());
    // Inside the settings icon (PX..PX+24, PY+2..PY+24) and the plus/minus icon
    // (PX+30..PX+62, PY+1..PY+20) the shape is their drawn pixels: the gear's teeth and the
    // plus/minus plate take the click, the transparent corners around the gear do not (they
    // would show black without a compositor).
    for (const QPoint p : {QPoint(PX + 4, 11), QPoint(PX + 12, 4), QPoint(PX + 46, 10)})
        EXPECT_TRUE(shape.contains(p)) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(PX, 0), QPoint(PX + 24, PY + 24), QPoint(PX, PY + 24)}) {
        EXPECT_EQ(qAlpha(pixelAt(w->pic, p.x(), p.y())), 0) << p.x() << "," << p.y();
        EXPECT_FALSE(shape.contains(p)) << p.x() << "," << p.y();
    }
    // Everywhere the shape is exactly the picture's alpha.
    EXPECT_TRUE((shape ^ AlphaRegion(w->pic)).isEmpty());
    // Transparent pixels elsewhere let clicks through: between the pill and the settings
    // icon, right of the band's icons, and between items without a backpanel.
    for (const QPoint p : {QPoint(PX - 5, 10), QPoint(PX + 63, 10), QPoint(w->Width() - 2, 40)}) {
        EXPECT_EQ(qAlpha(pixelAt(w->pic, p.x(), p.y())), 0);
        EXPECT_FALSE(shape.contains(p)) << p.x() << "," << p.y();
    }
    // An item's opaque icon is inside.
    const AppListClass& item = *w->LauncherItemArr->front();
    EXPECT_TRUE(shape.contains(QPoint(item.Left + 24, item.Top + 24)));

    // A compositing manager came: the next composition clears the shape; it went: back.
    windowSystem->compositing = true;
    w->ResizePlusMinusWinMethod(QStringLiteral("plus"));
    EXPECT_TRUE(w->mask().isEmpty());
    windowSystem->compositing = false;
    w->ResizePlusMinusWinMethod(QStringLiteral("minus"));
    EXPECT_FALSE(w->mask().isEmpty());
}

TEST_F(ImageWindowShapeTest, AnEmptyPictureIsAnEmptyShape) {
    windowSystem->compositing = false;
    OverlayWindowMBS overlay;
    ASSERT_EQ(overlay.Create(10, 10, 128, 128), 0);
    QImage clear(128, 128, QImage::Format_ARGB32_Premultiplied);
    clear.fill(Qt::transparent);
    // Neither a fully transparent picture nor none at all leaves the window unshaped (a
    // black rectangle that takes every click): no pixel of the window is in its shape.
    for (const QImage& picture : {clear, QImage()}) {
        overlay.DrawPicture(picture);
        EXPECT_FALSE(overlay.mask().isEmpty());
        EXPECT_TRUE((overlay.mask() & overlay.rect()).isEmpty());
    }
    // A launcher window drawing nothing: no band, no panel, no items.
    auto w = makeWindow(0);
    w->LauncherItemArr->clear();
    w->ViewTitleMenu = false;
    w->ViewBackPanel = false;
    w->MakeAppImageMethod();
    EXPECT_TRUE(AlphaRegion(w->pic).isEmpty());
    EXPECT_FALSE(w->mask().isEmpty());
    EXPECT_TRUE((w->mask() & w->rect()).isEmpty());
}

TEST_F(ImageWindowShapeTest, TheShapeFollowsTheCompositorAtOnceInEveryWindow) {
    windowSystem->compositing = false;
    auto w = makeWindow(2);
    OverlayWindowMBS overlay;
    ASSERT_EQ(overlay.Create(10, 10, 128, 128), 0);
    overlay.DrawPicture(halfOpaque());
    const QRegion launcherShape = w->mask();
    ASSERT_FALSE(launcherShape.isEmpty());
    ASSERT_FALSE(overlay.mask().isEmpty());
    // Nothing is composed again: the compositor's coming alone clears every shape...
    const QImage composed = w->pic;
    windowSystem->compositorChanges(true);
    EXPECT_TRUE(w->mask().isEmpty());
    EXPECT_TRUE(overlay.mask().isEmpty());
    // ...and its going shapes every window again as its picture draws.
    windowSystem->compositorChanges(false);
    EXPECT_EQ(w->mask(), launcherShape);
    EXPECT_TRUE(overlay.mask().contains(QPoint(10, 64)));
    EXPECT_FALSE(overlay.mask().contains(QPoint(100, 64)));
    EXPECT_TRUE(w->pic.constBits() == composed.constBits());
}

TEST_F(ImageWindowShapeTest, PopUpAndRemovalOverlayAreShapedLikeLauncherWindows) {
    windowSystem->compositing = false;
    OverlayWindowMBS overlay;
    ASSERT_EQ(overlay.Create(10, 10, 128, 128), 0);
    overlay.DrawPicture(halfOpaque());
    EXPECT_TRUE(overlay.mask().contains(QPoint(10, 64)));
    EXPECT_FALSE(overlay.mask().contains(QPoint(100, 64)));

    auto w = makeWindow(1);
    w->move(100, 100);
    writeFile(scratch(QStringLiteral("one")), "x");
    (*w->LauncherItemArr)[0]->f = FolderItem(scratch(QStringLiteral("one")));
    w->LaunchItemMethod(0);
    ASSERT_NE(w->myTempRunIconWin, nullptr);
    const QRegion popUp = w->myTempRunIconWin->mask();
    EXPECT_TRUE(popUp.contains(QPoint(32, 32)));      // the enlarged opaque icon
    EXPECT_FALSE(popUp.contains(QPoint(1, 64 + 24))); // beside the name, below the icon

    windowSystem->compositing = true;
    overlay.DrawPicture(halfOpaque());
    EXPECT_TRUE(overlay.mask().isEmpty());
}

// A window manager may drop the taskbar states while a window is withdrawn: a launcher
// window asks for them before every map. The overlay, past the window manager, is in no
// taskbar.
TEST_F(ImageWindowShapeTest, EveryShowKeepsALauncherWindowOutOfTheTaskbar) {
    auto w = makeWindow(1);
    OverlayWindowMBS overlay;
    ASSERT_EQ(overlay.Create(10, 10, 128, 128), 0);
    windowSystem->keptOut.clear();
    for (int i = 0; i < 2; ++i) {
        w->show();
        overlay.Show();
        w->hide();
        overlay.hide();
    }
    EXPECT_EQ(windowSystem->keptOut, (QList<QWidget*>{w.get(), w.get()}));
}

TEST_F(LauncherCompositionTest, AtTwiceTheDeviceRatioTheWindowScalesAsOne) {
    AppListArray items;
    for (int i = 0; i < 5; ++i)
        items.push_back(makeItem(QStringLiteral("App%1").arg(i)));
    LauncherComposition::Input in;
    in.width = 328;
    in.name = QStringLiteral("apple");
    in.color = QColor(0x33, 0x66, 0xCC);
    in.items = &items;
    const LauncherComposition::Output one = LauncherComposition::Compose(in);
    in.dpr = 2.0;
    const LauncherComposition::Output two = LauncherComposition::Compose(in);
    // Geometry, hit areas and positions stay in window units.
    EXPECT_EQ(two.width, one.width);
    EXPECT_EQ(two.height, one.height);
    EXPECT_EQ(two.itemPositions, one.itemPositions);
    EXPECT_EQ(two.prefIconX, one.prefIconX);
    EXPECT_EQ(two.pic.size(), QSize(2 * one.width, 2 * one.height));
    EXPECT_EQ(two.pic.deviceIndependentSize().toSize(), QSize(one.width, one.height));
    // The icon fills its 96-pixel box edge to edge: opaque at both ends, not 48 upscaled.
    const QPoint at = two.itemPositions[0] * 2;
    for (const QPoint p : {at + QPoint(1, 1), at + QPoint(94, 94), at + QPoint(48, 48)}) {
        const QRgb c = pixelAt(two.pic, p.x(), p.y());
        EXPECT_EQ(qAlpha(c), 255);
        EXPECT_GT(qRed(c), 240);
    }
    EXPECT_LT(qAlpha(pixelAt(two.pic, at.x() + 97, at.y() + 10)), 255 / 2);
    // Everything else doubles alike: the panel at the window's far corner, the pill.
    EXPECT_NEAR(qAlpha(pixelAt(two.pic, 2 * one.width - 1, 2 * one.height - 1)),
                qAlpha(pixelAt(one.pic, one.width - 1, one.height - 1)), 2);
    EXPECT_NEAR(qAlpha(pixelAt(two.pic, 6, 20)), qAlpha(pixelAt(one.pic, 3, 10)), 3);
}

// The shape made on a worker thread covers what the engine's region of the same alpha as a
// bitmap covers, at any device ratio.
TEST(AlphaRegionTest, IsTheBitmapRegionOfTheAlpha) {
    for (const qreal dpr : {1.0, 2.0}) {
        SCOPED_TRACE(dpr);
        QImage image(int(90 * dpr), int(60 * dpr), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.setBrush(QColor(20, 40, 200, 120));
            p.setPen(Qt::NoPen);
            p.drawRoundedRect(QRectF(3 * dpr, 2 * dpr, 50 * dpr, 30 * dpr), 9 * dpr, 9 * dpr);
            p.drawEllipse(QRectF(40 * dpr, 20 * dpr, 45 * dpr, 35 * dpr));
            p.fillRect(QRectF(70 * dpr, 0, 2 * dpr, 60 * dpr), QColor(255, 255, 255, 1));
        }
        image.setDevicePixelRatio(dpr);
        QImage mono(90, 60, QImage::Format_MonoLSB);
        mono.setColor(0, QColor(Qt::white).rgb());
        mono.setColor(1, QColor(Qt::black).rgb());
        mono.fill(0);
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 90; ++x)
                if (qAlpha(image.pixel(int(x * dpr), int(y * dpr))) > 0)
                    mono.setPixel(x, y, 1);
        const QRegion bitmap(QBitmap::fromImage(mono));
        EXPECT_FALSE(bitmap.isEmpty());
        EXPECT_TRUE((AlphaRegion(image) ^ bitmap).isEmpty());
    }
    EXPECT_TRUE(AlphaRegion(QImage()).isEmpty());
    QImage clear(10, 10, QImage::Format_ARGB32_Premultiplied);
    clear.fill(Qt::transparent);
    EXPECT_TRUE(AlphaRegion(clear).isEmpty());
}

// A very long name (2,000 characters) keeps the window, and the band's icons, on the screen:
// the title is cut short with an ellipsis.
TEST_F(LauncherCompositionTest, AVeryLongNameKeepsTheWindowOnTheScreen) {
    auto w = makeWindow(3);
    w->LauncherWinName = QString(2000, QLatin1Char('W'));
    w->MakeAppImageMethod();
    const int screen = MainScreenWidth();
    EXPECT_LE(w->Width(), screen);
    EXPECT_LE(w->PrefIconXValue + 65, screen);
    EXPECT_GT(w->TitleNameStringWidth, screen / 2);
    // The settings icon is drawn where the click finds it.
    EXPECT_GT(qAlpha(pixelAt(w->pic, w->PrefIconXValue + 4, 11)), 0);
    // Shown, the whole band is on the screen.
    w->show();
    QCoreApplication::processEvents();
    EXPECT_GE(w->x(), 0);
    EXPECT_LE(w->x() + w->PrefIconXValue + 65, screen);
    // A short name is drawn whole, as before.
    w->LauncherWinName = QStringLiteral("apple");
    w->MakeAppImageMethod();
    EXPECT_EQ(w->TitleNameStringWidth, LauncherComposition::TextWidth(w->LauncherWinName, 14));
}
