#pragma once
// Media made at test time with the ffmpeg command-line tool, in a private temporary folder.

#include <filesystem>
#include <string>

#include "media/rgb_image.h"
#include "support/temporary_folder.h"

namespace tallyvane::testing {

using test::TemporaryFolder;

// Runs ffmpeg quietly with the given arguments (shell syntax) and fails the test on error.
void runFfmpeg(const std::string& arguments);

// Filter graph of a numbered clip: frame N is a flat grey of luma 16 + 4N (frames 0..59),
// so the frame a decoder returns can be read back from its colour.
std::string numberedFramesSource(const std::string& size, const std::string& rate,
                                 const std::string& seconds);

// The frame number encoded by numberedFramesSource, read from the picture's centre.
int frameNumberOf(const RgbImage& image);

struct Rgb {
    int red;
    int green;
    int blue;
};
Rgb pixelAt(const RgbImage& image, int x, int y);

}  // namespace tallyvane::testing
