#include "media_timecode/asset_timecode_source.h"

#include <exception>
#include <memory>

#include "media_timecode/media_timecode_errors.h"
#include "media_timecode/timecode_reading.h"

namespace tallyvane {

namespace {

Timecode present(const std::optional<Timecode>& timecode) {
    if (!timecode) throw TimecodeMediaParseError(TimecodeMediaParseError::Code::unknownTimecode);
    return *timecode;
}

Timecode read(const MediaAsset& asset, RangeAttribute attribute, const TimecodeQuery& query) {
    switch (attribute) {
        case RangeAttribute::start: return present(loadStartTimecode(asset, query));
        case RangeAttribute::end: return present(loadEndTimecode(asset, query));
        case RangeAttribute::duration: return loadDurationTimecode(asset, query);
    }
    throw TimecodeMediaParseError(TimecodeMediaParseError::Code::unknownTimecode);
}

// At the timecode's own properties.
void setExactly(const MediaAsset& asset, RangeAttribute attribute, Timecode& timecode) {
    const TimecodeProperties& p = timecode.properties;
    timecode = read(asset, attribute, TimecodeQuery{p.frameRate, p.subFramesBase, p.upperLimit});
}

void setOrZero(const MediaAsset& asset, RangeAttribute attribute, Timecode& timecode) {
    try {
        setExactly(asset, attribute, timecode);
    } catch (const std::exception&) {
        timecode.set(GuaranteedTimecodeSourceValue::zero());
    }
}

// At the file's own rate, with the timecode's subframes base and upper limit.
TimecodeProperties setRich(const MediaAsset& asset, RangeAttribute attribute, Timecode& timecode) {
    const TimecodeProperties& p = timecode.properties;
    timecode = read(asset, attribute, TimecodeQuery{std::nullopt, p.subFramesBase, p.upperLimit});
    return timecode.properties;
}

}  // namespace

void AssetTimecodeSource::set(Timecode& timecode) const { setExactly(asset_, attribute_, timecode); }

void AssetTimecodeSource::setByRule(Timecode& timecode, TimecodeValidationRule) const {
    setOrZero(asset_, attribute_, timecode);
}

std::future<Timecode> AssetTimecodeSource::set(Timecode timecode) const {
    return startAsynchronously([asset = asset_, attribute = attribute_, timecode]() mutable {
        setExactly(asset, attribute, timecode);
        return timecode;
    });
}

std::future<Timecode> AssetTimecodeSource::setByRule(Timecode timecode, TimecodeValidationRule) const {
    return startAsynchronously([asset = asset_, attribute = attribute_, timecode]() mutable {
        setOrZero(asset, attribute, timecode);
        return timecode;
    });
}

TimecodeProperties AssetRichTimecodeSource::set(Timecode& timecode) const {
    return setRich(asset_, attribute_, timecode);
}

TimecodeProperties AssetRichTimecodeSource::setByRule(Timecode& timecode, TimecodeValidationRule) const {
    return setRich(asset_, attribute_, timecode);
}

std::future<AsyncRichTimecodeSource::Result> AssetRichTimecodeSource::set(Timecode timecode) const {
    return startAsynchronously([asset = asset_, attribute = attribute_, timecode]() mutable {
        const TimecodeProperties properties = setRich(asset, attribute, timecode);
        return Result{timecode, properties};
    });
}

TimecodeSourceValue assetTimecodeSource(const MediaAsset& asset, RangeAttribute attribute) {
    return TimecodeSourceValue(std::make_shared<AssetTimecodeSource>(asset, attribute));
}

RichTimecodeSourceValue assetRichTimecodeSource(const MediaAsset& asset, RangeAttribute attribute) {
    return RichTimecodeSourceValue(std::make_shared<AssetRichTimecodeSource>(asset, attribute));
}

AsyncTimecodeSourceValue AsyncTimecodeSourceValue::asset(const std::filesystem::path& file, RangeAttribute attribute) {
    return AsyncTimecodeSourceValue(std::make_shared<AssetTimecodeSource>(MediaAsset(file), attribute));
}

AsyncRichTimecodeSourceValue AsyncRichTimecodeSourceValue::asset(const std::filesystem::path& file,
                                                                 RangeAttribute attribute) {
    return AsyncRichTimecodeSourceValue(std::make_shared<AssetRichTimecodeSource>(MediaAsset(file), attribute));
}

}  // namespace tallyvane
