#include "timecode/timecode_components.h"

#include "timecode/hash_combine.h"

namespace tallyvane {

namespace {

struct ComponentNames {
    std::string_view name, title, lowercased;
};

constexpr std::array<ComponentNames, 6> kNames{{
    {"days", "Days", "days"},
    {"hours", "Hours", "hours"},
    {"minutes", "Minutes", "minutes"},
    {"seconds", "Seconds", "seconds"},
    {"frames", "Frames", "frames"},
    {"subFrames", "SubFrames", "subframes"},
}};

}  // namespace

std::string_view TimecodeComponent::name() const { return kNames[index()].name; }
std::string_view TimecodeComponent::title() const { return kNames[index()].title; }
std::string_view TimecodeComponent::lowercasedName() const { return kNames[index()].lowercased; }

std::optional<TimecodeComponent> TimecodeComponent::firstComponent(const std::set<TimecodeComponent>& excluded) {
    for (auto c : allCases()) {
        if (!excluded.contains(c)) return c;
    }
    return std::nullopt;
}

std::optional<TimecodeComponent> TimecodeComponent::lastComponent(const std::set<TimecodeComponent>& excluded) {
    auto cases = allCases();
    for (auto it = cases.rbegin(); it != cases.rend(); ++it) {
        if (!excluded.contains(*it)) return *it;
    }
    return std::nullopt;
}

TimecodeComponent TimecodeComponent::next(const std::set<TimecodeComponent>& excluded, bool wrapping) const {
    if (excluded.contains(*this)) return firstComponent(excluded).value_or(*this);
    for (std::size_t i = index() + 1; i < allCases().size(); ++i) {
        if (!excluded.contains(allCases()[i])) return allCases()[i];
    }
    return wrapping ? firstComponent(excluded).value_or(*this) : *this;
}

TimecodeComponent TimecodeComponent::previous(const std::set<TimecodeComponent>& excluded, bool wrapping) const {
    if (excluded.contains(*this)) return lastComponent(excluded).value_or(*this);
    for (std::size_t i = index(); i-- > 0;) {
        if (!excluded.contains(allCases()[i])) return allCases()[i];
    }
    return wrapping ? lastComponent(excluded).value_or(*this) : *this;
}

std::int64_t TimecodeComponents::value(TimecodeComponent component) const {
    switch (component.value()) {
        case TimecodeComponent::days: return days;
        case TimecodeComponent::hours: return hours;
        case TimecodeComponent::minutes: return minutes;
        case TimecodeComponent::seconds: return seconds;
        case TimecodeComponent::frames: return frames;
        case TimecodeComponent::subFrames: return subFrames;
    }
    return 0;
}

void TimecodeComponents::setValue(TimecodeComponent component, std::int64_t v) {
    switch (component.value()) {
        case TimecodeComponent::days: days = v; break;
        case TimecodeComponent::hours: hours = v; break;
        case TimecodeComponent::minutes: minutes = v; break;
        case TimecodeComponent::seconds: seconds = v; break;
        case TimecodeComponent::frames: frames = v; break;
        case TimecodeComponent::subFrames: subFrames = v; break;
    }
}

std::array<TimecodeComponents::Pair, 6> TimecodeComponents::array() const {
    std::array<Pair, 6> pairs{{{TimecodeComponent::days, days},
                               {TimecodeComponent::hours, hours},
                               {TimecodeComponent::minutes, minutes},
                               {TimecodeComponent::seconds, seconds},
                               {TimecodeComponent::frames, frames},
                               {TimecodeComponent::subFrames, subFrames}}};
    return pairs;
}

void TimecodeComponents::assign(std::span<const Pair> pairs) {
    for (const auto& [component, v] : pairs) setValue(component, v);
}

TimecodeComponents TimecodeComponents::fromPairs(std::span<const Pair> pairs) {
    TimecodeComponents c;
    c.assign(pairs);
    return c;
}

std::map<TimecodeComponent, std::int64_t> TimecodeComponents::dictionary() const {
    std::map<TimecodeComponent, std::int64_t> entries;
    for (const auto& [component, v] : array()) entries.emplace(component, v);
    return entries;
}

void TimecodeComponents::assign(const std::map<TimecodeComponent, std::int64_t>& entries) {
    for (const auto& [component, v] : entries) setValue(component, v);
}

TimecodeComponents TimecodeComponents::fromDictionary(const std::map<TimecodeComponent, std::int64_t>& entries) {
    TimecodeComponents c;
    c.assign(entries);
    return c;
}

}  // namespace tallyvane

std::size_t std::hash<tallyvane::TimecodeProperties>::operator()(const tallyvane::TimecodeProperties& p) const noexcept {
    std::size_t h = std::hash<tallyvane::TimecodeFrameRate>()(p.frameRate);
    h = tallyvane::hashCombine(h, std::hash<tallyvane::TimecodeSubFramesBase>()(p.subFramesBase));
    return tallyvane::hashCombine(h, std::hash<tallyvane::TimecodeUpperLimit>()(p.upperLimit));
}

std::size_t std::hash<tallyvane::TimecodeComponentRanges>::operator()(
    const tallyvane::TimecodeComponentRanges& r) const noexcept {
    std::size_t h = 0;
    for (const auto& range : {r.days, r.hours, r.minutes, r.seconds, r.frames, r.subFrames}) {
        h = tallyvane::hashCombine(h, std::hash<std::int64_t>()(range.lower));
        h = tallyvane::hashCombine(h, std::hash<std::int64_t>()(range.upper));
    }
    return h;
}

std::size_t std::hash<tallyvane::TimecodeComponents>::operator()(const tallyvane::TimecodeComponents& c) const noexcept {
    std::size_t h = 0;
    for (const auto& [component, v] : c.array()) h = tallyvane::hashCombine(h, std::hash<std::int64_t>()(v));
    return h;
}
