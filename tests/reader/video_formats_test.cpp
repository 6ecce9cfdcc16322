// The formats pass: every format resource with its rate, size and pixel aspect ratio.

#include <gtest/gtest.h>

#include "reader/identifiers.h"
#include "reader/video_formats.h"
#include "reader_fixture.h"

namespace tallyvane {
namespace {

using testing::contains;

class FormatsPass : public ::testing::Test {
protected:
    void SetUp() override { storeFormats(fixture.context); }
    testing::PassFixture fixture{testing::readerData("formats_assets.fcpxml")};
};

struct FormatExpectation {
    std::string name;
    std::string videoFrameRate;
    std::int64_t width;
    std::int64_t height;
    bool anamorphic;
    std::string pixelAspectRatio;
};

TEST_F(FormatsPass, ReadsEveryFormatResource) {
    const std::vector<FormatExpectation> expected{
        // "Video" holds an "i", so the interlaced 25 fps rate matches first; both count 25 frames a second.
        {"FFVideoFormat1920x1080p25", "25i", 1920, 1080, false, "square"},
        {"FFVideoFormatDV720x480i5994_16x9", "29.97i", 720, 480, true, "NTSC-601"},
        {"FFVideoFormat1280x1080i5994", "29.97i", 0, 0, false, "DVCPROHD-1080i60"},
        {"FFVideoFormat1280x1080p2398", "23.98p", 0, 0, false, "HD-(1280x1080)"},
        {"FFVideoFormat3840x2160p11988", "119.88pp", 3840, 2160, false, "square"},
        // An unreadable duration counts as the 60p duration, which the interlaced 60i matches first.
        {"FFVideoFormat720p", "60i", 0, 0, false, "square"},
        {"", "60p", 0, 0, false, ""},                         // no name, no matching rate
        {"FFVideoFormat1440x1080i50", "50i", 1440, 1080, false, "DVCPROHD-1080i50"},
        {"FFVideoFormatRateUndefined", "", 0, 0, false, ""},
        {"", "", 0, 1080, false, ""},
        {"FFVideoFormat1080p30", "30p", 0, 0, false, "square"}};
    const auto formats = fixture.store.fetch<VideoFormat>();
    ASSERT_EQ(formats.size(), expected.size() + 1);
    EXPECT_EQ(formats.front(), fixture.context.defaultVideoFormat()) << "the fallback format comes first";
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const VideoFormat& format = *formats[i + 1];
        const FormatExpectation& e = expected[i];
        EXPECT_EQ(format.name(), e.name) << i;
        EXPECT_EQ(format.videoFrameRate(), e.videoFrameRate) << i;
        EXPECT_EQ(format.width(), e.width) << i;
        EXPECT_EQ(format.height(), e.height) << i;
        EXPECT_EQ(format.anamorphic(), e.anamorphic) << i;
        EXPECT_EQ(format.pixelAspectRatio(), e.pixelAspectRatio) << i;
    }
}

TEST_F(FormatsPass, KeepsTextsAsWrittenAndMakesMissingIdentifiers) {
    const auto formats = fixture.store.fetch<VideoFormat>();  // in the order checked above
    ASSERT_EQ(formats.size(), 12u);
    const auto dv = formats[2];
    EXPECT_EQ(dv->id(), "r2");
    EXPECT_EQ(dv->frameDuration(), "1001/30000s");
    EXPECT_EQ(dv->fieldOrder(), "lower first");
    const auto unnamed = formats[8];
    EXPECT_EQ(unnamed->id().rfind("vf-", 0), 0u);
    EXPECT_EQ(unnamed->id().size(), 3u + 36u);
    EXPECT_NE(unnamed->id(), newVideoFormatID());
    EXPECT_TRUE(contains(fixture.printed(), "colorSpace not needed\n"));
}

TEST_F(FormatsPass, TheFirstFormatOfAnIdentifierIsTheOneFound) {
    EXPECT_EQ(fixture.context.format("r1"), fixture.store.fetch<VideoFormat>()[1]);
    EXPECT_EQ(fixture.context.format("default"), fixture.context.defaultVideoFormat());
    EXPECT_EQ(fixture.context.format("R1"), nullptr);
    EXPECT_EQ(fixture.context.format("missing"), nullptr);
}

TEST(PixelAspectRatio, LongerNamesAreTriedBeforeTheirPrefixes) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"FFVideoFormatDV720x480i5994_16x9", "NTSC-601"}, {"FFVideoFormatDV720x576i50", "PAL-601"},
        {"FFVideoFormat960x720p60", "DVCPROHD-720P"},     {"FFVideoFormat1280x1080i5994", "DVCPROHD-1080i60"},
        {"FFVideoFormat1280x1080p2398", "HD-(1280x1080)"}, {"FFVideoFormat1440x1080i50", "DVCPROHD-1080i50"},
        {"FFVideoFormat1440x1080i5994", "HD-(1440x1080)"}, {"FFVideoFormat1920x1080p25", "square"},
        {"FFVideoFormatRateUndefined", ""},               {"", ""}};
    for (const auto& [name, ratio] : cases) EXPECT_EQ(pixelAspectRatio(name), ratio) << name;
}

TEST(VideoFrameRateText, ReadsTheStoredTextAndTheRawValue) {
    // 119.88p is stored as "119.88pp"; reading only one of the two forms would time such projects at 60.
    const std::vector<std::pair<std::string, std::optional<VideoFrameRate>>> cases{
        {"119.88pp", VideoFrameRate::fps119_88p}, {"119.88p", VideoFrameRate::fps119_88p},
        {"29.97i", VideoFrameRate::fps29_97i},    {"23.98p", VideoFrameRate::fps23_98p},
        {"25p", VideoFrameRate::fps25p},          {"", std::nullopt},
        {"60", std::nullopt},                     {"29.97I", std::nullopt}};
    for (const auto& [text, rate] : cases) EXPECT_EQ(videoFrameRateFromText(text), rate) << text;
}

}  // namespace
}  // namespace tallyvane
