#include "timecode/timecode_transfer.h"

#include <algorithm>
#include <optional>

#include "common/utf8.h"
#include "timecode/timecode_coding.h"
#include "timecode/timecode_sources.h"

namespace tallyvane {

namespace {

const TransferItem* firstOfType(std::span<const TransferItem> items, std::string_view typeId) {
    const auto it = std::find_if(items.begin(), items.end(), [&](const TransferItem& i) { return i.typeId == typeId; });
    return it == items.end() ? nullptr : &*it;
}

std::optional<Timecode> fromJson(const TransferItem* item) {
    if (item == nullptr) return std::nullopt;
    try {
        return timecodeFromJsonText(item->bytes);
    } catch (const TimecodeDecodingError&) {
        return std::nullopt;
    }
}

}  // namespace

std::vector<TransferItem> transferItems(const Timecode& timecode, TimecodeStringFormat format) {
    return {{std::string(kTimecodeTypeIdentifier), timecodeJsonText(timecode)},
            {std::string(kUtf8PlainTextTypeIdentifier), timecode.stringValue(format)}};
}

Timecode loadTimecode(std::span<const TransferItem> items, const TimecodeProperties& properties) {
    if (auto decoded = fromJson(firstOfType(items, kTimecodeTypeIdentifier))) return *decoded;
    const TransferItem* text = firstOfType(items, kUtf8PlainTextTypeIdentifier);
    if (text == nullptr || !isValidUtf8(text->bytes)) throw TimecodeLoadError();
    try {
        return Timecode(FormattedTimecodeSourceValue::string(text->bytes), properties,
                        TimecodeValidationRule::allowingInvalid);
    } catch (const TimecodeStringParseError&) {
        throw TimecodeLoadError();
    }
}

}  // namespace tallyvane
