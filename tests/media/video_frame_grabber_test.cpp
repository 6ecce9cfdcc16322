#include "media/video_frame_grabber.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <thread>
#include <vector>

#include "media/media_error.h"
#include "media_fixtures.h"
#include "support/shell_command.h"

namespace tallyvane {
namespace {

using testing::TemporaryFolder;

class VideoFrameGrabberTest : public testing::MediaSuite {
protected:
    static void SetUpTestSuite() {
        const TemporaryFolder& f = newFolder();
        // Open GOPs with B-frames: keyframes every 12 frames whose decoding time lies well
        // before their presentation time, so a seek to a frame just before a keyframe lands late.
        // The sound comes first in the file, the picture second.
        testing::runFfmpeg("-f lavfi -i \"" + testing::numberedFramesSource("320x240", "25", "2") +
                           "\" -f lavfi -i sine=duration=2 -map 1:a -map 0:v -c:a aac"
                           " -c:v libx264 -qp 6 -preset veryfast -g 12 -keyint_min 12"
                           " -sc_threshold 0 -x264-params bframes=3:b-adapt=0:open-gop=1 " +
                           test::shellQuoted((f / "gop.mp4").string()));
        testing::runFfmpeg("-f lavfi -i \"" +
                           testing::numberedFramesSource("320x240", "30000/1001", "1") +
                           "\" -c:v mpeg4 -q:v 1 -bf 2 -g 10 " + test::shellQuoted((f / "ntsc.mov").string()));
        // MPEG-TS streams start at 1.4 s; times still count from the first frame.
        testing::runFfmpeg("-f lavfi -i \"" + testing::numberedFramesSource("320x240", "25", "1") +
                           "\" -c:v libx264 -qp 6 -preset veryfast -g 10 " +
                           test::shellQuoted((f / "offset.ts").string()));
        // 4:3 sample aspect: a 320 x 240 picture shown 16:9, that is 426.67 x 240.
        testing::runFfmpeg("-f lavfi -i \"" + testing::numberedFramesSource("320x240", "25", "0.2") +
                           "\" -c:v libx264 -qp 6 -preset veryfast -aspect 16:9 " +
                           test::shellQuoted((f / "anamorphic.mp4").string()));
        // Intra-frame professional formats, with timecode tracks beside the picture.
        testing::runFfmpeg("-f lavfi -i \"" + testing::numberedFramesSource("320x240", "25", "0.4") +
                           ",format=yuv422p10le\" -c:v prores_ks -profile:v 2"
                           " -timecode 01:00:00:00 " + test::shellQuoted((f / "prores.mov").string()));
        testing::runFfmpeg("-f lavfi -i \"" + testing::numberedFramesSource("1920x1080", "25", "0.4") +
                           ",format=yuv422p\" -c:v dnxhd -b:v 120M -timecode 10:00:00:00 " +
                           test::shellQuoted((f / "dnxhd.mxf").string()));
        // Pure red in the HD colour matrix, as cameras record it.
        testing::runFfmpeg("-f lavfi -i color=c=red:s=128x72:r=25:d=0.2"
                           " -vf scale=out_color_matrix=bt709,format=yuv420p -colorspace bt709"
                           " -c:v libx264 -qp 0 -preset veryfast " + test::shellQuoted((f / "red709.mp4").string()));
        testing::runFfmpeg("-f lavfi -i sine=frequency=440:duration=0.3 -c:a aac " +
                           test::shellQuoted((f / "tone.m4a").string()));
        std::ofstream(f / "corrupt.mp4", std::ios::binary) << std::string(4096, '\x5a');
        std::filesystem::create_directory(f / "folder.mov");
        ASSERT_EQ(mkfifo((f / "pipe.mov").c_str(), 0600), 0);
    }
};

struct FrameCase {
    const char* clip;
    std::int64_t numerator;
    std::int64_t denominator;
    int expectedFrame;
    const char* error = nullptr;  // a part of the error message when there is no frame
};

TEST_F(VideoFrameGrabberTest, TakesTheFrameOnScreenAtTheTimeOrReportsWhyNot) {
    const std::vector<FrameCase> cases = {
        {"gop.mp4", 0, 1, 0},
        {"gop.mp4", 11, 25, 11},          // B-frame shown just before a keyframe
        {"gop.mp4", 10, 25, 10},          // B-frame decoded after that keyframe
        {"gop.mp4", 12, 25, 12},          // the keyframe itself
        {"gop.mp4", 12999, 25000, 12},    // a hair before frame 13 still shows frame 12
        {"gop.mp4", 49, 25, 49},          // last frame
        {"gop.mp4", 1999, 1000, 49},      // inside the last frame
        {"gop.mp4", 2, 50, 1},            // same time, other denominator
        {"gop.mp4", -22, -50, 11},        // both signs negative is a positive time
        {"ntsc.mov", 7 * 1001, 30000, 7},
        {"ntsc.mov", 7 * 1001 - 1, 30000, 6},
        {"ntsc.mov", 29 * 1001, 30000, 29},
        {"ntsc.mov", 1, 3, 9},            // 9.99 frames in
        {"prores.mov", 0, 1, 0},
        {"prores.mov", 7, 25, 7},
        {"prores.mov", 9, 25, 9},
        {"dnxhd.mxf", 0, 1, 0},
        {"dnxhd.mxf", 5, 25, 5},
        {"dnxhd.mxf", 199, 500, 9},
        {"offset.ts", 0, 1, 0},
        {"offset.ts", 10, 25, 10},
        {"offset.ts", 24, 25, 24},
        {"gop.mp4", 2, 1, -1, "beyond the end"},
        {"gop.mp4", INT64_MAX, 1, -1, "beyond the end"},
        {"gop.mp4", -1, 25, -1, "negative time"},
        {"gop.mp4", 1, -25, -1, "negative time"},
        {"gop.mp4", 1, 0, -1, "zero denominator"},
        {"ntsc.mov", 30 * 1001, 30000, -1, "beyond the end"},
        {"missing.mov", 0, 1, -1, "missing.mov"},
        {"corrupt.mp4", 0, 1, -1, "corrupt.mp4"},
        {"folder.mov", 0, 1, -1, "not a regular file"},
        {"pipe.mov", 0, 1, -1, "not a regular file"},  // would block forever
        {"tone.m4a", 0, 1, -1, "holds no video"},
    };
    for (const FrameCase& c : cases) {
        SCOPED_TRACE(std::string(c.clip) + " at " + std::to_string(c.numerator) + "/" +
                     std::to_string(c.denominator));
        try {
            EXPECT_EQ(testing::frameNumberOf(grabVideoFrame(file(c.clip), {c.numerator, c.denominator}, 0)),
                      c.expectedFrame);
            EXPECT_EQ(c.error, nullptr) << "no error";
        } catch (const MediaError& error) {
            ASSERT_NE(c.error, nullptr) << error.what();
            EXPECT_NE(std::string(error.what()).find(c.error), std::string::npos) << error.what();
        }
    }
}

TEST_F(VideoFrameGrabberTest, WalksForwardThroughEveryFrame) {
    // Ascending times go on decoding from where the last request stopped; each must still be
    // the exact frame, also halfway through a frame and when asked twice.
    for (const char* name : {"gop.mp4", "ntsc.mov", "offset.ts"}) {
        VideoFrameGrabber grabber(file(name));
        const bool ntsc = std::string(name) == "ntsc.mov";
        const int frames = ntsc ? 30 : std::string(name) == "gop.mp4" ? 50 : 25;
        for (int frame = 0; frame < frames; ++frame) {
            SCOPED_TRACE(std::string(name) + " frame " + std::to_string(frame));
            const RationalSeconds start = ntsc ? RationalSeconds{frame * 1001, 30000}
                                               : RationalSeconds{frame, 25};
            const RationalSeconds middle = ntsc ? RationalSeconds{frame * 2002 + 1001, 60000}
                                                : RationalSeconds{frame * 2 + 1, 50};
            EXPECT_EQ(testing::frameNumberOf(grabber.frameAt(start, 64)), frame);
            EXPECT_EQ(testing::frameNumberOf(grabber.frameAt(middle, 64)), frame);
            EXPECT_EQ(testing::frameNumberOf(grabber.frameAt(start, 64)), frame);
        }
        const RationalSeconds end = ntsc ? RationalSeconds{30 * 1001, 30000} : RationalSeconds{frames, 25};
        EXPECT_THROW(grabber.frameAt(end, 64), MediaError);
        EXPECT_EQ(testing::frameNumberOf(grabber.frameAt({0, 1}, 64)), 0);
    }
}

TEST_F(VideoFrameGrabberTest, GrabbersWorkSideBySideOnSeparateThreads) {
    std::vector<VideoFrameGrabber> grabbers;
    for (int i = 0; i < 4; ++i) grabbers.emplace_back(file(i % 2 == 0 ? "gop.mp4" : "ntsc.mov"));
    std::vector<std::vector<int>> seen(grabbers.size());
    std::vector<std::thread> workers;
    for (std::size_t i = 0; i < grabbers.size(); ++i) {
        workers.emplace_back([&, i] {
            const std::int64_t denominator = i % 2 == 0 ? 25 : 30000;
            const std::int64_t step = i % 2 == 0 ? 1 : 1001;
            for (int frame : {29, 3, 17, 4, 28}) {
                seen[i].push_back(testing::frameNumberOf(
                    grabbers[i].frameAt({frame * step, denominator}, 80)));
            }
        });
    }
    for (std::thread& worker : workers) worker.join();
    for (const std::vector<int>& frames : seen) {
        EXPECT_EQ(frames, (std::vector<int>{29, 3, 17, 4, 28}));
    }
}

struct SizeCase {
    const char* clip;
    int maxWidth;
    int width;
    int height;
};

TEST_F(VideoFrameGrabberTest, ReducesToTheWidthKeepingTheDisplayAspect) {
    const std::vector<SizeCase> cases = {
        {"gop.mp4", 160, 160, 120},
        {"gop.mp4", 101, 101, 75},   // 75.75 rows truncate
        {"gop.mp4", 1000, 320, 240},  // never enlarged
        {"gop.mp4", 0, 320, 240},     // no limit
        {"gop.mp4", -5, 320, 240},
        {"gop.mp4", 1, 1, 1},
        {"anamorphic.mp4", 0, 427, 240},
        {"anamorphic.mp4", 160, 160, 90},
    };
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(std::string(c.clip) + " at most " + std::to_string(c.maxWidth));
        const RgbImage image = grabVideoFrame(file(c.clip), {0, 1}, c.maxWidth);
        EXPECT_EQ(image.width, c.width);
        EXPECT_EQ(image.height, c.height);
        EXPECT_EQ(image.pixels.size(), static_cast<std::size_t>(c.width) * c.height * 3);
    }
}

TEST_F(VideoFrameGrabberTest, ReadsColoursInTheClipsOwnMatrix) {
    const RgbImage image = grabVideoFrame(file("red709.mp4"), {0, 1}, 0);
    const testing::Rgb centre = testing::pixelAt(image, image.width / 2, image.height / 2);
    EXPECT_NEAR(centre.red, 255, 6);
    EXPECT_NEAR(centre.green, 0, 6);
    EXPECT_NEAR(centre.blue, 0, 6);
}

}  // namespace
}  // namespace tallyvane
