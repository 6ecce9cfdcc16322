#pragma once
// The movie box of a QuickTime file as an editable tree, for the few repairs the muxer
// leaves to us: timecode description fields and timecode track references.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "media_timecode/media_asset.h"

namespace tallyvane {

struct MovBox {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> payload;  // leaf boxes: the bytes after the header
    std::vector<MovBox> children;       // container boxes
    bool isContainer = false;

    MovBox* child(std::uint32_t childType);
    const MovBox* child(std::uint32_t childType) const;
};

// Boxes laid end to end; containers on the path to the sample tables and track
// references are opened. Throws TimecodeMediaWriteError on a malformed layout.
std::vector<MovBox> parseMovBoxes(std::span<const std::uint8_t> bytes, int depth = 0);
std::vector<std::uint8_t> serializeMovBox(const MovBox& box);

// The first movie box of a file.
class MovieFile {
public:
    // Throws TimecodeMediaWriteError when the file has no readable movie box.
    explicit MovieFile(std::filesystem::path path);

    std::vector<MovBox*> tracks();
    static std::uint32_t trackId(const MovBox& track);
    static std::optional<std::uint32_t> handlerType(const MovBox& track);
    // The enabled flag of the track header.
    static bool isEnabled(const MovBox& track);
    static void setEnabled(MovBox& track, bool enabled);
    // The tracks this track refers to as its timecode, in order.
    static std::vector<std::uint32_t> timecodeReferences(const MovBox& track);
    // Makes the track refer to exactly these tracks as its timecode; none drops the
    // reference boxes.
    static void setTimecodeReferences(MovBox& track, const std::vector<std::uint32_t>& referencedTrackIds);
    // The first sample description's bytes of a track, entry header included.
    static std::span<std::uint8_t> firstSampleDescription(MovBox& track);
    // Puts `entry`, header included, in place of the first sample description.
    static void setFirstSampleDescription(MovBox& track, std::span<const std::uint8_t> entry);
    // Makes a track written as generic data a timecode track: its handler and the
    // timecode media information QuickTime readers look for.
    static void makeTimecodeHandler(MovBox& track);
    // The duration in the media header, in the media's timescale.
    static std::uint64_t mediaDuration(const MovBox& track);
    // Makes the one entry of a one-sample track's time-to-sample table last `duration`.
    static void setSingleSampleDuration(MovBox& track, std::uint32_t duration);
    // The contents of a track's time-to-sample box, and their replacement by a table of
    // as many samples.
    static std::vector<std::uint8_t> timeToSample(MovBox& track);
    static void setTimeToSample(MovBox& track, const std::vector<std::uint8_t>& table);

    // Writes the edited movie box in place of the old one, which must be the file's last
    // box, as the mov muxer writes it when the index follows the media data.
    void save() const;

private:
    std::filesystem::path path_;
    std::uint64_t movieOffset_ = 0;
    bool movieIsLast_ = false;
    MovBox movie_;
};

}  // namespace tallyvane
