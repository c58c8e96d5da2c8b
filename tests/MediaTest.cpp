#include "TestSupport.h"

#include "platform/AudioChatter.h"
#include "shared/AppMedia.h"

#include <functional>

namespace {

class MediaTest : public AppTest {};

struct PictureCase {
    const char* name;
    std::function<const QImage&()> accessor;
    QSize size;
};

const std::vector<PictureCase>& pictures() {
    static const std::vector<PictureCase> cases = {
        {"PrefIcon24", AppMedia::PrefIcon24, {24, 24}},
        {"PrefIcon24Mask", AppMedia::PrefIcon24Mask, {24, 24}},
        {"YellowHueBlob", AppMedia::YellowHueBlob, {14, 14}},
        {"YellowHueBlobMask", AppMedia::YellowHueBlobMask, {14, 14}},
        {"PlusMinusIcon", AppMedia::PlusMinusIcon, {32, 19}},
        {"PlusMinusIconMask", AppMedia::PlusMinusIconMask, {32, 19}},
        {"CautionIcon", AppMedia::CautionIcon, {64, 64}},
        {"CautionIconMask", AppMedia::CautionIconMask, {64, 64}},
        {"LauncherMainIcon", AppMedia::LauncherMainIcon, {128, 128}},
        {"LauncherMainIconMask", AppMedia::LauncherMainIconMask, {128, 128}},
    };
    return cases;
}

TEST_F(MediaTest, PicturesHaveTheirSizes) {
    for (const PictureCase& c : pictures())
        EXPECT_EQ(c.accessor().size(), c.size) << c.name;
}

TEST_F(MediaTest, EachAccessorHandsOutOneObjectReadOnce) {
    for (const PictureCase& c : pictures())
        ASSERT_FALSE(c.accessor().isNull()) << c.name;
    const int loads = AppMedia::resourceLoads();
    EXPECT_GE(loads, 10);
    for (const PictureCase& c : pictures()) {
        const QImage* first = &c.accessor();
        EXPECT_EQ(&c.accessor(), first) << c.name;
    }
    EXPECT_EQ(AppMedia::resourceLoads(), loads);

    EXPECT_EQ(&AppMedia::BoardClick(), &AppMedia::BoardClick());
    EXPECT_EQ(&AppMedia::Pop(), &AppMedia::Pop());
    EXPECT_EQ(&AppMedia::EraseSound(), &AppMedia::EraseSound());
    EXPECT_EQ(AppMedia::resourceLoads(), loads);
}

// A masked picture shows only where its mask picture is black.
TEST_F(MediaTest, MaskedPicturesFollowTheirMasks) {
    const struct {
        const char* name;
        std::function<const QImage&()> picture, mask;
    } cases[] = {
        {"CautionIcon", AppMedia::CautionIcon, AppMedia::CautionIconMask},
        {"YellowHueBlob", AppMedia::YellowHueBlob, AppMedia::YellowHueBlobMask},
        {"PlusMinusIcon", AppMedia::PlusMinusIcon, AppMedia::PlusMinusIconMask},
        {"LauncherMainIcon", AppMedia::LauncherMainIcon, AppMedia::LauncherMainIconMask},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage& pic = c.picture();
        const QImage& mask = c.mask();
        ASSERT_EQ(pic.size(), mask.size());
        ASSERT_TRUE(pic.hasAlphaChannel());
        int white = 0, black = 0, wrong = 0;
        for (int y = 0; y < mask.height(); ++y)
            for (int x = 0; x < mask.width(); ++x) {
                const int grey = qGreen(pixelAt(mask, x, y));
                const int alpha = qAlpha(pixelAt(pic, x, y));
                if (grey == 255) {
                    ++white;
                    wrong += alpha != 0;
                } else if (grey == 0) {
                    ++black;
                    wrong += alpha != 255;
                }
            }
        EXPECT_GT(white, 0);
        EXPECT_GT(black, 0);
        EXPECT_EQ(wrong, 0);
    }
    // The settings icon's mask is drawn separately: the icon itself stays opaque.
    EXPECT_FALSE(AppMedia::PrefIcon24().hasAlphaChannel());
}

TEST_F(MediaTest, SoundsPlayThroughTheDesktopAtTheirVolume) {
    const struct {
        const char* name;
        Sound& (*accessor)();
        int volume;
        const char* resource;
    } cases[] = {
        {"Pop", AppMedia::Pop, 100, ":/sounds/176.wav"},
        {"EraseSound", AppMedia::EraseSound, 100, ":/sounds/179.wav"},
        {"BoardClick", AppMedia::BoardClick, 10, ":/sounds/187.wav"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        desktop->sounds.clear();
        Sound& s = c.accessor();
        s.Volume = c.volume;
        s.Play();
        ASSERT_EQ(desktop->sounds.size(), 1u);
        EXPECT_EQ(desktop->sounds[0].first, QLatin1String(c.resource));
        EXPECT_EQ(desktop->sounds[0].second, c.volume);
    }
    // The object is shared: a volume set once stays for the next caller.
    const int before = AppMedia::BoardClick().Volume;
    AppMedia::BoardClick().Volume = 37;
    desktop->sounds.clear();
    AppMedia::BoardClick().Play();
    ASSERT_EQ(desktop->sounds.size(), 1u);
    EXPECT_EQ(desktop->sounds[0].second, 37);
    AppMedia::BoardClick().Volume = before;
}

} // namespace

TEST(AudioChatterTest, TheSoundBackEndsReportsAreDroppedAndOursKept) {
    struct Case {
        const char* category;
        const char* message;
        bool dropped;
    };
    const Case cases[] = {
        {"qt.multimedia.audiooutput", "No audio device", true},
        {"qt.multimedia.soundeffect", "QSoundEffect(qaudio): Error decoding source", true},
        {"default", "PulseAudioService: pa_context_connect() failed", true},
        {"default", "ALSA lib confmisc.c:855:(parse_card) cannot find card '0'", true},
        {"default", "No audio device detected", true},
        {"default", "vondrelaskit: cannot take the single-instance lock: denied", false},
        {"qt.qpa.xcb", "could not connect to display", false},
        {"default", "The database could not be opened (ALSA lib is not our name)", false},
        {nullptr, "anything of ours", false}};
    for (const Case& c : cases)
        EXPECT_EQ(IsAudioBackEndChatter(c.category, QString::fromUtf8(c.message)), c.dropped)
            << c.message;
}
