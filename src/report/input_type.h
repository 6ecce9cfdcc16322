#pragma once
// The kind of document the loaded project came from; it picks the report writer and the
// columns of the secondary sheets.

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "model/raw_value.h"

namespace tallyvane {

enum class InputType : std::uint8_t { null, XMEML, FCPXML, DaVrOTIO, PProOTIO, AvidOTIO };

template <>
struct RawValues<InputType> {
    static constexpr std::array<std::string_view, 6> texts{"null", "XMEML", "FCPXML", "DaVrOTIO", "PProOTIO",
                                                           "AvidOTIO"};
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::InputType> : tallyvane::RawValueHash {};
