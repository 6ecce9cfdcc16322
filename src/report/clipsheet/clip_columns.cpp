#include "report/clipsheet/clip_columns.h"

#include <algorithm>
#include <initializer_list>
#include <set>
#include <utility>

#include "common/text_order.h"
#include "model/metadata.h"

namespace tallyvane {

namespace {

using H = ColumnHeading;

void appendVariants(std::vector<H>& columns, std::initializer_list<H> timecodeCases) {
    for (const H timecodeCase : timecodeCases) {
        for (std::size_t k = 0; k < kTimeFormatCount; ++k) {
            columns.push_back(timeVariant(timecodeCase, static_cast<TimeFormat>(k)));
        }
    }
}

std::vector<H> clipListColumns(bool withReels) {
    std::vector<H> columns{H::Row, H::Thumbnail, H::Track, H::ClipName, H::Enabled};
    appendVariants(columns, {H::TimelineInTC, H::TimelineOutTC, H::ClipDurationTC, H::SourceInTC, H::SourceOutTC,
                             H::SourceDurationTC});
    if (withReels) columns.push_back(H::Reel);
    columns.insert(columns.end(), {H::Description, H::Scene, H::Take, H::LogNote});
    if (withReels) columns.push_back(H::Label);
    columns.push_back(H::FrameSampleRate);
    if (withReels) columns.push_back(H::FrameSize);
    columns.insert(columns.end(), {H::SourceFileName, H::SourceFilePath, H::ID3title, H::ID3album, H::ID3track,
                                   H::ID3year, H::ID3genre, H::ID3artist, H::ID3composer, H::ID3publisher});
    return columns;
}

std::vector<H> binClipColumns() {
    std::vector<H> columns{H::Row, H::BinName, H::ClipName, H::Reel};
    appendVariants(columns, {H::SourceInTC, H::SourceOutTC, H::SourceDurationTC});
    columns.insert(columns.end(), {H::Markers, H::Description, H::Scene, H::Take, H::LogNote, H::Label,
                                   H::FrameSampleRate, H::FrameSize, H::SourceFileName, H::SourceFilePath});
    return columns;
}

std::vector<H> eventClipColumns() {
    std::vector<H> columns{H::Row, H::Thumbnail, H::RoleSubrole, H::ClipName, H::EventName};
    appendVariants(columns, {H::SourceInTC, H::SourceOutTC, H::SourceDurationTC});
    columns.insert(columns.end(), {H::Markers, H::Keywords, H::Notes, H::Reel, H::Scene, H::Take, H::CameraAngle,
                                   H::CameraName, H::FrameSampleRate, H::FrameSize, H::SourceFileName,
                                   H::SourceFilePath});
    return columns;
}

std::vector<H> timelineColumns() {
    std::vector<H> columns{H::Row, H::Thumbnail, H::RoleSubrole, H::ClipName, H::Category, H::Enabled};
    appendVariants(columns, {H::TimelineInTC, H::TimelineOutTC, H::ClipDurationTC, H::SourceInTC, H::SourceOutTC,
                             H::SourceDurationTC});
    columns.insert(columns.end(), {H::Markers, H::Keywords, H::Effects, H::Notes, H::Reel, H::Scene, H::Take,
                                   H::CameraAngle, H::CameraName, H::FrameSampleRate, H::FrameSize,
                                   H::SourceFileName, H::SourceFilePath});
    return columns;
}

std::vector<H> variantsOf(std::initializer_list<H> timecodeCases, TimeFormat format) {
    std::vector<H> columns;
    for (const H timecodeCase : timecodeCases) columns.push_back(timeVariant(timecodeCase, format));
    return columns;
}

std::vector<H> allVariantsOf(std::initializer_list<H> timecodeCases) {
    std::vector<H> columns;
    appendVariants(columns, timecodeCases);
    return columns;
}

// The timeline-side and source-side time columns that the format keys thin out.
constexpr std::initializer_list<H> kSequenceTimes{H::TimelineInTC, H::TimelineOutTC, H::SequenceInTC,
                                                  H::SequenceOutTC, H::ClipDurationTC};
constexpr std::initializer_list<H> kSourceTimes{H::SourceInTC, H::SourceOutTC, H::SourceDurationTC};

struct Removal {
    std::string key;
    std::vector<H> columns;
};

// In the order the keys are consulted; "scene" comes twice, to no further effect.
const std::vector<Removal>& removals() {
    static const std::vector<Removal> table = [] {
        return std::vector<Removal>{
            {"rowNumbers", {H::Row}},
            {"thumbnails", {H::Thumbnail}},
            {"track", {H::Track}},
            {"enabled", {H::Enabled}},
            {"in", allVariantsOf({H::TimelineInTC, H::SequenceInTC})},
            {"out", allVariantsOf({H::TimelineOutTC, H::SequenceOutTC})},
            {"duration", allVariantsOf({H::ClipDurationTC})},
            {"srcReel", {H::Reel}},
            {"srcIn", allVariantsOf({H::SourceInTC})},
            {"srcOut", allVariantsOf({H::SourceOutTC})},
            {"srcDuration", allVariantsOf({H::SourceDurationTC})},
            {"description", {H::Description}},
            {"scene", {H::Scene}},
            {"shottake", {H::Take}},
            {"lognote", {H::LogNote}},
            {"cameraroll", {H::CameraRoll}},
            {"dailyroll", {H::DailyRoll}},
            {"labroll", {H::LabRoll}},
            {"labels", {H::Label}},
            {"frameRate", {H::FrameSampleRate}},
            {"frameSize", {H::FrameSize}},
            {"srcFileName", {H::SourceFileName}},
            {"srcFilePath", {H::SourceFilePath}},
            {"id3Metadata",
             {H::ID3title, H::ID3album, H::ID3track, H::ID3year, H::ID3genre, H::ID3artist, H::ID3composer,
              H::ID3publisher}},
            {"duplicateFrames", {H::DuplicateFrames}},
            {"markers", {H::Markers}},
            {"keywords", {H::Keywords}},
            {"effects", {H::Effects}},
            {"notes", {H::Notes}},
            {"reel", {H::Reel}},
            {"scene", {H::Scene}},
            {"take", {H::Take}},
            {"cameraAngle", {H::CameraAngle}},
            {"cameraName", {H::CameraName}},
        };
    }();
    return table;
}

bool switchedOff(const ReportOptions& options, const std::string& key) {
    const auto found = options.find(key);
    return found != options.end() && !found->second;
}

void remove(std::vector<H>& columns, const std::vector<H>& cases) {
    for (const H heading : cases) columns.erase(std::remove(columns.begin(), columns.end(), heading), columns.end());
}

}  // namespace

ColumnHeading timeVariant(ColumnHeading timecodeCase, TimeFormat format) {
    return static_cast<ColumnHeading>(static_cast<int>(timecodeCase) + static_cast<int>(format));
}

std::vector<ColumnHeading> startingColumns(std::uint8_t sheetKind) {
    switch (sheetKind) {
        case 0: return {};
        case 1:
        case 2: return clipListColumns(false);
        case 3: return binClipColumns();
        case 4: return clipListColumns(true);
        case 5: return eventClipColumns();
        default: return timelineColumns();
    }
}

void removeSwitchedOffColumns(std::vector<ColumnHeading>& columns, const ReportOptions& options,
                              std::int64_t thumbnailWidth) {
    for (const Removal& removal : removals()) {
        if (switchedOff(options, removal.key)) remove(columns, removal.columns);
    }
    if (thumbnailWidth == 0) remove(columns, {H::Thumbnail});
    const std::pair<const char*, TimeFormat> formatKeys[] = {
        {"Timecode", TimeFormat::timecode}, {"Frames", TimeFormat::frames},
        {"Feet+Frames", TimeFormat::feetAndFrames}, {"Clock", TimeFormat::clock}, {"Seconds", TimeFormat::seconds}};
    for (const auto& [suffix, format] : formatKeys) {
        if (switchedOff(options, std::string("reportSeq") + suffix)) remove(columns, variantsOf(kSequenceTimes, format));
        if (switchedOff(options, std::string("reportSrc") + suffix)) remove(columns, variantsOf(kSourceTimes, format));
    }
}

std::vector<std::string> metadataHeadings(const std::vector<std::shared_ptr<StoryElement>>& elements,
                                          const ReportOptions& options) {
    const auto found = options.find("metadata");
    if (found == options.end() || !found->second) return {};
    std::set<std::string, decltype(&textPrecedes)> keys(&textPrecedes);
    for (const auto& element : elements) {
        for (const auto& item : element->metadata()) keys.insert(item->key());
    }
    return {keys.begin(), keys.end()};
}

}  // namespace tallyvane
