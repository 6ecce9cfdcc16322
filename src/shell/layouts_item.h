#pragma once
// A named column layout: the states of the 27 column switches and the thumbnail width, as
// kept in "Layouts.json".

#include <array>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "shell/column_switches.h"

namespace tallyvane {

struct LayoutsItem {
    // A random (version 4) UUID in its 36-character form with upper-case digits.
    std::string id;
    // Unique among the stored layouts and held in canonical composition (NFC).
    std::string name;
    // In the order of kColumnSwitches.
    std::array<bool, kColumnSwitchCount> columns{};
    std::string thumbnailWidthPopup{kDefaultThumbnailWidth};

    // A new layout: fresh id, every switch off, width "40".
    static LayoutsItem named(std::string name);

    friend bool operator==(const LayoutsItem&, const LayoutsItem&) = default;
};

// A new random UUID text, upper case.
std::string newLayoutId();
// The id given to a layout whose id an earlier layout of the list has (a layout copied by
// hand): a UUID text made from `id` alone, so that every read of the file gives the copy the
// same id, and the menus' choice and edits find it again.
std::string repeatedLayoutId(const std::string& id);

// One object per layout with exactly its 30 keys, in array order.
nlohmann::json layoutsToJson(const std::vector<LayoutsItem>& layouts);
// Every layout must have all 30 keys with their JSON types and a valid UUID; further keys
// are ignored. Anything else throws std::runtime_error naming what was wrong.
std::vector<LayoutsItem> layoutsFromJson(const nlohmann::json& json);

}  // namespace tallyvane
