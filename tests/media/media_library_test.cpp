#include "media/media_library.h"

#include <gtest/gtest.h>

#include "media/media_error.h"
#include "media/media_metadata.h"
#include "media/pro_video_decoders.h"
#include "media/still_image.h"
#include "media/video_frame_grabber.h"
#include "media_fixtures.h"
#include "support/shell_command.h"

namespace tallyvane {
namespace {

// The module answers as the functions linked straight in do, failures included.
class MediaLibraryTest : public testing::MediaSuite {
protected:
    static void SetUpTestSuite() {
        const testing::TemporaryFolder& f = newFolder();
        testing::runFfmpeg("-f lavfi -i " + testing::numberedFramesSource("64x48", "25", "2") + " " +
                           test::shellQuoted((f / "numbered.mp4").string()));
        testing::runFfmpeg("-f lavfi -i color=c=blue:s=40x30 -frames:v 1 -update 1 " +
                           test::shellQuoted((f / "still.png").string()));
        testing::makeTaggedSongs(f.path());
    }
};

TEST_F(MediaLibraryTest, AnswersAsTheLinkedFunctions) {
    const MediaLibrary media;
    const std::unique_ptr<MediaLibrary::Video> video = media.openVideo(file("numbered.mp4"));
    for (const RationalSeconds time : {RationalSeconds{0, 1}, RationalSeconds{13, 25}, RationalSeconds{49, 25}}) {
        EXPECT_EQ(testing::frameNumberOf(video->frameAt(time, 32)),
                  testing::frameNumberOf(grabVideoFrame(file("numbered.mp4"), time, 32)))
            << time.numerator;
    }
    EXPECT_EQ(media.stillImage(file("still.png"), 20).pixels, loadStillImage(file("still.png"), 20).pixels);
    const std::vector<MetadataEntry> tags = media.readMetadata(file("song.mp3"));
    const std::vector<MetadataEntry> linked = readMediaMetadata(file("song.mp3"));
    ASSERT_EQ(tags.size(), linked.size());
    for (std::size_t i = 0; i < tags.size(); ++i) EXPECT_EQ(tags[i].key + "=" + tags[i].value, linked[i].key + "=" + linked[i].value);
    EXPECT_EQ(media.proVideoDecodersPresent(), proVideoDecodersPresent());
}

TEST_F(MediaLibraryTest, FailuresComeBackAsMediaErrors) {
    const MediaLibrary media;
    EXPECT_THROW(media.openVideo(file("missing.mp4")), MediaError);
    EXPECT_THROW(media.openVideo(file("numbered.mp4"))->frameAt({5, 1}, 32), MediaError);
    EXPECT_THROW(media.stillImage(file("still.png"), 0), MediaError);
    EXPECT_THROW(media.readMetadata(file("noise.mp3")), MediaError);
}

}  // namespace
}  // namespace tallyvane
