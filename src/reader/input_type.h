#pragma once
// The kind of document the loaded project came from. The reader sets it; the report writer
// picks its sheet variants by it.

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
