#pragma once
// Options of the timecode text form; the default format is empty.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tallyvane {

enum class TimecodeStringFormatOption : std::uint8_t { alwaysShowDays, showSubFrames, filenameCompatible };

constexpr std::array<TimecodeStringFormatOption, 3> allTimecodeStringFormatOptions() {
    return {TimecodeStringFormatOption::alwaysShowDays, TimecodeStringFormatOption::showSubFrames,
            TimecodeStringFormatOption::filenameCompatible};
}
std::string_view rawValue(TimecodeStringFormatOption option);
std::optional<TimecodeStringFormatOption> timecodeStringFormatOption(std::string_view rawValue);

class TimecodeStringFormat {
public:
    constexpr TimecodeStringFormat() = default;
    constexpr TimecodeStringFormat(std::initializer_list<TimecodeStringFormatOption> options) {
        for (auto o : options) insert(o);
    }
    static constexpr TimecodeStringFormat showSubFramesSet() { return {TimecodeStringFormatOption::showSubFrames}; }

    constexpr bool contains(TimecodeStringFormatOption o) const { return (bits_ & bit(o)) != 0; }
    constexpr void insert(TimecodeStringFormatOption o) { bits_ = static_cast<std::uint8_t>(bits_ | bit(o)); }
    constexpr void remove(TimecodeStringFormatOption o) { bits_ = static_cast<std::uint8_t>(bits_ & ~bit(o)); }
    constexpr bool isEmpty() const { return bits_ == 0; }

    constexpr bool alwaysShowsDays() const { return contains(TimecodeStringFormatOption::alwaysShowDays); }
    constexpr void setAlwaysShowsDays(bool on) { set(TimecodeStringFormatOption::alwaysShowDays, on); }
    constexpr bool showsSubFrames() const { return contains(TimecodeStringFormatOption::showSubFrames); }
    constexpr void setShowsSubFrames(bool on) { set(TimecodeStringFormatOption::showSubFrames, on); }
    constexpr bool isFilenameCompatible() const { return contains(TimecodeStringFormatOption::filenameCompatible); }
    constexpr void setFilenameCompatible(bool on) { set(TimecodeStringFormatOption::filenameCompatible, on); }

    friend constexpr bool operator==(TimecodeStringFormat, TimecodeStringFormat) = default;

private:
    static constexpr std::uint8_t bit(TimecodeStringFormatOption o) {
        return static_cast<std::uint8_t>(1U << static_cast<unsigned>(o));
    }
    constexpr void set(TimecodeStringFormatOption o, bool on) {
        if (on) {
            insert(o);
        } else {
            remove(o);
        }
    }
    std::uint8_t bits_ = 0;
};

}  // namespace tallyvane
