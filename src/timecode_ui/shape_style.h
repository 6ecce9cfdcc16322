#pragma once
// Colours and text scales of the timecode views, free of any toolkit: the Qt views
// turn them into palette colours and fonts.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace tallyvane {

struct Rgba {
    std::uint8_t red = 0, green = 0, blue = 0, alpha = 255;
    friend constexpr bool operator==(const Rgba&, const Rgba&) = default;
};

// A foreground or background style: a fixed colour, or one of the two colours the
// platform's palette decides.
class ShapeStyle {
public:
    enum class Kind : std::uint8_t { color, tint, secondary };

    static constexpr ShapeStyle color(Rgba rgba) { return ShapeStyle(Kind::color, rgba); }
    static constexpr ShapeStyle red() { return color({255, 59, 48, 255}); }
    // The accent colour of the platform.
    static constexpr ShapeStyle tint() { return ShapeStyle(Kind::tint, {}); }
    // The platform's colour for secondary content.
    static constexpr ShapeStyle secondary() { return ShapeStyle(Kind::secondary, {}); }

    constexpr Kind kind() const { return kind_; }
    // Meaningful for Kind::color only.
    constexpr Rgba rgba() const { return rgba_; }

    friend constexpr bool operator==(const ShapeStyle&, const ShapeStyle&) = default;

private:
    constexpr ShapeStyle(Kind kind, Rgba rgba) : kind_(kind), rgba_(rgba) {}
    Kind kind_;
    Rgba rgba_;
};

// The size of text relative to the text around it.
enum class TextScale : std::uint8_t { standard, secondary };

// The attributes of one run of text; an absent attribute is not set.
struct TextAttributes {
    std::optional<Rgba> foreground;
    std::optional<Rgba> background;
    std::optional<bool> bold;
    std::optional<bool> underline;

    // These attributes with every attribute that `over` sets taken from `over`.
    TextAttributes mergedWith(const TextAttributes& over) const {
        TextAttributes merged = *this;
        if (over.foreground) merged.foreground = over.foreground;
        if (over.background) merged.background = over.background;
        if (over.bold) merged.bold = over.bold;
        if (over.underline) merged.underline = over.underline;
        return merged;
    }

    friend bool operator==(const TextAttributes&, const TextAttributes&) = default;
};

}  // namespace tallyvane
