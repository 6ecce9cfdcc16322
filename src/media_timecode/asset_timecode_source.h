#pragma once
// A media file as a timecode source: a timecode can be set from the start, the end or
// the duration of a file through the core's source values, at once or asynchronously.

#include "media_timecode/media_asset.h"
#include "timecode/async_timecode_sources.h"
#include "timecode/timecode_sources.h"

namespace tallyvane {

// Reads at the properties of the timecode being set. `set` throws
// TimecodeMediaParseError::unknownTimecode for the start or end of a file without
// timecode; `setByRule` never fails and gives zero instead of any failure. The
// asynchronous forms read the file on a thread of their own and answer the same.
class AssetTimecodeSource final : public TimecodeSource, public AsyncTimecodeSource {
public:
    AssetTimecodeSource(MediaAsset asset, RangeAttribute attribute)
        : asset_(std::move(asset)), attribute_(attribute) {}
    void set(Timecode& timecode) const override;
    void setByRule(Timecode& timecode, TimecodeValidationRule rule) const override;
    std::future<Timecode> set(Timecode timecode) const override;
    std::future<Timecode> setByRule(Timecode timecode, TimecodeValidationRule rule) const override;

private:
    MediaAsset asset_;
    RangeAttribute attribute_;
};

// Keeps the subframes base and upper limit of the timecode being set and reads the frame
// rate from the file. Every form throws: a file gives no value it cannot read.
class AssetRichTimecodeSource final : public RichTimecodeSource, public AsyncRichTimecodeSource {
public:
    AssetRichTimecodeSource(MediaAsset asset, RangeAttribute attribute)
        : asset_(std::move(asset)), attribute_(attribute) {}
    TimecodeProperties set(Timecode& timecode) const override;
    TimecodeProperties setByRule(Timecode& timecode, TimecodeValidationRule rule) const override;
    std::future<Result> set(Timecode timecode) const override;

private:
    MediaAsset asset_;
    RangeAttribute attribute_;
};

TimecodeSourceValue assetTimecodeSource(const MediaAsset& asset, RangeAttribute attribute);
RichTimecodeSourceValue assetRichTimecodeSource(const MediaAsset& asset, RangeAttribute attribute);

}  // namespace tallyvane
