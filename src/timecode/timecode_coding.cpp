#include "timecode/timecode_coding.h"

#include <array>
#include <cmath>
#include <limits>
#include <utility>

#include "timecode/timecode_sources.h"

namespace tallyvane {

namespace {

using json = nlohmann::json;
using Code = TimecodeDecodingError::Code;
using Key = TimecodeCodingKey;

constexpr std::array<std::string_view, 10> kKeyTexts{"frameRate", "upperLimit", "subFramesBase", "stringFormat", "days",
                                                     "hours",     "minutes",    "seconds",       "frames",       "subFrames"};

std::string kindOf(const json& value) {
    switch (value.type()) {
        case json::value_t::null: return "null";
        case json::value_t::object: return "a dictionary";
        case json::value_t::array: return "an array";
        case json::value_t::string: return "a string";
        case json::value_t::boolean: return "a bool";
        case json::value_t::binary: return "data";
        case json::value_t::discarded: return "nothing";
        default: return "a number";
    }
}

// A value being decoded, with the member names that lead to it.
class Reader {
public:
    Reader(const json& value, std::string path) : value_(value), path_(std::move(path)) {}

    [[noreturn]] void fail(Code code, const std::string& message) const {
        throw TimecodeDecodingError(code, path_, message);
    }

    Reader member(Key key) const {
        const std::string name(stringValue(key));
        if (!value_.is_object()) {
            fail(Code::typeMismatch, "Expected to decode a dictionary but found " + kindOf(value_) + " instead.");
        }
        const auto it = value_.find(name);
        const std::string path = path_.empty() ? name : path_ + "." + name;
        if (it == value_.end()) {
            throw TimecodeDecodingError(Code::keyNotFound, path_, "No value associated with key \"" + name + "\".");
        }
        return Reader(*it, path);
    }

    std::string text() const {
        requirePresent("String");
        if (!value_.is_string()) fail(Code::typeMismatch, "Expected to decode String but found " + kindOf(value_) + " instead.");
        return value_.get<std::string>();
    }

    std::int64_t int64() const {
        requirePresent("Int64");
        constexpr auto max = std::numeric_limits<std::int64_t>::max();
        if (value_.is_number_integer() && !value_.is_number_unsigned()) return value_.get<std::int64_t>();
        if (value_.is_number_unsigned()) {
            const auto v = value_.get<std::uint64_t>();
            if (v > static_cast<std::uint64_t>(max)) fail(Code::dataCorrupted, "Parsed JSON number <" + value_.dump() + "> does not fit in Int64.");
            return static_cast<std::int64_t>(v);
        }
        if (value_.is_number_float()) {
            // A whole number written with a fraction or exponent is still that integer.
            const double v = value_.get<double>();
            if (std::trunc(v) == v && v >= -9223372036854775808.0 && v < 9223372036854775808.0) {
                return static_cast<std::int64_t>(v);
            }
            fail(Code::dataCorrupted, "Parsed JSON number <" + value_.dump() + "> does not fit in Int64.");
        }
        fail(Code::typeMismatch, "Expected to decode Int64 but found " + kindOf(value_) + " instead.");
    }

    const json& value() const { return value_; }

private:
    void requirePresent(const std::string& type) const {
        if (value_.is_null()) fail(Code::valueNotFound, "Expected " + type + " value but found null instead.");
    }

    const json& value_;
    std::string path_;
};

[[noreturn]] void invalidRawValue(const Reader& r, std::string_view type, const std::string& raw) {
    r.fail(Code::dataCorrupted, "Cannot initialize " + std::string(type) + " from invalid value " + raw);
}

TimecodeFrameRate readFrameRate(const Reader& r) {
    const std::string raw = r.text();
    const auto rate = TimecodeFrameRate::fromRawValue(raw);
    if (!rate) invalidRawValue(r, "TimecodeFrameRate", raw);
    return *rate;
}

TimecodeSubFramesBase readSubFramesBase(const Reader& r) {
    const std::int64_t raw = r.int64();
    const auto base = TimecodeSubFramesBase::fromRawValue(raw);
    if (!base) invalidRawValue(r, "SubFramesBase", std::to_string(raw));
    return *base;
}

TimecodeUpperLimit readUpperLimit(const Reader& r) {
    const std::string raw = r.text();
    const auto limit = TimecodeUpperLimit::fromRawValue(raw);
    if (!limit) invalidRawValue(r, "UpperLimit", raw);
    return *limit;
}

TimecodeProperties readProperties(const Reader& r) {
    const TimecodeFrameRate rate = readFrameRate(r.member(Key::frameRate));
    const TimecodeSubFramesBase base = readSubFramesBase(r.member(Key::subFramesBase));
    return {rate, base, readUpperLimit(r.member(Key::upperLimit))};
}

TimecodeComponents readComponents(const Reader& r) {
    TimecodeComponents c;
    c.days = r.member(Key::days).int64();
    c.hours = r.member(Key::hours).int64();
    c.minutes = r.member(Key::minutes).int64();
    c.seconds = r.member(Key::seconds).int64();
    c.frames = r.member(Key::frames).int64();
    c.subFrames = r.member(Key::subFrames).int64();
    return c;
}

std::string keyText(Key key) { return std::string(stringValue(key)); }

}  // namespace

std::string_view stringValue(TimecodeCodingKey key) { return kKeyTexts[static_cast<std::size_t>(key)]; }

std::optional<TimecodeCodingKey> timecodeCodingKey(std::string_view text) {
    for (std::size_t i = 0; i < kKeyTexts.size(); ++i) {
        if (kKeyTexts[i] == text) return static_cast<TimecodeCodingKey>(i);
    }
    return std::nullopt;
}

std::string timecodeJsonText(const Timecode& timecode) { return json(timecode).dump(); }

Timecode timecodeFromJsonText(std::string_view text) {
    const json document = json::parse(text.begin(), text.end(), nullptr, false);
    if (document.is_discarded()) {
        throw TimecodeDecodingError(Code::dataCorrupted, "", "The given data was not valid JSON.");
    }
    return document.get<Timecode>();
}

}  // namespace tallyvane

namespace nlohmann {

using tallyvane::Reader;
using Key = tallyvane::TimecodeCodingKey;

void adl_serializer<tallyvane::TimecodeFrameRate>::to_json(json& j, tallyvane::TimecodeFrameRate rate) {
    j = std::string(rate.rawValue());
}

tallyvane::TimecodeFrameRate adl_serializer<tallyvane::TimecodeFrameRate>::from_json(const json& j) {
    return tallyvane::readFrameRate(Reader(j, ""));
}

void adl_serializer<tallyvane::VideoFrameRate>::to_json(json& j, tallyvane::VideoFrameRate rate) {
    j = std::string(rate.rawValue());
}

tallyvane::VideoFrameRate adl_serializer<tallyvane::VideoFrameRate>::from_json(const json& j) {
    const Reader r(j, "");
    const std::string raw = r.text();
    const auto rate = tallyvane::VideoFrameRate::fromRawValue(raw);
    if (!rate) tallyvane::invalidRawValue(r, "VideoFrameRate", raw);
    return *rate;
}

void adl_serializer<tallyvane::TimecodeSubFramesBase>::to_json(json& j, tallyvane::TimecodeSubFramesBase base) {
    j = base.rawValue();
}

tallyvane::TimecodeSubFramesBase adl_serializer<tallyvane::TimecodeSubFramesBase>::from_json(const json& j) {
    return tallyvane::readSubFramesBase(Reader(j, ""));
}

void adl_serializer<tallyvane::TimecodeUpperLimit>::to_json(json& j, tallyvane::TimecodeUpperLimit limit) {
    j = std::string(limit.rawValue());
}

tallyvane::TimecodeUpperLimit adl_serializer<tallyvane::TimecodeUpperLimit>::from_json(const json& j) {
    return tallyvane::readUpperLimit(Reader(j, ""));
}

void adl_serializer<tallyvane::TimecodeStringFormatOption>::to_json(json& j, tallyvane::TimecodeStringFormatOption option) {
    j = std::string(tallyvane::rawValue(option));
}

tallyvane::TimecodeStringFormatOption adl_serializer<tallyvane::TimecodeStringFormatOption>::from_json(const json& j) {
    const Reader r(j, "");
    const auto option = tallyvane::timecodeStringFormatOption(r.text());
    if (!option) r.fail(tallyvane::TimecodeDecodingError::Code::valueNotFound, "Decoded value is not valid.");
    return *option;
}

void adl_serializer<tallyvane::TimecodeComponents>::to_json(json& j, const tallyvane::TimecodeComponents& c) {
    j = json::object();
    j[tallyvane::keyText(Key::days)] = c.days;
    j[tallyvane::keyText(Key::hours)] = c.hours;
    j[tallyvane::keyText(Key::minutes)] = c.minutes;
    j[tallyvane::keyText(Key::seconds)] = c.seconds;
    j[tallyvane::keyText(Key::frames)] = c.frames;
    j[tallyvane::keyText(Key::subFrames)] = c.subFrames;
}

tallyvane::TimecodeComponents adl_serializer<tallyvane::TimecodeComponents>::from_json(const json& j) {
    return tallyvane::readComponents(Reader(j, ""));
}

void adl_serializer<tallyvane::TimecodeProperties>::to_json(json& j, const tallyvane::TimecodeProperties& p) {
    j = json::object();
    j[tallyvane::keyText(Key::frameRate)] = p.frameRate;
    j[tallyvane::keyText(Key::subFramesBase)] = p.subFramesBase;
    j[tallyvane::keyText(Key::upperLimit)] = p.upperLimit;
}

tallyvane::TimecodeProperties adl_serializer<tallyvane::TimecodeProperties>::from_json(const json& j) {
    return tallyvane::readProperties(Reader(j, ""));
}

// One object: the properties' members, then the components' members.
void adl_serializer<tallyvane::Timecode>::to_json(json& j, const tallyvane::Timecode& timecode) {
    j = json(timecode.properties);
    j.update(json(timecode.components));
}

tallyvane::Timecode adl_serializer<tallyvane::Timecode>::from_json(const json& j) {
    const Reader r(j, "");
    tallyvane::Timecode timecode(tallyvane::GuaranteedTimecodeSourceValue::zero(), tallyvane::readProperties(r));
    timecode.components = tallyvane::readComponents(r);
    return timecode;
}

}  // namespace nlohmann
