#pragma once
// Handing a timecode to other applications and taking one back, as plain data: a list
// of typed byte strings, preferred form first. The clipboard and drag adapters of the
// user interface map these items to and from the toolkit's own types.

#include <array>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "timecode/timecode.h"

namespace tallyvane {

struct TransferItem {
    std::string typeId;
    std::string bytes;

    friend bool operator==(const TransferItem&, const TransferItem&) = default;
};

// The timecode's own type: its JSON form. It conforms to generic data.
inline constexpr std::string_view kTimecodeTypeIdentifier = "com.Marrowfen.DezoraraRuz.timecode";
inline constexpr std::string_view kUtf8PlainTextTypeIdentifier = "public.utf8-plain-text";

// The types a paste accepts, preferred first; the pasteboard list is the same pair under
// the name the field's paste command asks for.
inline constexpr std::array<std::string_view, 2> kTimecodePasteTypes{kTimecodeTypeIdentifier,
                                                                     kUtf8PlainTextTypeIdentifier};
inline constexpr std::array<std::string_view, 2> kTimecodePasteboardTypes = kTimecodePasteTypes;

// The timecode's JSON, then its text in the given format as UTF-8.
std::vector<TransferItem> transferItems(const Timecode& timecode,
                                        TimecodeStringFormat format = TimecodeStringFormat::showSubFramesSet());

class TimecodeLoadError : public std::runtime_error {
public:
    enum class Code : std::uint8_t { coderValueNotFound };
    TimecodeLoadError() : std::runtime_error("No timecode could be read from the items.") {}
    Code code() const { return Code::coderValueNotFound; }
};

// The first timecode JSON item as decoded, with its own properties. When there is
// none or it does not decode, the first UTF-8 text item read as timecode text at the
// given properties, its components unchecked. Throws TimecodeLoadError when neither
// gives a timecode; only the first item of each type is tried.
Timecode loadTimecode(std::span<const TransferItem> items, const TimecodeProperties& properties);

// The entries of the loader, each in two spellings that behave alike: from one item, and
// from a list of items.
inline Timecode loadTimecode(const TransferItem& item, const TimecodeProperties& properties) {
    return loadTimecode(std::span(&item, 1), properties);
}
inline Timecode timecodeFromTransfer(const TransferItem& item, const TimecodeProperties& properties) {
    return loadTimecode(item, properties);
}
inline Timecode timecodeFromTransfer(std::span<const TransferItem> items, const TimecodeProperties& properties) {
    return loadTimecode(items, properties);
}

}  // namespace tallyvane
