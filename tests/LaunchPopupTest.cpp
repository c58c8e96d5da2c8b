#include "LauncherTestSupport.h"
#include "TestSupport.h"

#include "launcher/TempRunIconWin.h"

#include <QTest>

TEST(LaunchPopupPlacementTest, SizesAndPlacesOfTheEnlargedIcon) {
    struct Case {
        int iconSize, labelWidth;
        int width, height, dx, dy, iconX, labelX, baseline;
    };
    const Case cases[] = {
        {32, 60, 60, 73, 14, 8, 6, 0, 63},       // a label wider than the enlarged icon
        {64, 80, 100, 125, 18, 18, 0, 10, 115},  // a narrower label is centred
        {48, 0, 64, 89, 8, 8, 0, 32, 79},        // an empty name
        {100, 10, 128, 153, 14, 14, 0, 59, 143}, //
    };
    for (const Case& c : cases) {
        const auto p = TempRunIconWin::PlaceFor(c.iconSize, c.labelWidth, 1000, 500);
        EXPECT_EQ(p.width, c.width) << c.iconSize;
        EXPECT_EQ(p.height, c.height) << c.iconSize;
        EXPECT_EQ(1000 - p.left, c.dx) << c.iconSize;
        EXPECT_EQ(500 - p.top, c.dy) << c.iconSize;
        EXPECT_EQ(p.iconX, c.iconX) << c.iconSize;
        EXPECT_EQ(p.labelX, c.labelX) << c.iconSize;
        EXPECT_EQ(p.baseline, c.baseline) << c.iconSize;
    }
    EXPECT_EQ(TempRunIconWin::EnlargedSize(128), 0);
}

class LaunchPopupTest : public AppTest {};

TEST_F(LaunchPopupTest, ShowsOverTheIconAndHidesHalfASecondAfterTheLastShowing) {
    auto w = makeWindow(2);
    w->move(300, 200);
    TempRunIconWin popup;
    popup.SelfWin = w.get();
    popup.TempApp = (*w->LauncherItemArr)[1];
    popup.MakeIconMethod();
    ASSERT_TRUE(popup.isVisible());
    const auto& item = *(*w->LauncherItemArr)[1];
    EXPECT_EQ(popup.height(), 64 + 25);
    EXPECT_EQ(popup.y(), 200 + item.Top - 8);
    // The enlarged icon is opaque at its centre; the label row is see-through at its edge.
    const QRgb centre = pixelAt(popup.pic, popup.width() / 2, 32);
    EXPECT_EQ(qAlpha(centre), 255);
    EXPECT_NEAR(qRed(centre), 255, 2); // the icon is kept as its JPEG: near, not equal
    EXPECT_EQ(qAlpha(pixelAt(popup.pic, 0, popup.height() - 1)), 0);
    QTest::qWait(300);
    popup.MakeIconMethod(); // a second click restarts the count
    QTest::qWait(300);
    EXPECT_TRUE(popup.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!popup.isVisible(), 1000);
}

TEST_F(LaunchPopupTest, NothingShownWithoutAnEnlargementOrALabel) {
    auto w = makeWindow(1);
    w->IconSize = 128;
    (*w->LauncherItemArr)[0]->AppName.clear();
    TempRunIconWin popup;
    popup.SelfWin = w.get();
    popup.TempApp = (*w->LauncherItemArr)[0];
    popup.MakeIconMethod();
    EXPECT_FALSE(popup.isVisible());
    // With a label it shows the label alone, 25 pixels high.
    (*w->LauncherItemArr)[0]->AppName = QStringLiteral("Name");
    popup.MakeIconMethod();
    EXPECT_TRUE(popup.isVisible());
    EXPECT_EQ(popup.height(), 25);
}
