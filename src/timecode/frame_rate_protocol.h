#pragma once
// What the timecode and the video frame rates share. Each rate type names its text, its
// rate and frame duration (exact fractions) and its optional alternate frame duration;
// the base derives the rest from them once for both: the description, the media-time
// forms, the lookups by text and by fraction, printing and hashing by the raw text.

#include <concepts>
#include <cstddef>
#include <functional>
#include <optional>
#include <ostream>
#include <string_view>

#include "timecode/fraction.h"
#include "timecode/media_time.h"

namespace tallyvane {

template <typename Rate>
concept FrameRate = requires(const Rate rate, std::string_view text) {
    { rate.stringValue() } -> std::same_as<std::string_view>;
    { Rate::fromStringValue(text) } -> std::same_as<std::optional<Rate>>;
    { rate.rate() } -> std::same_as<Fraction>;
    { rate.frameDuration() } -> std::same_as<Fraction>;
    { rate.alternateFrameDuration() } -> std::same_as<std::optional<Fraction>>;
    { rate.rawValue() } -> std::same_as<std::string_view>;
    Rate::allCases();
};

template <typename Rate>
class FrameRateProtocol {
public:
    std::string_view description() const { return self().stringValue(); }
    MediaTime rateMediaTime() const { return self().rate().mediaTimeValue(); }
    MediaTime frameDurationMediaTime() const { return self().frameDuration().mediaTimeValue(); }

    // The first case, in case order, whose text is exactly `text`.
    static std::optional<Rate> fromStringValue(std::string_view text) {
        for (auto c : Rate::allCases()) {
            if (Rate(c).stringValue() == text) return Rate(c);
        }
        return std::nullopt;
    }

protected:
    // The first case, in case order, whose fraction (`key`) has the terms of `wanted`
    // or the same double quotient, and whose flag (drop or interlaced) equals `flag`.
    // A rate and its flagged twin share a fraction, so the flag decides between them.
    static std::optional<Rate> firstWith(const Fraction& wanted, bool flag, Fraction (Rate::*key)() const,
                                         bool (Rate::*flagOf)() const) {
        for (auto c : Rate::allCases()) {
            const Rate rate(c);
            const Fraction fraction = (rate.*key)();
            const bool same = fraction.isIdentical(wanted) || fraction.doubleValue() == wanted.doubleValue();
            if (same && (rate.*flagOf)() == flag) return rate;
        }
        return std::nullopt;
    }

private:
    const Rate& self() const { return static_cast<const Rate&>(*this); }
};

template <FrameRate Rate>
std::ostream& operator<<(std::ostream& out, const FrameRateProtocol<Rate>& rate) {
    return out << rate.description();
}

// A rate hashes like its raw text.
template <FrameRate Rate>
struct FrameRateHash {
    std::size_t operator()(const Rate& rate) const noexcept {
        return std::hash<std::string_view>()(rate.rawValue());
    }
};

}  // namespace tallyvane
