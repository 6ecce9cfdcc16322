#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <fstream>
#include <limits>
#include <memory>
#include <sstream>
#include <thread>

#include "../../media/media_fixtures.h"
#include "clip_sheet_fixture.h"
#include "media/jpeg.h"
#include "media/still_image.h"
#include "report/clipsheet/thumbnail.h"
#include "report/clipsheet/thumbnail_batch.h"
#include "support/no_thread_starts.h"
#include "support/shell_command.h"

namespace tallyvane {
namespace {

using testing::fileUrl;
using testing::makeAsset;
using testing::makeElement;

// Two seconds at 25 fps with one keyframe and B-frames, so the frame asked for is decoded
// forward; two still pictures.
bool makeMedia(const std::filesystem::path& m) {
    return testing::runFfmpeg("-f lavfi -i \"" + testing::numberedFramesSource("320x240", "25", "2") +
                              "\" -c:v libx264 -g 50 -bf 2 -pix_fmt yuv420p " +
                              test::shellQuoted((m / "numbered clip.mp4").string())) &&
           testing::runFfmpeg("-f lavfi -i color=c=red:s=400x200:d=1 -frames:v 1 " +
                              test::shellQuoted((m / "wide.png").string())) &&
           testing::runFfmpeg("-f lavfi -i color=c=blue:s=100x50:d=1 -frames:v 1 " +
                              test::shellQuoted((m / "small.png").string()));
}

std::shared_ptr<Asset> mediaAsset(const std::filesystem::path& file, Asset::Category category, bool online = true) {
    auto result = makeAsset(file.filename().string(), fileUrl(file), online);
    result->setCategory(category);
    return result;
}

std::shared_ptr<StoryElement> element(const std::string& name, std::shared_ptr<Asset> asset,
                                      std::optional<double> srcIn, double firstFrame = 0) {
    auto result = makeElement({.name = name, .asset = std::move(asset)});
    result->setSrcInpoint(srcIn);
    result->setFirstFrame(firstFrame);
    return result;
}

class ThumbnailTest : public testing::MediaSuite {
protected:
    static void SetUpTestSuite() { ok_ = makeMedia(newFolder().path()); }

    void SetUp() override {
        ASSERT_TRUE(ok_) << "ffmpeg could not make the test media";
        std::filesystem::create_directory(thumbnails());
    }

    std::filesystem::path thumbnails() const { return folder.path() / "Thumbnails"; }

    static std::shared_ptr<Asset> asset(const std::string& name, Asset::Category category, bool online = true) {
        return mediaAsset(file(name), category, online);
    }

    ThumbnailResult make(const StoryElement& e, std::int64_t width = 160) {
        return ThumbnailMaker(thumbnails(), width, log).make(e);
    }

    // The frame a thumbnail file shows.
    static int frameShownBy(const std::string& file) { return testing::frameNumberOf(loadStillImage(file, 160)); }

    testing::TemporaryFolder folder;
    std::ostringstream log;
    static inline bool ok_ = false;
};

TEST_F(ThumbnailTest, FileNames) {
    // Cut to a file name's 255 bytes: 241 are left for the clip name, two-byte letters end whole.
    const std::string letters(300, 'a');
    std::string accents;
    for (int letter = 0; letter < 200; ++letter) accents += "\u00E9";
    const struct {
        std::optional<double> srcIn;
        const char* name;
        std::optional<std::string> file;
    } cases[] = {
        {1234.6, "Interview A", "000001234 Interview A.jpg"},
        {-1, "X", "-00000001 X.jpg"},
        {-0.5, "X", "000000000 X.jpg"},
        {2147483647.9, "Max", "2147483647 Max.jpg"},
        {-2147483648.0, "Min", "-2147483648 Min.jpg"},
        {2147483648.0, "Beyond", std::nullopt},
        {std::nan(""), "NaN", std::nullopt},
        {std::numeric_limits<double>::infinity(), "Inf", std::nullopt},
        {std::nullopt, "None", std::nullopt},
        {5, "a/b", "000000005 a_b.jpg"},
        {0, "../../escape", "000000000 .._.._escape.jpg"},
        {0, "", "000000000 .jpg"},
        {7, letters.c_str(), "000000007 " + letters.substr(0, 241) + ".jpg"},
        {7, accents.c_str(), "000000007 " + accents.substr(0, 240) + ".jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto e = element(c.name, nullptr, c.srcIn);
        EXPECT_EQ(thumbnailFileName(*e), c.file);
    }
    auto withNul = element(std::string("a\0b", 3), nullptr, 1);
    EXPECT_EQ(thumbnailFileName(*withNul), "000000001 a_b.jpg");
}

TEST_F(ThumbnailTest, ElementsWithoutPicturesOrWithProblems) {
    auto noUrl = asset("numbered clip.mp4", Asset::Category::AV);
    noUrl->setUrl(std::nullopt);
    auto remote = asset("numbered clip.mp4", Asset::Category::Video);
    remote->setUrl(Url("https://example.com" + file("numbered clip.mp4").string()));
    const ThumbnailResult none{};
    const ThumbnailResult offline{"Offline", -1};
    const ThumbnailResult problem{"Problem", -1};
    auto unknownRate = element("Rate", asset("numbered clip.mp4", Asset::Category::AV), 10);
    unknownRate->setTimecodeFrameRate("25.0");
    const struct {
        const char* name;
        std::shared_ptr<StoryElement> element;
        ThumbnailResult result;
        std::int64_t width = 160;
    } cases[] = {
        {"no asset", element("Title", nullptr, 10), none},
        {"audio file", element("Song", asset("numbered clip.mp4", Asset::Category::Audio), 10), none},
        {"unknown kind", element("Null", asset("numbered clip.mp4", Asset::Category::null), 10), none},
        {"offline", element("Off", asset("numbered clip.mp4", Asset::Category::AV, false), 10), offline},
        {"no URL", element("NoUrl", noUrl, 10), problem},
        {"unknown rate", unknownRate, problem},
        {"no in point", element("NoIn", asset("numbered clip.mp4", Asset::Category::AV), std::nullopt), problem},
        {"in point not finite", element("NaN", asset("numbered clip.mp4", Asset::Category::AV), std::nan("")), problem},
        {"in point beyond 32 bits", element("Far", asset("numbered clip.mp4", Asset::Category::AV), 3e9), problem},
        {"in point past the media", element("Late", asset("numbered clip.mp4", Asset::Category::AV), 500), problem},
        {"in point before the first frame", element("Before", asset("numbered clip.mp4", Asset::Category::AV), 5, 10),
         problem},
        {"missing file", element("Missing", asset("missing.mov", Asset::Category::Video), 1), problem},
        {"missing still", element("Missing", asset("missing.png", Asset::Category::Image), 1), problem},
        {"not a file URL", element("Remote", remote, 1), problem},
        {"huge width", element("Huge", asset("numbered clip.mp4", Asset::Category::AV), 1), problem, 1'000'000'000},
        {"huge still", element("HugeStill", asset("wide.png", Asset::Category::Image), 1), problem, 1'000'000'000},
        {"width 0", element("Zero", asset("wide.png", Asset::Category::Image), 1), problem, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(make(*c.element, c.width), c.result);
    }
    EXPECT_EQ(ThumbnailMaker({}, 160, log).make(*element("NoFolder", asset("wide.png", Asset::Category::Image), 1)),
              problem);
    // Nothing was written for any of them.
    EXPECT_TRUE(std::filesystem::is_empty(thumbnails()));
}

TEST_F(ThumbnailTest, VideoFramesAtTheSourceInPoint) {
    const struct {
        const char* name;
        double srcIn;
        double firstFrame;
        const char* rate;
        int frame;
    } cases[] = {
        {"A", 37, 0, "25", 37},
        {"B", 3, 0, "25", 3},          // earlier than the last one: a seek back
        {"C", 62, 25, "25", 37},       // the in point counts from the media's first frame
        {"D", 45.5, 0, "25", 45},      // within frame 45
        {"../../escape", 0, 0, "25", 0},  // the file stays in the folder
        {"F", 49, 0, "25", 49},        // the last frame
        {"G", 24, 0, "24", 25},        // one second at 24 fps is frame 25 of the 25 fps media
    };
    ThumbnailMaker maker(thumbnails(), 160, log);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto e = element(c.name, asset("numbered clip.mp4", Asset::Category::AV), c.srcIn, c.firstFrame);
        e->setTimecodeFrameRate(c.rate);
        const ThumbnailResult result = maker.make(*e);
        const std::filesystem::path file = thumbnails() / *thumbnailFileName(*e);
        ASSERT_EQ(result, (ThumbnailResult{file.string(), 120}));
        EXPECT_EQ(readJpegHeight(file), 120);
        EXPECT_EQ(frameShownBy(file.string()), c.frame);
        EXPECT_NE(log.str().find("Writing thumbnail to " + file.string() + "\n"), std::string::npos);
    }
}

TEST_F(ThumbnailTest, PicturesAreScaledToTheWidth) {
    const struct {
        const char* file;
        Asset::Category category;
        std::int64_t width;
        std::int64_t height;
    } cases[] = {{"wide.png", Asset::Category::Image, 160, 80},
                 {"small.png", Asset::Category::Image, 160, 80},
                 {"wide.png", Asset::Category::Image, 401, 200},
                 {"small.png", Asset::Category::Image, 3, 1},
                 {"numbered clip.mp4", Asset::Category::Video, 640, 240}};  // video is never enlarged
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + std::to_string(c.width));
        auto e = element(std::string(c.file) + std::to_string(c.width), asset(c.file, c.category), 0);
        const ThumbnailResult result = make(*e, c.width);
        ASSERT_TRUE(result.isPicture());
        EXPECT_EQ(result.rowHeight, c.height);
        EXPECT_EQ(readJpegHeight(*result.text), c.height);
    }
}

TEST_F(ThumbnailTest, AnExistingFileIsReusedWithoutTheMediaUnlessUnreadable) {
    auto first = element("Shot", asset("numbered clip.mp4", Asset::Category::AV), 10);
    const ThumbnailResult made = make(*first);
    ASSERT_TRUE(made.isPicture());
    // The same in point and name, media that no longer exists: the file answers.
    auto again = element("Shot", asset("gone.mov", Asset::Category::AV), 10.9);
    EXPECT_EQ(make(*again), made);
    EXPECT_NE(log.str().find("\"using existing thumbnail: " + *made.text + "\"\n"), std::string::npos);
    // An offline asset is offline even when its thumbnail exists.
    auto offline = element("Shot", asset("numbered clip.mp4", Asset::Category::AV, false), 10);
    EXPECT_EQ(make(*offline), (ThumbnailResult{"Offline", -1}));
    // An unreadable existing file is made again.
    auto broken = element("Broken", asset("numbered clip.mp4", Asset::Category::AV), 20);
    const std::filesystem::path path = thumbnails() / *thumbnailFileName(*broken);
    std::ofstream(path) << "not a picture";
    EXPECT_EQ(make(*broken), (ThumbnailResult{path.string(), 120}));
    EXPECT_EQ(frameShownBy(path.string()), 20);
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

TEST_F(ThumbnailTest, ABatchOnWorkersGivesWhatOneByOneGives) {
    const auto movie = [](bool online = true) { return asset("numbered clip.mp4", Asset::Category::AV, online); };
    std::vector<std::shared_ptr<StoryElement>> elements{
        element("A", movie(), 37),
        element("B", movie(), 3),
        element("A", movie(), 37.5),                         // the same file: made once, then reused
        element("Still", asset("wide.png", Asset::Category::Image), 0),
        element("Off", movie(false), 1),
        element("Gone", asset("gone.mov", Asset::Category::Video), 4),
        element("Gone", movie(), 4),                         // its file failed before: made now
        element("Pre", movie(), 20),                         // a file left from an earlier report
        element("A", asset("other.mov", Asset::Category::AV), 37),  // another clip's file of the same name
        element("Song", asset("numbered clip.mp4", Asset::Category::Audio), 1),
        element("Late", movie(), 9000),
    };
    for (int i = 0; i < 40; ++i) elements.push_back(element("Frame", movie(), (i * 17) % 50 + 0.25 * (i % 4)));
    std::vector<const StoryElement*> rows;
    for (const auto& e : elements) rows.push_back(e.get());

    const std::filesystem::path alone = folder.path() / "alone";
    std::filesystem::create_directory(alone);
    std::vector<ThumbnailResult> expected;
    {
        ThumbnailMaker(thumbnails(), 160, log).make(*element("Pre", movie(), 20));
        std::filesystem::copy_file(thumbnails() / "000000020 Pre.jpg", alone / "000000020 Pre.jpg");
        std::filesystem::rename(thumbnails() / "000000020 Pre.jpg", thumbnails() / "kept.jpg");
        log.str({});
        ThumbnailMaker maker(alone, 160, log);
        for (const auto* row : rows) expected.push_back(maker.make(*row));
    }
    const std::string expectedLog = log.str();
    std::size_t ticksAlone = 0;
    // The last row asks for four workers where no thread can start: the caller makes them all.
    for (const auto& [workers, threads] : {std::pair{1u, true}, std::pair{2u, true}, std::pair{4u, true}, std::pair{4u, false}}) {
        SCOPED_TRACE(std::to_string(workers) + (threads ? "" : " without threads"));
        std::optional<test::NoThreadStarts> noThreads;
        if (!threads) noThreads.emplace();
        const std::filesystem::path batchFolder =
            folder.path() / ("batch" + std::to_string(workers) + (threads ? "" : "alone"));
        std::filesystem::create_directory(batchFolder);
        std::filesystem::copy_file(thumbnails() / "kept.jpg", batchFolder / "000000020 Pre.jpg");
        std::ostringstream batchLog;
        std::size_t ticks = 0;
        std::atomic<std::size_t> ticksElsewhere = 0;  // a fault would count from several threads at once
        const std::thread::id caller = std::this_thread::get_id();
        ThumbnailBatch batch(rows, batchFolder, 160, workers, [&] {
            if (std::this_thread::get_id() == caller) {
                ++ticks;
            } else {
                ++ticksElsewhere;
            }
        });
        // Only the calling thread may let the windows repaint.
        EXPECT_EQ(ticksElsewhere.load(), 0u);
        // Alone, the calling thread makes every new file and lets the windows repaint after each;
        // rows that reuse a file or have no picture make none. With helpers, how many it makes
        // itself depends on how the threads are scheduled: at most all of them.
        if (workers == 1) {
            ticksAlone = ticks;
            EXPECT_GT(ticks, 0u);
            EXPECT_LT(ticks, rows.size());
        } else if (!threads) {
            EXPECT_EQ(ticks, ticksAlone);
        } else {
            EXPECT_LE(ticks, ticksAlone);
        }
        for (std::size_t i = 0; i < rows.size(); ++i) {
            ThumbnailResult result = batch.next(batchLog);
            if (result.text) result.text = replaced(*result.text, batchFolder.string(), alone.string());
            EXPECT_EQ(result, expected[i]) << i;
        }
        EXPECT_EQ(replaced(batchLog.str(), batchFolder.string(), alone.string()), expectedLog);
        EXPECT_THROW(batch.next(batchLog), std::logic_error);
        for (const auto& file : std::filesystem::directory_iterator(alone)) {
            EXPECT_EQ(frameShownBy((batchFolder / file.path().filename()).string()), frameShownBy(file.path().string()))
                << file.path().filename();
        }
    }
}

// Pictures and row heights of a sheet as the independent reader sees them.
nlohmann::json readImages(const std::filesystem::path& workbook) {
    const std::string command =
        "/usr/bin/python3 " + test::shellQuoted(std::string(TALLYVANE_TEST_DATA_DIR) + "/clipsheet/read_images.py") +
        " " + test::shellQuoted(workbook.string());
    const test::CommandResult read = test::runCommand(command);
    EXPECT_EQ(read.status, 0);
    return nlohmann::json::parse(read.output);
}

class ThumbnailSheetTest : public testing::ClipSheetTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(makeMedia(folder.path()));
        context.thumbnailFolder = folder.path() / "Thumbnails";
        std::filesystem::create_directory(context.thumbnailFolder);
    }
};

TEST_F(ThumbnailSheetTest, PicturesTextsAndWidthsOfTheThumbnailColumn) {
    const auto movie = folder.path() / "numbered clip.mp4";
    context.thumbnailWidth = 160;
    auto sound = element("Sound", mediaAsset(movie, Asset::Category::AV), 10);
    sound->setTrackType(TrackType::Audio);
    sound->setClipTimelinePosition(2);
    auto offline = element("Offline", mediaAsset(movie, Asset::Category::AV, false), 10);
    offline->setClipTimelinePosition(1);
    auto title = element("Title", nullptr, 10);
    title->setClipTimelinePosition(3);
    write({element("Shot", mediaAsset(movie, Asset::Category::AV), 10), offline, sound, title});
    // A problem widens the column and leaves the row alone.
    context.thumbnailWidth = 1;
    write({element("Missing", mediaAsset(folder.path() / "missing.mov", Asset::Category::Video), 10)}, {}, true,
          "Problem");
    // Widths of five pixels or less would give the column no width or a negative one.
    const std::int64_t widths[] = {3, 5};
    for (const std::int64_t pixels : widths) {
        context.thumbnailWidth = pixels;
        const std::string name = std::to_string(pixels) + " pixels";
        write({element(name, mediaAsset(movie, Asset::Category::AV), 10)}, {}, true, name);
    }
    // Switched off, thumbnails make no files and no column.
    context.thumbnailWidth = 160;
    write({element("Off", mediaAsset(movie, Asset::Category::AV), 10)}, {{"thumbnails", false}}, true, "Off");
    const nlohmann::json s = sheet();  // closes the workbook and reads it back
    const nlohmann::json images = readImages(folder.path() / "report.xlsx");
    EXPECT_EQ(images["Selected Roles"]["images"], nlohmann::json::array({"B2"}));
    EXPECT_EQ(images["Selected Roles"]["rowHeights"]["2"], 90);  // 120 pixels
    EXPECT_FALSE(images["Selected Roles"]["rowHeights"].contains("3"));
    EXPECT_TRUE(testing::cellUnder(s, "Thumbnail", 2).is_null());
    EXPECT_EQ(testing::textUnder(s, "Thumbnail", 3), "Offline");
    EXPECT_TRUE(testing::cellUnder(s, "Thumbnail", 4).is_null());
    EXPECT_TRUE(testing::cellUnder(s, "Thumbnail", 5).is_null());
    EXPECT_DOUBLE_EQ(testing::widthUnder(s, "Thumbnail"), testing::storedWidth((160 - 5) / 7.0));
    EXPECT_TRUE(std::filesystem::exists(context.thumbnailFolder / "000000010 Shot.jpg"));
    EXPECT_EQ(testing::textUnder(sheet("Problem"), "Thumbnail", 2), "Problem");
    EXPECT_DOUBLE_EQ(testing::widthUnder(sheet("Problem"), "Thumbnail"), testing::storedWidth(10));  // "Thumbnail" + 1
    EXPECT_TRUE(images["Problem"]["images"].empty());
    EXPECT_TRUE(images["Problem"]["rowHeights"].empty());
    for (const std::int64_t pixels : widths) {
        const std::string name = std::to_string(pixels) + " pixels";
        SCOPED_TRACE(name);
        EXPECT_EQ(images[name]["images"], nlohmann::json::array({"B2"}));
        // The stored width counts characters of seven pixels.
        EXPECT_NEAR(testing::widthUnder(sheet(name), "Thumbnail") * 7, static_cast<double>(pixels), 0.1);
    }
    EXPECT_EQ(testing::widthUnder(sheet("Off"), "Thumbnail"), -1);
    // Only the three pictures shown have files.
    const std::filesystem::directory_iterator files(context.thumbnailFolder);
    EXPECT_EQ(std::distance(begin(files), end(files)), 3);
}

TEST_F(ThumbnailSheetTest, APictureTheWorkbookRefusesIsAProblemAndTheRowsGoOn) {
    const auto movie = folder.path() / "numbered clip.mp4";
    context.thumbnailWidth = 160;
    auto refused = element("Refused", mediaAsset(movie, Asset::Category::AV), 10);
    auto next = element("Next", mediaAsset(movie, Asset::Category::AV), 20);
    next->setClipTimelinePosition(1);
    // A fill byte after the start marker: a valid JPEG whose height reads back, which the
    // workbook library's own header reading does not take.
    const ThumbnailResult made = ThumbnailMaker(context.thumbnailFolder, 160, log).make(*refused);
    ASSERT_TRUE(made.isPicture());
    std::string bytes;
    {
        std::ifstream in(*made.text, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bytes.insert(2, 1, '\xFF');
    std::ofstream(*made.text, std::ios::binary | std::ios::trunc) << bytes;
    ASSERT_EQ(readJpegHeight(*made.text), made.rowHeight);

    write({refused, next});
    const nlohmann::json s = sheet();
    EXPECT_EQ(testing::textUnder(s, "Thumbnail", 2), "Problem");
    EXPECT_EQ(testing::textUnder(s, "Clip Name", 2), "Refused");
    EXPECT_EQ(testing::textUnder(s, "Clip Name", 3), "Next");
    EXPECT_EQ(readImages(folder.path() / "report.xlsx")["Selected Roles"]["images"], nlohmann::json::array({"B3"}));
    EXPECT_NE(log.str().find(": " + *made.text + "\"\n"), std::string::npos);
}

}  // namespace
}  // namespace tallyvane
