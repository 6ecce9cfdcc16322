#pragma once
// The names of the sheets a report can hold besides its clip sheets.

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "model/raw_value.h"

namespace tallyvane {

enum class SheetTitle : std::uint8_t {
    summary,
    allReels,
    allClips,
    filesSummary,
    selectedRoles,
    clipMarkers,
    sequenceMarkers,
    timelineMarkers,
    markers,
    keywords,
    graphicsAndTitles,
    titlesAndGenerators,
    transitions,
    videoAndAudioEffects,
    speedChangeEffects,
    untitled,
};

template <>
struct RawValues<SheetTitle> {
    static constexpr std::array<std::string_view, 16> texts{
        "Summary",          "All Reels",         "All Clips",           "Files Summary",
        "Selected Roles",   "Clip Markers",      "Sequence Markers",    "Timeline Markers",
        "Markers",          "Keywords",          "Graphics & Titles",   "Titles & Generators",
        "Transitions",      "Video & Audio Effects", "Speed Change Effects", "",
    };
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::SheetTitle> : tallyvane::RawValueHash {};
