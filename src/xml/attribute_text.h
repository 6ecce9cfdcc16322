#pragma once
// An attribute's value for callers that only compare or parse it: a view of libxml2's own
// characters where the tree holds the value as one well-formed UTF-8 text, which is nearly
// always, and a repaired copy of its own otherwise. A view stays valid while the document
// lives.

#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace tallyvane {

class AttributeText {
public:
    explicit AttributeText(std::string_view inPlace) : value_(inPlace) {}
    explicit AttributeText(std::string composed) : value_(std::move(composed)) {}

    std::string_view view() const {
        if (const auto* inPlace = std::get_if<std::string_view>(&value_)) return *inPlace;
        return std::get<std::string>(value_);
    }
    operator std::string_view() const { return view(); }
    std::string str() const& { return std::string(view()); }
    std::string str() && {
        if (auto* composed = std::get_if<std::string>(&value_)) return std::move(*composed);
        return std::string(std::get<std::string_view>(value_));
    }

    friend bool operator==(const AttributeText& text, std::string_view other) { return text.view() == other; }

private:
    std::variant<std::string_view, std::string> value_;
};

}  // namespace tallyvane
