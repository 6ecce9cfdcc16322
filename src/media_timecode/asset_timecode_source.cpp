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

}  // namespace

void AssetTimecodeSource::set(Timecode& timecode) const {
    const TimecodeProperties& p = timecode.properties;
    timecode = read(asset_, attribute_, TimecodeQuery{p.frameRate, p.subFramesBase, p.upperLimit});
}

void AssetTimecodeSource::setByRule(Timecode& timecode, TimecodeValidationRule) const {
    try {
        set(timecode);
    } catch (const std::exception&) {
        timecode.set(GuaranteedTimecodeSourceValue::zero());
    }
}

TimecodeProperties AssetRichTimecodeSource::set(Timecode& timecode) const {
    const TimecodeProperties& p = timecode.properties;
    timecode = read(asset_, attribute_, TimecodeQuery{std::nullopt, p.subFramesBase, p.upperLimit});
    return timecode.properties;
}

TimecodeProperties AssetRichTimecodeSource::setByRule(Timecode& timecode, TimecodeValidationRule) const {
    return set(timecode);
}

TimecodeSourceValue assetTimecodeSource(const MediaAsset& asset, RangeAttribute attribute) {
    return TimecodeSourceValue(std::make_shared<AssetTimecodeSource>(asset, attribute));
}

RichTimecodeSourceValue assetRichTimecodeSource(const MediaAsset& asset, RangeAttribute attribute) {
    return RichTimecodeSourceValue(std::make_shared<AssetRichTimecodeSource>(asset, attribute));
}

}  // namespace tallyvane
