#pragma once
// The kind of track a story element stands on.

#include <array>
#include <functional>
#include <string_view>

#include "model/raw_value.h"
#include "model/raw_value_coding.h"

namespace tallyvane {

enum class TrackType { Video, Audio };

template <>
struct RawValues<TrackType> {
    static constexpr std::string_view typeName = "TrackType";
    static constexpr std::array<std::string_view, 2> texts{"Video", "Audio"};
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::TrackType> : tallyvane::RawValueHash {};

namespace nlohmann {
template <>
struct adl_serializer<tallyvane::TrackType> : tallyvane::RawValueCoding<tallyvane::TrackType> {};
}  // namespace nlohmann
