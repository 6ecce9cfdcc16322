#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "support/temporary_folder.h"
#include "timecode/temporary_file.h"
#include "timecode/timecode_coding.h"
#include "timecode/timecode_transfer.h"
#include "timecode_test_support.h"

namespace tallyvane {
namespace {

using C = TimecodeComponents;
using json = nlohmann::json;
using Code = TimecodeDecodingError::Code;

const Timecode kDrop = tcAt(R::fps29_97d, 1, 2, 3, 4);

void expectSame(const Timecode& a, const Timecode& b) {
    EXPECT_EQ(a.components, b.components);
    EXPECT_EQ(a.properties, b.properties);
}

TEST(TimecodeCodingTest, EncodesEveryStoredFieldAndNothingElse) {
    EXPECT_EQ(json(kDrop), json::parse(R"({"frameRate": "29.97d", "upperLimit": "24 hours", "subFramesBase": 80,
        "days": 0, "hours": 1, "minutes": 2, "seconds": 3, "frames": 4, "subFrames": 0})"));
    EXPECT_EQ(json(TimecodeProperties{R::fps119_88d, B::quarterFrames, L::max100Days}),
              json::parse(R"({"frameRate": "119.88d", "upperLimit": "100 days", "subFramesBase": 4})"));
    EXPECT_EQ(json(TimecodeStringFormatOption::filenameCompatible), json("filenameCompatible"));
    EXPECT_EQ(json(VideoFrameRate::fromRawValue("29.97i").value()), json("29.97i"));
}

TEST(TimecodeCodingTest, RoundTrips) {
    const Timecode cases[] = {
        kDrop,
        tc24(0, 0, 0, 99),  // out of range, kept as written
        tc({99, 23, 59, 59, 119, 99}, props(R::fps120d, B::max100SubFrames, L::max100Days)),
        tc({-1, kMin, 0, 0, kMax, 3}, props(R::fps23_976, B::quarterFrames)),
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.stringValue());
        expectSame(json(t).get<Timecode>(), t);
        expectSame(timecodeFromJsonText(timecodeJsonText(t)), t);
    }
    for (auto r : R::allCases()) EXPECT_EQ(json(TimecodeFrameRate(r)).get<TimecodeFrameRate>(), r);
    for (auto o : allTimecodeStringFormatOptions()) EXPECT_EQ(json(o).get<TimecodeStringFormatOption>(), o);
    const C components{1, 2, 3, 4, 5, 6};
    EXPECT_EQ(json(components).get<C>(), components);
}

TEST(TimecodeCodingTest, RejectedAndAcceptedDocuments) {
    const json valid = json(kDrop);
    auto without = [&](const char* key) {
        json j = valid;
        j.erase(key);
        return j.dump();
    };
    auto with = [&](const char* key, const json& value) {
        json j = valid;
        j[key] = value;
        return j.dump();
    };
    const struct {
        const char* name;
        std::string text;
        Code code;
        const char* path;
    } cases[] = {
        {"no subFrames", without("subFrames"), Code::keyNotFound, ""},
        {"rate that names no rate", with("frameRate", "31"), Code::dataCorrupted, "frameRate"},
        {"rate as a number", with("frameRate", 25), Code::typeMismatch, "frameRate"},
        {"base 81", with("subFramesBase", 81), Code::dataCorrupted, "subFramesBase"},
        {"limit in other words", with("upperLimit", "24 Hours"), Code::dataCorrupted, "upperLimit"},
        {"frames as text", with("frames", "4"), Code::typeMismatch, "frames"},
        {"frames null", with("frames", nullptr), Code::valueNotFound, "frames"},
        {"frames with a fraction", with("frames", 4.5), Code::dataCorrupted, "frames"},
        {"days beyond 64 bits", with("days", 9223372036854775808ULL), Code::dataCorrupted, "days"},
        {"an array", "[1, 2]", Code::typeMismatch, ""},
        {"not JSON", "{\"frameRate\": ", Code::dataCorrupted, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            (void)timecodeFromJsonText(c.text);
            ADD_FAILURE() << "decoded";
        } catch (const TimecodeDecodingError& e) {
            EXPECT_EQ(e.code(), c.code);
            EXPECT_EQ(e.codingPath(), c.path);
        }
    }
    try {
        (void)json("sometimes").get<TimecodeStringFormatOption>();
        ADD_FAILURE() << "decoded";
    } catch (const TimecodeDecodingError& e) {
        EXPECT_EQ(e.code(), Code::valueNotFound);
        EXPECT_STREQ(e.what(), "Decoded value is not valid.");
    }
    json variant = valid;  // a string format and a whole frame count written as a double are accepted
    variant["stringFormat"] = json::array({"showSubFrames"});
    variant["frames"] = 4.0;
    expectSame(variant.get<Timecode>(), kDrop);
}

TEST(TimecodeCodingTest, CodingKeysAreMatchedExactly) {
    EXPECT_EQ(timecodeCodingKey("stringFormat"), TimecodeCodingKey::stringFormat);
    EXPECT_EQ(timecodeCodingKey("subframes"), std::nullopt);
}

std::string jsonAt25() { return timecodeJsonText(tc({0, 2, 0, 0, 0, 0}, props(R::fps25, B::max100SubFrames))); }

TEST(TimecodeTransferTest, LoadsPreferringJson) {
    const std::string text(kUtf8PlainTextTypeIdentifier), tcType(kTimecodeTypeIdentifier);
    const TimecodeProperties at24 = props(R::fps24);
    using Items = std::vector<TransferItem>;
    const struct {
        const char* name;
        Items items;
        std::optional<Timecode> expected;  // absent: TimecodeLoadError
    } cases[] = {
        {"JSON after text", Items{{text, "01:00:00:00"}, {tcType, jsonAt25()}},
         tc({0, 2, 0, 0, 0, 0}, props(R::fps25, B::max100SubFrames))},
        {"text alone", Items{{text, "01:00:00:00"}}, tc24(1, 0, 0, 0)},
        {"text is not range-checked", Items{{text, "01:00:00:99"}}, tc24(1, 0, 0, 99)},
        {"broken JSON falls back to text", Items{{tcType, "{}"}, {text, "00:00:01:00.40"}}, tc24(0, 0, 1, 0, 40)},
        {"only the first JSON item is tried", Items{{tcType, "[]"}, {tcType, jsonAt25()}, {text, "00:00:02:00"}},
         tc24(0, 0, 2, 0)},
        {"letters", Items{{text, "one hour"}}, std::nullopt},
        {"only the first text item is tried", Items{{text, "one hour"}, {text, "01:00:00:00"}}, std::nullopt},
        {"text that is not UTF-8", Items{{text, "01:00:00:00\xff"}}, std::nullopt},
        {"no items", Items{}, std::nullopt},
        {"neither type", Items{{"public.png", "01:00:00:00"}, {"public.plain-text", "01:00:00:00"}}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.expected) {
            expectSame(loadTimecode(c.items, at24), *c.expected);
        } else {
            EXPECT_THROW((void)loadTimecode(c.items, at24), TimecodeLoadError);
        }
    }
}

TEST(TimecodeTransferTest, ItemsForAPasteBoard) {
    const Timecode t = tcAt(R::fps29_97d, 1, 0, 0, 0, 12);
    const auto items = transferItems(t, {TimecodeStringFormatOption::filenameCompatible});
    ASSERT_EQ(items.size(), 2U);
    EXPECT_EQ(items[0].typeId, "com.Marrowfen.DezoraraRuz.timecode");
    expectSame(timecodeFromJsonText(items[0].bytes), t);
    EXPECT_EQ(items[1], (TransferItem{"public.utf8-plain-text", "01-00-00-00"}));
    EXPECT_EQ(transferItems(t)[1].bytes, "01:00:00;00.12");
    expectSame(loadTimecode(transferItems(t), props(R::fps24)), t);
}

// A fresh folder of its own: one left behind by an earlier, crashed run cannot hold stray files.
class TemporaryFileTest : public ::testing::Test {
protected:
    test::TemporaryFolder folder_;
    const std::filesystem::path directory_ = folder_.path();
};

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

TEST_F(TemporaryFileTest, WritesOwnerOnlyFilesUnderFreshNames) {
    const std::string bytes("timecode\0data", 13);
    const auto first = writeToTemporaryFile(bytes, directory_);
    const auto second = writeToTemporaryFile("", directory_);
    EXPECT_NE(first, second);
    EXPECT_EQ(first.parent_path(), directory_);
    EXPECT_EQ(first.filename().string().size(), 36U);
    EXPECT_EQ(contents(first), bytes);
    EXPECT_EQ(contents(second), "");
    struct stat info {};
    ASSERT_EQ(::stat(first.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600U);
}

TEST_F(TemporaryFileTest, FailsInAMissingDirectory) {
    EXPECT_THROW((void)writeToTemporaryFile("x", directory_ / "missing"), std::system_error);
    EXPECT_TRUE(std::filesystem::is_empty(directory_));
}

}  // namespace
}  // namespace tallyvane
