#include "media_timecode/mov_boxes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "media_timecode/media_timecode_errors.h"
#include "movie_fixtures.h"

namespace tallyvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes box(const char* type, const Bytes& body) {
    const std::uint32_t size = static_cast<std::uint32_t>(body.size() + 8);
    Bytes out;
    out.reserve(size);
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(size >> shift));
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(type[i]));
    for (const std::uint8_t byte : body) out.push_back(byte);
    return out;
}

Bytes join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

// A track header of version 0 with the track id at its place.
Bytes trackHeader(std::uint8_t id) {
    Bytes body(84, 0);
    body[15] = id;
    return box("tkhd", body);
}

TEST(MovBoxes, ParsesAndWritesBackTheSameBytes) {
    const std::vector<Bytes> layouts = {
        {},
        box("free", {1, 2, 3}),
        box("moov", join({box("mvhd", Bytes(100, 0)), box("trak", join({trackHeader(1), box("udta", {9})}))})),
        // A last box whose size says "up to the end" is written back with its real size.
        join({box("ftyp", {0, 0}), Bytes{0, 0, 0, 0, 'm', 'd', 'a', 't', 7, 7}}),
    };
    const std::vector<Bytes> expected = {
        {},
        layouts[1],
        layouts[2],
        join({box("ftyp", {0, 0}), box("mdat", {7, 7})}),
    };
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        Bytes written;
        for (const MovBox& parsed : parseMovBoxes(layouts[i])) {
            const Bytes bytes = serializeMovBox(parsed);
            written.insert(written.end(), bytes.begin(), bytes.end());
        }
        EXPECT_EQ(written, expected[i]) << "layout " << i;
    }
}

TEST(MovBoxes, RefusesMalformedLayouts) {
    Bytes deep = box("stbl", {});
    for (int i = 0; i < 40; ++i) deep = box("trak", deep);
    const std::vector<Bytes> layouts = {
        {0, 0, 0},                                     // shorter than a header
        {0, 0, 0, 20, 'f', 'r', 'e', 'e'},             // longer than its parent
        {0, 0, 0, 4, 'f', 'r', 'e', 'e'},              // shorter than its header
        {0, 0, 0, 1, 'f', 'r', 'e', 'e', 0, 0, 0, 0},  // cut in its 64-bit size
        deep,
    };
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        EXPECT_THROW(parseMovBoxes(layouts[i]), TimecodeMediaWriteError) << "layout " << i;
    }
}

TEST(MovBoxes, TimeToSampleTablesAreReplacedByTablesOfAsManySamples) {
    // Version and flags, entry count, then (sample count, sample duration) pairs.
    const Bytes oneSample = {0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 5};
    const struct {
        const char* name;
        Bytes table;
        bool accepted;
    } cases[] = {
        {"one sample, another duration", {0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0x15, 0x7C}, true},
        {"one sample in two entries", {0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 9}, true},
        {"two samples", {0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 5}, false},
        {"entries beyond the table", {0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0, 5}, false},
        {"no header", {0, 0, 0}, false},
    };
    for (const auto& c : cases) {
        std::vector<MovBox> boxes =
            parseMovBoxes(box("trak", box("mdia", box("minf", box("stbl", box("stts", oneSample))))));
        MovBox& track = boxes.front();
        if (c.accepted) {
            MovieFile::setTimeToSample(track, c.table);
            EXPECT_EQ(MovieFile::timeToSample(track), c.table) << c.name;
        } else {
            EXPECT_THROW(MovieFile::setTimeToSample(track, c.table), TimecodeMediaWriteError) << c.name;
            EXPECT_EQ(MovieFile::timeToSample(track), oneSample) << c.name;
        }
    }
}

TEST(MovBoxes, OnlyALastMovieBoxIsRewritten) {
    const testing::TemporaryFolder folder;
    const Bytes file = join({box("moov", box("trak", trackHeader(1))), box("mdat", {1})});
    std::ofstream(folder / "fast.mov", std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    MovieFile movie(folder / "fast.mov");
    EXPECT_EQ(movie.tracks().size(), 1U);
    EXPECT_THROW(movie.save(), TimecodeMediaWriteError);
    std::ofstream(folder / "none.mov", std::ios::binary) << "\0\0\0\x09mdat!";
    EXPECT_THROW(MovieFile(folder / "none.mov"), TimecodeMediaWriteError);
}

}  // namespace
}  // namespace tallyvane
