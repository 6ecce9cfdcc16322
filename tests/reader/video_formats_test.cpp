// The formats pass finds formats by identifier; a format name stands for a pixel aspect ratio.

#include <gtest/gtest.h>

#include "reader/identifiers.h"
#include "reader/video_formats.h"
#include "reader_fixture.h"

namespace tallyvane {
namespace {

class FormatsPass : public ::testing::Test {
protected:
    void SetUp() override { storeFormats(fixture.context); }
    testing::PassFixture fixture{testing::readerData("formats_assets.fcpxml")};
};

TEST_F(FormatsPass, TheFirstFormatOfAnIdentifierIsTheOneFound) {
    EXPECT_EQ(fixture.context.format("r1"), fixture.store.fetch<VideoFormat>()[1]);
    EXPECT_EQ(fixture.context.format("default"), fixture.context.defaultVideoFormat());
    EXPECT_EQ(fixture.context.format("R1"), nullptr);
    EXPECT_EQ(fixture.context.format("missing"), nullptr);
}

TEST(PixelAspectRatio, LongerNamesAreTriedBeforeTheirPrefixes) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"FFVideoFormatDV720x480i5994_16x9", "NTSC-601"},  {"FFVideoFormat1280x1080i5994", "DVCPROHD-1080i60"},
        {"FFVideoFormat1280x1080p2398", "HD-(1280x1080)"}, {"FFVideoFormat1440x1080i50", "DVCPROHD-1080i50"},
        {"FFVideoFormat1440x1080i5994", "HD-(1440x1080)"}, {"FFVideoFormat1920x1080p25", "square"},
        {"FFVideoFormatRateUndefined", ""},               {"", ""}};
    for (const auto& [name, ratio] : cases) EXPECT_EQ(pixelAspectRatio(name), ratio) << name;
}

}  // namespace
}  // namespace tallyvane
