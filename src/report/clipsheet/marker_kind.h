#pragma once
// The kinds of marked range, named by the text the reader stores in MarkedRange::color,
// and the suffix each shows with in a clip sheet's Markers or Keywords cell.

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "model/raw_value.h"

namespace tallyvane {

enum class MarkerKind : std::uint8_t {
    none,
    standard,
    incompleteToDo,
    completedToDo,
    chapter,
    keyword,
    favorite,
    rejected,
    analysis,
};

template <>
struct RawValues<MarkerKind> {
    static constexpr std::array<std::string_view, 9> texts{
        "none",    "Standard", "Incomplete To-Do", "Completed To-Do", "Chapter",
        "keyword", "favorite", "rejected",         "analysis",
    };
};

// Markers, to-dos and chapters go to the Markers cell.
constexpr bool isMarker(MarkerKind kind) { return kind >= MarkerKind::standard && kind <= MarkerKind::chapter; }
// Keyword ranges, ratings and analysis ranges go to the Keywords cell.
constexpr bool isKeywordRange(MarkerKind kind) { return kind >= MarkerKind::keyword; }

// " (Standard)", " (Chapter)", ...; the bare keyword has none.
std::string_view cellSuffix(MarkerKind kind);

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::MarkerKind> : tallyvane::RawValueHash {};
