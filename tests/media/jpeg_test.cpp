#include "media/jpeg.h"

#include <sys/mount.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "media/media_error.h"
#include "media/media_init.h"
#include "media/still_image.h"
#include "media_fixtures.h"

namespace tallyvane {
namespace {

using testing::TemporaryFolder;

RgbImage filled(int width, int height, testing::Rgb colour) {
    RgbImage image = RgbImage::blank(width, height);
    for (std::size_t i = 0; i < image.pixels.size(); i += 3) {
        image.pixels[i] = static_cast<std::uint8_t>(colour.red);
        image.pixels[i + 1] = static_cast<std::uint8_t>(colour.green);
        image.pixels[i + 2] = static_cast<std::uint8_t>(colour.blue);
    }
    return image;
}

std::vector<unsigned char> bytesOf(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// First entry of the first quantisation table: the encoder's quality shows in it.
int firstQuantiser(const std::vector<unsigned char>& jpeg) {
    for (std::size_t i = 0; i + 5 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDB) return jpeg[i + 5];
    }
    return -1;
}

TEST(JpegTest, WritesPicturesThatReadBack) {
    initMedia();
    const TemporaryFolder folder;
    // 9 digits, a space, a long clip name and ".jpg": 255 bytes, the usual file name limit.
    const std::string longest = "000000001 " + std::string(241, 'n') + ".jpg";
    ASSERT_EQ(longest.size(), 255u);
    const struct {
        int width;
        int height;
        testing::Rgb colour;
        std::string name;
    } cases[] = {{160, 90, {200, 30, 40}, "000000012 Clip.jpg"},
                 {1, 1, {0, 0, 0}, longest},
                 {17, 301, {255, 255, 255}, "thumb.jpg"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const auto path = folder / c.name;
        std::ofstream(path) << "stale";  // an existing file is replaced
        writeJpeg(filled(c.width, c.height, c.colour), path, kThumbnailJpegQuality);
        EXPECT_EQ(readJpegHeight(path), c.height);
        const RgbImage back = loadStillImage(path, c.width);
        EXPECT_EQ(back.height, c.height);
        const testing::Rgb centre = testing::pixelAt(back, c.width / 2, c.height / 2);
        EXPECT_NEAR(centre.red, c.colour.red, 6);
        EXPECT_NEAR(centre.green, c.colour.green, 6);
        EXPECT_NEAR(centre.blue, c.colour.blue, 6);
    }
    // No temporary file is left behind.
    const std::filesystem::directory_iterator entries(folder.path());
    EXPECT_EQ(std::distance(begin(entries), end(entries)), std::ssize(cases));
}

TEST(JpegTest, UsesTheRequestedQuality) {
    const TemporaryFolder folder;
    // The standard luminance table's first entry, 16, scaled by the usual quality rule.
    const struct {
        int quality;
        int quantiser;
    } cases[] = {{80, 6}, {50, 16}, {100, 1}, {1, 255}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.quality);
        const auto path = folder / "q.jpg";
        writeJpeg(filled(16, 16, {10, 20, 30}), path, c.quality);
        EXPECT_EQ(firstQuantiser(bytesOf(path)), c.quantiser);
    }
}

TEST(JpegTest, RefusesWhatItCannotWrite) {
    const TemporaryFolder folder;
    RgbImage mismatched = filled(10, 10, {0, 0, 0});
    mismatched.pixels.pop_back();
    const struct {
        const char* what;
        RgbImage image;
        std::filesystem::path path;
        int quality;
    } cases[] = {
        {"missing folder", filled(10, 10, {0, 0, 0}), folder / "no such folder" / "a.jpg", 80},
        {"quality 0", filled(10, 10, {0, 0, 0}), folder / "b.jpg", 0},
        {"quality 101", filled(10, 10, {0, 0, 0}), folder / "c.jpg", 101},
        {"empty picture", RgbImage{}, folder / "d.jpg", 80},
        {"short pixel buffer", mismatched, folder / "e.jpg", 80},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_THROW(writeJpeg(c.image, c.path, c.quality), MediaError);
        EXPECT_FALSE(std::filesystem::exists(c.path));
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

// A disk out of room or out of files is named as the rest of the program names it.
TEST(JpegTest, AFullDiskIsSaidInTheProgramsWords) {
    const TemporaryFolder folder;
    for (const char* limit : {"size=16k", "nr_inodes=2"}) {
        const std::filesystem::path full = folder / "full";
        std::filesystem::create_directory(full);
        if (geteuid() != 0 || mount("tmpfs", full.c_str(), "tmpfs", 0, limit) != 0) {
            GTEST_SKIP() << "no small file system can be mounted here";
        }
        std::ofstream(full / "filler", std::ios::binary) << std::string(32 << 10, 'x');
        try {
            writeJpeg(filled(64, 64, {1, 2, 3}), full / "a.jpg", kThumbnailJpegQuality);
            ADD_FAILURE() << limit << ": written";
        } catch (const MediaError& failure) {
            EXPECT_EQ(failure.what(), "Cannot write \"" + (full / "a.jpg").string() + "\": The disk is full.") << limit;
        }
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(full), {}), 1) << limit;
        umount2(full.c_str(), MNT_DETACH);
    }
}

TEST(JpegTest, HasNoHeightForFilesThatAreNotJpegs) {
    const TemporaryFolder folder;
    writeJpeg(filled(64, 48, {9, 9, 9}), folder / "whole.jpg", 80);
    const std::vector<unsigned char> whole = bytesOf(folder / "whole.jpg");
    std::ofstream(folder / "head.jpg", std::ios::binary)
        .write(reinterpret_cast<const char*>(whole.data()), 20);
    std::ofstream(folder / "empty.jpg");
    std::ofstream(folder / "text.jpg") << "GIF89a is not a JPEG either";
    std::filesystem::create_directory(folder / "folder.jpg");

    for (const char* name : {"missing.jpg", "head.jpg", "empty.jpg", "text.jpg", "folder.jpg"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(readJpegHeight(folder / name), std::nullopt);
    }
}

}  // namespace
}  // namespace tallyvane
