#include "launcher/LauncherGeometry.h"

#include <gtest/gtest.h>

using namespace LauncherGeometry;

TEST(LauncherGeometryTest, PitchTableByIconSizeAndNames) {
    struct Case {
        int icon;
        bool names;
        int pitch, nameSize;
    };
    const Case cases[] = {{32, true, 50, 10},   {48, true, 70, 11},   {64, true, 100, 12},
                          {100, true, 128, 12}, {128, true, 140, 14}, {32, false, 34, 0},
                          {48, false, 50, 0},   {64, false, 66, 0},   {100, false, 102, 0},
                          {128, false, 130, 0}};
    for (const Case& c : cases) {
        const Pitch p = PitchFor(c.icon, c.names);
        EXPECT_EQ(p.space, c.pitch) << c.icon << " " << c.names;
        EXPECT_EQ(p.nameTextSize, c.nameSize) << c.icon << " " << c.names;
    }
    EXPECT_FALSE(PitchFor(50, true).known);
}

TEST(LauncherGeometryTest, RowsWrapAndHeights) {
    struct Case {
        int width, items;
        bool title;
        int height, perRow;
    };
    const Case cases[] = {
        {328, 9, true, 257, 4}, // 95 + 2 x 81
        {280, 9, true, 257, 4}, // 280 holds four cells as well
        {280, 4, true, 95, 4},  // an exact multiple of the pitch: one full row, no extra
        {280, 8, true, 176, 4}, //
        {328, 0, true, 95, 4},  // an empty window: the pitch plus the band
        {328, 0, false, 70, 4}, //
        {328, 4, true, 95, 4},  // a full row adds nothing below it
        {328, 5, true, 176, 4}, //
        {50, 3, false, 232, 1}, // narrower than one cell: still one item per row
        {640, 3, true, 95, 9},  // a grid that never wrapped counts the cells of its row
    };
    for (const Case& c : cases) {
        const Height h = HeightFor(c.width, 70, 11, c.title, c.items);
        EXPECT_EQ(h.height, c.height) << c.width << "/" << c.items;
        EXPECT_EQ(h.limitWidthCount, c.perRow) << c.width << "/" << c.items;
    }
}

TEST(LauncherGeometryTest, PointsMapToTheCellDrawnUnderThem) {
    // Pitch 70, names 11 (row pitch 79), title band on, rows of 4.
    struct Case {
        int x, y, index;
    };
    const Case cases[] = {
        {0, 0, 0},     // the title band maps like the first row
        {150, 10, 2},  //
        {10, 30, 0},   //
        {10, 90, 0},   // the lower part of a first-row icon, below the band
        {279, 30, 3},  // last column
        {290, 30, -1}, // right of the last full column: no cell
        {0, 104, 4},   // second row, first column: the row length
        {75, 200, 9},  // third row
    };
    for (const Case& c : cases)
        EXPECT_EQ(IndexAt(c.x, c.y, 70, 11, true, 4), c.index) << c.x << "," << c.y;
    // Without the band the grid starts at the top.
    EXPECT_EQ(IndexAt(0, 79, 70, 11, false, 4), 4);
    EXPECT_EQ(IndexAt(0, 70, 70, 0, false, 4), 4);
}

TEST(LauncherGeometryTest, LoadedWidthRules) {
    EXPECT_EQ(LoadedWidth(100, 70, 1280), 140);   // less than two cells
    EXPECT_EQ(LoadedWidth(2000, 70, 1280), 140);  // wider than the screen: two cells
    EXPECT_EQ(LoadedWidth(1280, 70, 1280), 1280); // equal to the screen: kept
    EXPECT_EQ(LoadedWidth(640, 70, 640), 640);
    EXPECT_EQ(LoadedWidth(140, 70, 1280), 140);
}

TEST(LauncherGeometryTest, StoredIconSizesOutsideTheTableAreLaidOutAs48) {
    const struct {
        qint64 stored;
        int laidOut;
    } cases[] = {{32, 32},  {48, 48},     {64, 64}, {100, 100},        {128, 128}, {0, 48},
                 {-48, 48}, {100000, 48}, {50, 48}, {4294967344LL, 48}}; // 2^32 + 48 must not wrap
                                                                         // round to 48's row
    for (const auto& c : cases)
        EXPECT_EQ(LaidOutIconSize(c.stored), c.laidOut) << c.stored;
}

TEST(LauncherGeometryTest, AWindowOffEveryScreenComesBackByItsTitleBand) {
    const std::vector<QRect> screens = {QRect(0, 0, 1280, 800), QRect(1280, 0, 1920, 1080)};
    const struct {
        QRect window;
        QPoint placed;
    } cases[] = {
        {QRect(10, 40, 640, 300), QPoint(10, 40)},        // on screen: left alone
        {QRect(-5000, -5000, 640, 300), QPoint(0, 0)},    // far up and left
        {QRect(5000, 300, 400, 200), QPoint(2800, 300)},  // beyond the second screen
        {QRect(1270, 100, 400, 100), QPoint(1270, 100)},  // across both screens
        {QRect(-620, 100, 640, 100), QPoint(0, 100)},     // only 20 pixels of band showing
        {QRect(100, -20, 300, 100), QPoint(100, 0)},      // band above the screen's top
        {QRect(100, 790, 300, 100), QPoint(100, 775)},    // band below the bottom
        {QRect(1400, 900, 300, 100), QPoint(1400, 900)},  // low on the taller screen
        {QRect(100, 900, 300, 100), QPoint(100, 775)},    // as low, under the shorter one
        {QRect(-300, 100, 2000, 100), QPoint(-300, 100)}, // wider than the screen, band seen
        {QRect(-3000, 100, 2000, 100), QPoint(0, 100)},   // wider than the screen, off it
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlacedOnScreen(c.window, screens), c.placed)
            << c.window.x() << "," << c.window.y();
    EXPECT_EQ(PlacedOnScreen(QRect(-5000, 0, 10, 10), {}), QPoint(-5000, 0));
}

TEST(LauncherGeometryTest, TheTallestWindowKeepsItsTitleBandOnTheScreen) {
    // A window manager keeps a tenth of an application's window on its screen, moving a
    // window whose tenth would fall below the bottom up until it is on it (openbox).
    const auto managed = [](const QRect& window, const QRect& screen) {
        QRect placed = window;
        if (placed.top() + placed.height() / 10 >= screen.bottom())
            placed.moveTop(screen.bottom() + 1 - placed.height() / 10);
        return placed;
    };
    const struct {
        std::vector<QRect> screens;
        int tallest;
    } cases[] = {
        {{QRect(0, 0, 1280, 800)}, 4000},
        {{QRect(0, 0, 1280, 800), QRect(1280, 0, 1920, 1080)}, 4000}, // the shorter screen's
        {{QRect(0, 0, 1920, 8000)}, 32767}, // never beyond what the X server shows
        {{}, 32767},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TallestWindow(c.screens), c.tallest);
        for (const QRect& screen : c.screens)
            for (const int top : {0, 40, screen.height() / 2, screen.height() - 25}) {
                const QRect window(screen.left() + 10, screen.top() + top, 640, c.tallest);
                const QRect shown =
                    managed(QRect(PlacedOnScreen(window, c.screens), window.size()), screen);
                SCOPED_TRACE(top);
                EXPECT_GE(shown.top(), screen.top());
                EXPECT_LE(shown.top() + TitleBandHeight, screen.bottom() + 1);
            }
    }
    // 20,000 items of 48 pixels, names shown, in a window 640 wide: laid out far taller.
    EXPECT_GT(HeightFor(640, 70, 11, true, 20000).height, 5 * 800);
}
