#include "shell/layouts_item.h"

#include <cctype>
#include <cstdint>
#include <optional>
#include <random>
#include <stdexcept>
#include <string_view>

#include <nlohmann/json.hpp>

#include "shell/layout_name.h"

namespace tallyvane {

namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

bool isHyphenPosition(std::size_t index) { return index == 8 || index == 13 || index == 18 || index == 23; }

// The UUID in upper case, or nothing when the text is not one.
std::optional<std::string> canonicalUuid(std::string_view text) {
    if (text.size() != 36) return std::nullopt;
    std::string result(text);
    for (std::size_t index = 0; index < result.size(); ++index) {
        const char c = result[index];
        if (isHyphenPosition(index)) {
            if (c != '-') return std::nullopt;
        } else if (std::isxdigit(static_cast<unsigned char>(c))) {
            result[index] = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        } else {
            return std::nullopt;
        }
    }
    return result;
}

const nlohmann::json& member(const nlohmann::json& object, const std::string& key) {
    const auto found = object.find(key);
    if (found == object.end()) throw std::runtime_error("a layout lacks the key \u201C" + key + "\u201D");
    return *found;
}

std::string textMember(const nlohmann::json& object, const std::string& key) {
    const nlohmann::json& value = member(object, key);
    if (!value.is_string()) throw std::runtime_error("the key \u201C" + key + "\u201D of a layout is not a string");
    return value.get<std::string>();
}

bool flagMember(const nlohmann::json& object, const std::string& key) {
    const nlohmann::json& value = member(object, key);
    if (!value.is_boolean()) throw std::runtime_error("the key \u201C" + key + "\u201D of a layout is not a boolean");
    return value.get<bool>();
}

}  // namespace

LayoutsItem LayoutsItem::named(std::string name) {
    LayoutsItem layout;
    layout.id = newLayoutId();
    layout.name = std::move(name);
    return layout;
}

namespace {

// The bytes as a UUID text of the given version, upper case.
std::string uuidText(std::array<std::uint8_t, 16> bytes, unsigned version) {
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | (version << 4));
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
    std::string text;
    for (std::size_t index = 0; index < bytes.size(); ++index) {
        if (index == 4 || index == 6 || index == 8 || index == 10) text += '-';
        text += kHexDigits[bytes[index] >> 4];
        text += kHexDigits[bytes[index] & 0x0F];
    }
    return text;
}

}  // namespace

std::string newLayoutId() {
    std::random_device source;
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t index = 0; index < bytes.size(); index += 4) {
        const std::uint32_t word = source();
        for (std::size_t shift = 0; shift < 4; ++shift) bytes[index + shift] = static_cast<std::uint8_t>(word >> (8 * shift));
    }
    return uuidText(bytes, 4);
}

std::string repeatedLayoutId(const std::string& id) {
    // FNV-1a over the id, twice with different starts: the same id gives the same answer.
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t half = 0; half < 2; ++half) {
        std::uint64_t hash = 14695981039346656037ull ^ (half * 0x9E3779B97F4A7C15ull);
        for (const char c : id) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        for (std::size_t shift = 0; shift < 8; ++shift) bytes[half * 8 + shift] = static_cast<std::uint8_t>(hash >> (8 * shift));
    }
    return uuidText(bytes, 8);
}

nlohmann::json layoutsToJson(const std::vector<LayoutsItem>& layouts) {
    nlohmann::json array = nlohmann::json::array();
    for (const LayoutsItem& layout : layouts) {
        nlohmann::json object = {{"id", layout.id}, {"name", layout.name},
                                 {"thumbnailWidthPopup", layout.thumbnailWidthPopup}};
        for (std::size_t index = 0; index < kColumnSwitchCount; ++index) {
            object[std::string(kColumnSwitches[index].field)] = layout.columns[index];
        }
        array.push_back(std::move(object));
    }
    return array;
}

std::vector<LayoutsItem> layoutsFromJson(const nlohmann::json& json) {
    if (!json.is_array()) throw std::runtime_error("the layouts are not a JSON array");
    std::vector<LayoutsItem> layouts;
    for (const nlohmann::json& object : json) {
        if (!object.is_object()) throw std::runtime_error("a layout is not a JSON object");
        LayoutsItem layout;
        const std::optional<std::string> id = canonicalUuid(textMember(object, "id"));
        if (!id) throw std::runtime_error("the id of a layout is not a UUID");
        layout.id = *id;
        layout.name = canonicalLayoutName(textMember(object, "name"));
        layout.thumbnailWidthPopup = textMember(object, "thumbnailWidthPopup");
        for (std::size_t index = 0; index < kColumnSwitchCount; ++index) {
            layout.columns[index] = flagMember(object, std::string(kColumnSwitches[index].field));
        }
        layouts.push_back(std::move(layout));
    }
    return layouts;
}

}  // namespace tallyvane
