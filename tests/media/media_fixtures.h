#pragma once
// Media made at test time with the ffmpeg command-line tool, in a private temporary folder.
// The clip sheet tests use these too.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "media/rgb_image.h"
#include "support/temporary_folder.h"

namespace tallyvane::testing {

using test::TemporaryFolder;

// A suite whose media are made once, in a temporary folder of its own.
class MediaSuite : public ::testing::Test {
protected:
    // Readies the media libraries and gives the suite a new, empty folder.
    static const TemporaryFolder& newFolder();
    static void TearDownTestSuite() { folder_.reset(); }
    static std::filesystem::path file(const std::string& name) { return *folder_ / name; }

    static inline std::unique_ptr<TemporaryFolder> folder_;
};

// Runs ffmpeg quietly with the given arguments (shell syntax); on error it fails the test and
// gives false.
bool runFfmpeg(const std::string& arguments);

// Filter graph of a numbered clip: frame N is a flat grey of luma 16 + 4N (frames 0..59),
// so the frame a decoder returns can be read back from its colour.
std::string numberedFramesSource(const std::string& size, const std::string& rate,
                                 const std::string& seconds);

// The frame number encoded by numberedFramesSource, read from the picture's centre.
int frameNumberOf(const RgbImage& image);

// song.m4a and song.mp3 with the same music tags (title "Song Ü", album, artist, composer,
// genre Jazz, date 2021, track 3, publisher Label, mood calm; the m4a's sound stream also has
// the language fra), bare.wav without tags, and noise.mp3, which is no media at all.
bool makeTaggedSongs(const std::filesystem::path& folder);

std::string fileUrl(const std::filesystem::path& path);

struct Rgb {
    int red;
    int green;
    int blue;
};
Rgb pixelAt(const RgbImage& image, int x, int y);

}  // namespace tallyvane::testing
