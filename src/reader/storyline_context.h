#pragma once
// Where a list of story elements sits in its composition: it decides the elements'
// positions, sort orders and category texts.

#include <array>
#include <functional>
#include <string_view>

#include "model/raw_value.h"
#include "model/raw_value_coding.h"

namespace tallyvane {

enum class StorylineContext {
    MCangle,    // the clips of one angle of a multicam
    Primary,    // a sequence's spine, or the main clip or spine of a sync clip
    Secondary,  // storylines with a lane under primary elements, and captions below connected items
    Connected,  // items with a lane under primary elements, and titles and captions under them
};

template <>
struct RawValues<StorylineContext> {
    static constexpr std::string_view typeName = "StorylineContext";
    static constexpr std::array<std::string_view, 4> texts{"MCangle", "Primary", "Secondary", "Connected"};
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::StorylineContext> : tallyvane::RawValueHash {};

namespace nlohmann {
template <>
struct adl_serializer<tallyvane::StorylineContext> : tallyvane::RawValueCoding<tallyvane::StorylineContext> {};
}  // namespace nlohmann
