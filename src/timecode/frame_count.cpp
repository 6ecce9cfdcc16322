#include "timecode/frame_count.h"

#include <array>
#include <cmath>
#include <limits>
#include <optional>

#include "common/number_text.h"
#include "timecode/hash_combine.h"
#include "timecode/numeric_rounding.h"
#include "timecode/saturating.h"

namespace tallyvane {

namespace {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
// Clang before 17 deduces no aggregate template arguments without a guide.
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

using Value = TimecodeFrameCount::Value;

// Whole numbers up to 2^53 are doubles with no neighbour closer than one, so their shortest
// digits are the number itself.
bool isWholeBelow2To53(double frames) {
    return std::fabs(frames) < 9007199254740992.0 && std::trunc(frames) == frames;
}

// A combined count enters exact arithmetic through its shortest digits, truncated to
// 8 decimal places.
Decimal combinedDecimal(double frames) {
    if (isWholeBelow2To53(frames)) return Decimal(static_cast<std::int64_t>(frames));
    return truncated(Decimal::fromDouble(frames), 8);
}

TimecodeFrameCount splitAt(__int128 total, TimecodeSubFramesBase base) {
    std::int64_t t = saturatingInt64(total);
    std::int64_t b = base.rawValue();
    return TimecodeFrameCount(Value::split(t / b, t - (t / b) * b), base);
}

}  // namespace

std::int64_t Value::wholeFrames() const {
    return std::visit(Overloaded{[](const Combined& c) { return saturatingInt64(std::trunc(c.frames)); },
                                 [](const auto& v) { return v.frames; }},
                      payload_);
}

bool Value::isZero() const {
    return std::visit(Overloaded{[](const Frames& v) { return v.frames == 0; },
                                 [](const Split& v) { return v.frames == 0 && v.subFrames == 0; },
                                 [](const Combined& v) { return v.frames == 0; },
                                 [](const SplitUnitInterval& v) { return v.frames == 0 && v.subFramesUnitInterval == 0; }},
                      payload_);
}

bool Value::isNonFinite() const {
    const auto* c = std::get_if<Combined>(&payload_);
    return c != nullptr && !std::isfinite(c->frames);
}

std::string Value::description() const {
    std::string number = std::visit(
        Overloaded{[](const Frames& v) { return std::to_string(v.frames); },
                   [](const Split& v) { return std::to_string(v.frames) + "." + std::to_string(v.subFrames); },
                   [](const Combined& v) { return formatDouble(v.frames); },
                   [](const SplitUnitInterval& v) {
                       return formatDouble(static_cast<double>(v.frames) + v.subFramesUnitInterval);
                   }},
        payload_);
    return number + " frames";
}

std::string Value::debugDescription() const {
    return std::visit(
        Overloaded{[](const Frames& v) { return ".frames(" + std::to_string(v.frames) + ")"; },
                   [](const Split& v) {
                       return ".split(frames: " + std::to_string(v.frames) + ", subFrames: " + std::to_string(v.subFrames) +
                              ")";
                   },
                   [](const Combined& v) { return ".combined(" + formatDouble(v.frames) + ")"; },
                   [](const SplitUnitInterval& v) {
                       return ".splitUnitInterval(frames: " + std::to_string(v.frames) +
                              ", subFramesUnitInterval: " + formatDouble(v.subFramesUnitInterval) + ")";
                   }},
        payload_);
}

bool operator==(const Value& a, const Value& b) {
    if (a.payload_.index() != b.payload_.index()) return false;
    return std::visit(
        Overloaded{[&b](const Value::Frames& v) { return v.frames == std::get<Value::Frames>(b.payload_).frames; },
                   [&b](const Value::Split& v) {
                       const auto& o = std::get<Value::Split>(b.payload_);
                       return v.frames == o.frames && v.subFrames == o.subFrames;
                   },
                   [&b](const Value::Combined& v) { return v.frames == std::get<Value::Combined>(b.payload_).frames; },
                   [&b](const Value::SplitUnitInterval& v) {
                       const auto& o = std::get<Value::SplitUnitInterval>(b.payload_);
                       return v.frames == o.frames && v.subFramesUnitInterval == o.subFramesUnitInterval;
                   }},
        a.payload_);
}

double elapsedFrames(const TimecodeComponents& c, TimecodeFrameRate rate) {
    const double d = static_cast<double>(c.days), h = static_cast<double>(c.hours),
                 m = static_cast<double>(c.minutes), s = static_cast<double>(c.seconds),
                 f = static_cast<double>(c.frames);
    if (!rate.isDrop()) {
        return std::round(rate.frameRateForElapsedFramesCalculation() * (d * 24 * 60 * 60 + h * 60 * 60 + m * 60 + s)) + f;
    }
    const double minutes = d * 24 * 60 + h * 60 + m;
    const double base = rate.maxFrames();
    const double dropped = rate.framesDroppedPerMinute();
    return (minutes * 60 + s) * base + f - (minutes - std::floor(minutes / 10)) * dropped;
}

TimecodeFrameCount::TimecodeFrameCount(const TimecodeComponents& c, TimecodeFrameRate rate, TimecodeSubFramesBase base)
    : value(Value::frames(0)), subFramesBase_(base) {
    const double total = elapsedFrames(c, rate);
    constexpr double limit = 9223372036854775808.0;  // 2^63
    if (std::fabs(total) > limit || total == limit) return;
    value = Value::splitUnitInterval(static_cast<std::int64_t>(total),
                                     static_cast<double>(c.subFrames) / static_cast<double>(base.rawValue()));
}

std::int64_t TimecodeFrameCount::subFrames() const {
    const double base = subFramesBase_.rawValue();
    return std::visit(
        Overloaded{[](const Value::Frames&) -> std::int64_t { return 0; },
                   [](const Value::Split& v) { return v.subFrames; },
                   [this](const Value::Combined& v) -> std::int64_t {
                       if (isWholeBelow2To53(v.frames)) return 0;
                       Decimal fraction = fractionPart(decimalValue()) * Decimal(subFramesBase_.rawValue());
                       return truncated(fraction).toInt64().value_or(0);
                   },
                   [base](const Value::SplitUnitInterval& v) {
                       return saturatingInt64(std::round(v.subFramesUnitInterval * base));
                   }},
        value.payload());
}

Decimal TimecodeFrameCount::decimalValue() const {
    const std::int64_t base = subFramesBase_.rawValue();
    return std::visit(Overloaded{[](const Value::Frames& v) { return Decimal(v.frames); },
                                 [base](const Value::Split& v) { return Decimal(v.frames) + Decimal(v.subFrames) / Decimal(base); },
                                 [](const Value::Combined& v) { return combinedDecimal(v.frames); },
                                 [](const Value::SplitUnitInterval& v) {
                                     return Decimal(v.frames) + Decimal::fromDouble(v.subFramesUnitInterval);
                                 }},
                      value.payload());
}

double TimecodeFrameCount::doubleValue() const {
    const double base = subFramesBase_.rawValue();
    return std::visit(
        Overloaded{[](const Value::Frames& v) { return static_cast<double>(v.frames); },
                   [base](const Value::Split& v) {
                       return static_cast<double>(v.frames) + static_cast<double>(v.subFrames) / base;
                   },
                   [](const Value::Combined& v) { return v.frames; },
                   [](const Value::SplitUnitInterval& v) {
                       return static_cast<double>(v.frames) + v.subFramesUnitInterval;
                   }},
        value.payload());
}

std::int64_t TimecodeFrameCount::subFrameCount() const {
    return saturatingInt64(static_cast<__int128>(value.wholeFrames()) * subFramesBase_.rawValue() + subFrames());
}

std::string TimecodeFrameCount::description() const {
    if (const auto* f = std::get_if<Value::Frames>(&value.payload())) return std::to_string(f->frames);
    return formatDouble(doubleValue());
}

TimecodeFrameCount operator+(const TimecodeFrameCount& a, const TimecodeFrameCount& b) {
    return splitAt(static_cast<__int128>(a.subFrameCount()) + b.subFrameCount(), a.subFramesBase_);
}

TimecodeFrameCount operator-(const TimecodeFrameCount& a, const TimecodeFrameCount& b) {
    return splitAt(static_cast<__int128>(a.subFrameCount()) - b.subFrameCount(), a.subFramesBase_);
}

TimecodeFrameCount operator*(const TimecodeFrameCount& a, double factor) {
    return splitAt(saturatingInt64(static_cast<double>(a.subFrameCount()) * factor), a.subFramesBase_);
}

TimecodeFrameCount operator/(const TimecodeFrameCount& a, double divisor) {
    return splitAt(saturatingInt64(static_cast<double>(a.subFrameCount()) / divisor), a.subFramesBase_);
}

namespace {

// Counts are held as whole units of 10^-8 frames: a combined count has no finer digits.
constexpr std::uint64_t kUnitsPerFrame = 100'000'000;
// Far enough below 2^64 that the drop-frame additions and the products below stay exact.
constexpr unsigned __int128 kIntegerLimit = std::uint64_t{1} << 62;

// |n| in units, when it is a whole number of units within the limit.
std::optional<std::uint64_t> unitsOf(const Decimal& n) {
    unsigned __int128 significand = n.significand();
    std::int64_t exponent = static_cast<std::int64_t>(n.exponent()) + 8;
    if (significand == 0) return 0;
    for (; exponent < 0; ++exponent) {
        if (significand % 10 != 0) return std::nullopt;
        significand /= 10;
    }
    for (; exponent > 0 && significand <= kIntegerLimit; --exponent) significand *= 10;
    if (significand > kIntegerLimit) return std::nullopt;
    return static_cast<std::uint64_t>(significand);
}

// The frames of ten minutes of a drop rate, as the decimal path computes them; absent when
// that is no whole number above the dropped frames (then only the decimal path is exact).
std::optional<std::uint64_t> tenMinuteFrames(TimecodeFrameRate rate) {
    static const auto table = [] {
        std::array<std::optional<std::uint64_t>, TimecodeFrameRate::allCases().size()> frames{};
        for (const TimecodeFrameRate r : TimecodeFrameRate::allCases()) {
            const Decimal exact = Decimal::fromDouble(r.frameRateForElapsedFramesCalculation()) * Decimal(600);
            const std::optional<std::int64_t> whole = exact.toInt64();
            if (whole && Decimal(*whole) == exact && *whole > static_cast<std::int64_t>(r.framesDroppedPerMinute())) {
                frames[r.index()] = static_cast<std::uint64_t>(*whole);
            }
        }
        return frames;
    }();
    return table[rate.index()];
}

// The components of |n| in 64-bit integers; absent where they would not be exactly those of
// the decimal path. Within the limit every quotient of that path lies at least one unit
// below the next whole number, far beyond its 38 digits, so its truncations are floors.
std::optional<TimecodeComponents> componentsInIntegers(const Decimal& n, TimecodeFrameRate rate, std::int64_t base) {
    std::optional<std::uint64_t> units = unitsOf(n);
    if (!units) return std::nullopt;
    std::uint64_t m = *units;
    if (rate.isDrop()) {
        const std::optional<std::uint64_t> tenMinutes = tenMinuteFrames(rate);
        if (!tenMinutes) return std::nullopt;
        const auto dropped = static_cast<std::uint64_t>(static_cast<std::int64_t>(rate.framesDroppedPerMinute()));
        const std::uint64_t q = m / (*tenMinutes * kUnitsPerFrame);
        const std::uint64_t r = m - q * *tenMinutes * kUnitsPerFrame;
        const std::uint64_t e = r > dropped * kUnitsPerFrame ? r - dropped * kUnitsPerFrame : 0;
        const std::uint64_t k = e * 10 / ((*tenMinutes - dropped) * kUnitsPerFrame);
        m += (9 * dropped * q + dropped * k) * kUnitsPerFrame;
    }
    const std::uint64_t second = static_cast<std::uint64_t>(rate.maxFrames()) * kUnitsPerFrame;
    TimecodeComponents c;
    c.days = static_cast<std::int64_t>(m / (second * 60 * 60 * 24));
    c.hours = static_cast<std::int64_t>(m / (second * 60 * 60) % 24);
    c.minutes = static_cast<std::int64_t>(m / (second * 60) % 60);
    c.seconds = static_cast<std::int64_t>(m / second % 60);
    c.frames = static_cast<std::int64_t>(m % second / kUnitsPerFrame);
    c.subFrames = static_cast<std::int64_t>(m % kUnitsPerFrame * static_cast<std::uint64_t>(base) / kUnitsPerFrame);
    return c;
}

TimecodeComponents componentsInDecimal(Decimal n, TimecodeFrameRate rate, std::int64_t base) {
    if (rate.isDrop()) {
        const Decimal dropped(static_cast<std::int64_t>(rate.framesDroppedPerMinute()));
        const Decimal tenMinutes = Decimal::fromDouble(rate.frameRateForElapsedFramesCalculation()) * Decimal(600);
        const Decimal q = truncated(n / tenMinutes);
        const Decimal r = n - q * tenMinutes;
        Decimal e = r - dropped;
        if (e < Decimal(0)) e = Decimal(0);
        const Decimal k = truncated(e / ((tenMinutes - dropped) / Decimal(10)));
        n = n + Decimal(9) * dropped * q + dropped * k;
    }

    // Values beyond 64 bits saturate; such components are invalid anyway.
    auto toInt = [](const Decimal& x) {
        return x.toInt64().value_or(x.isNegative() ? std::numeric_limits<std::int64_t>::min()
                                                   : std::numeric_limits<std::int64_t>::max());
    };
    const Decimal b(rate.maxFrames());
    TimecodeComponents c;
    c.days = toInt(truncated(n / (b * Decimal(60 * 60 * 24))));
    Decimal t = truncated(n / (b * Decimal(60 * 60)));
    c.hours = toInt(t - truncated(t / Decimal(24)) * Decimal(24));
    t = truncated(n / (b * Decimal(60)));
    c.minutes = toInt(t - truncated(t / Decimal(60)) * Decimal(60));
    t = truncated(n / b);
    c.seconds = toInt(t - truncated(t / Decimal(60)) * Decimal(60));
    c.frames = toInt(n - truncated(n / b) * b);
    c.subFrames = toInt((n - truncated(n)) * Decimal(base));
    return c;
}

// A negative count negates only its first non-zero component.
TimecodeComponents withSign(TimecodeComponents c, bool negative) {
    if (negative) {
        for (auto component : TimecodeComponent::allCases()) {
            if (c.value(component) != 0) {
                c.setValue(component, -c.value(component));
                break;
            }
        }
    }
    return c;
}

}  // namespace

TimecodeComponents componentsFromFrameCount(const TimecodeFrameCount& count, TimecodeFrameRate rate) {
    const Decimal n = count.decimalValue();
    if (n.isNaN()) return {};
    const std::int64_t base = count.subFramesBase().rawValue();
    std::optional<TimecodeComponents> c = componentsInIntegers(n, rate, base);
    return withSign(c ? *c : componentsInDecimal(n.magnitude(), rate, base), n.isNegative());
}

TimecodeComponents componentsFromFrameCountInDecimal(const TimecodeFrameCount& count, TimecodeFrameRate rate) {
    const Decimal n = count.decimalValue();
    if (n.isNaN()) return {};
    return withSign(componentsInDecimal(n.magnitude(), rate, count.subFramesBase().rawValue()), n.isNegative());
}

}  // namespace tallyvane

std::size_t std::hash<tallyvane::TimecodeFrameCount::Value>::operator()(
    const tallyvane::TimecodeFrameCount::Value& v) const noexcept {
    using V = tallyvane::TimecodeFrameCount::Value;
    auto h = [](auto x) { return std::hash<decltype(x)>()(x); };
    auto word = [](double x) { return x == 0 ? 0.0 : x; };  // -0 hashes as +0
    std::size_t seed = v.payload().index();
    return std::visit(tallyvane::Overloaded{
                          [&](const V::Frames& p) { return tallyvane::hashCombine(seed, h(p.frames)); },
                          [&](const V::Split& p) {
                              return tallyvane::hashCombine(tallyvane::hashCombine(seed, h(p.frames)), h(p.subFrames));
                          },
                          [&](const V::Combined& p) { return tallyvane::hashCombine(seed, h(word(p.frames))); },
                          [&](const V::SplitUnitInterval& p) {
                              return tallyvane::hashCombine(tallyvane::hashCombine(seed, h(p.frames)), h(word(p.subFramesUnitInterval)));
                          }},
                      v.payload());
}
