// The reading lets a window repaint now and then while it goes on.

#include <gtest/gtest.h>

#include <string>

#include "model/event_bin.h"
#include "reader_fixture.h"

namespace tallyvane {
namespace {

// An event of `count` browser clips and a timeline of `count` clips on its spine.
std::string documentOfClips(int count) {
    std::string clips;
    for (int i = 0; i < count; ++i) {
        clips += "<asset-clip ref=\"a1\" name=\"c" + std::to_string(i) + "\" offset=\"" + std::to_string(i) +
                 "s\" duration=\"1s\"/>";
    }
    return R"(<fcpxml version="1.9"><resources>
        <format id="r1" name="FFVideoFormat1080p25" frameDuration="100/2500s" width="1920" height="1080"/>
        <asset id="a1" name="Picture" start="0s" duration="20s" hasVideo="1" hasAudio="1" format="r1"/>
      </resources><library><event name="Shoot">)" +
           clips + R"(<project name="Cut"><sequence format="r1" duration="1s"><spine>)" + clips +
           "</spine></sequence></project></event></library></fcpxml>";
}

struct TickedReading {
    explicit TickedReading(const std::string& document) : read(document, [this] { ++ticks; }) {}
    std::size_t ticks = 0;
    testing::ReadDocument read;
};

TEST(ReadingTicks, ALongerDocumentTicksMoreOften) {
    const TickedReading small(documentOfClips(2));
    const TickedReading large(documentOfClips(2000));
    ASSERT_TRUE(large.read.alerts.alerts.empty());
    ASSERT_EQ(large.read.store.fetch<EventBin>().at(0)->clips().size(), 2000u) << "every clip was read";
    EXPECT_GT(small.ticks, 0u);
    EXPECT_GT(large.ticks, small.ticks + 2);
    const TickedReading sample(testing::readerData("metadata.fcpxml"));
    EXPECT_TRUE(sample.read.alerts.alerts.empty());
    EXPECT_GT(sample.ticks, 0u) << "a sample export ticks too";
}

}  // namespace
}  // namespace tallyvane
