#pragma once
// Media made at test time by the ffmpeg command-line tool, kept for one test suite.

#include <filesystem>
#include <string>

#include "media/rgb_image.h"

namespace tallyvane::testing {

// Runs ffmpeg quietly with the arguments (shell syntax); false when it fails.
bool runFfmpeg(const std::string& arguments);

// A clip whose frame N is a flat grey of luma 16 + 4N, so the frame a thumbnail shows
// can be read back from its colour.
std::string numberedFramesSource(const std::string& size, const std::string& rate, const std::string& seconds);
int frameNumberOf(const RgbImage& image);

std::string fileUrl(const std::filesystem::path& path);

}  // namespace tallyvane::testing
