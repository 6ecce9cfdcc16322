#include "common/utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tallyvane {

namespace {

// Length of the well-formed sequence at the start of text, or 0 with `invalidLength`
// set to the length of the maximal subpart that must be replaced (at least 1).
size_t validSequenceLength(std::string_view text, size_t& invalidLength) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(0);
    invalidLength = 1;
    if (lead < 0x80) return 1;
    size_t length;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;        // overlong
        if (lead == 0xED) high = 0x9F;       // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;        // overlong
        if (lead == 0xF4) high = 0x8F;       // beyond U+10FFFF
    } else {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        if (i >= text.size()) return 0;
        unsigned char b = byte(i);
        unsigned char lo = i == 1 ? low : 0x80;
        unsigned char hi = i == 1 ? high : 0xBF;
        if (b < lo || b > hi) return 0;
        invalidLength = i + 1;
    }
    return length;
}

}  // namespace

bool isValidUtf8(std::string_view text) {
    size_t invalid = 0;
    for (size_t i = asciiPrefixLength(text); i < text.size();) {
        size_t n = validSequenceLength(text.substr(i), invalid);
        if (n == 0) return false;
        i += n;
        // Back to the fast scan: a whole document is checked, and an accented name near
        // its start would otherwise send all that follows through the byte-wise check.
        i += asciiPrefixLength(text.substr(i));
    }
    return true;
}

std::size_t asciiPrefixLength(std::string_view text) {
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixty-four bytes at a time while none has its high bit (a whole document is checked
    // at once), then sixteen up to the block holding the first.
    const auto block = [&](std::size_t at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at)); };
    for (; i + 64 <= text.size(); i += 64) {
        const __m128i any = _mm_or_si128(_mm_or_si128(block(i), block(i + 16)), _mm_or_si128(block(i + 32), block(i + 48)));
        if (_mm_movemask_epi8(any) != 0) break;
    }
    for (; i + 16 <= text.size(); i += 16) {
        if (_mm_movemask_epi8(block(i)) != 0) break;
    }
#endif
    // Eight bytes at a time up to the word holding the first high bit.
    constexpr std::uint64_t highBits = 0x8080808080808080;
    for (std::uint64_t word; i + sizeof word <= text.size(); i += sizeof word) {
        std::memcpy(&word, text.data() + i, sizeof word);
        if ((word & highBits) != 0) break;
    }
    return static_cast<std::size_t>(
        std::find_if(text.begin() + static_cast<std::ptrdiff_t>(i), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; }) -
        text.begin());
}

std::string sanitizeUtf8(std::string_view text) {
    // Nearly all text is ASCII up to its end: that part is copied in one go.
    const size_t ascii = asciiPrefixLength(text);
    std::string out(text.substr(0, ascii));
    if (ascii == text.size()) return out;
    out.reserve(text.size());
    size_t invalid = 0;
    for (size_t i = ascii; i < text.size();) {
        size_t n = validSequenceLength(text.substr(i), invalid);
        if (n == 0) {
            out += "\xEF\xBF\xBD";
            i += invalid;
        } else {
            out.append(text.substr(i, n));
            i += n;
        }
    }
    return out;
}

std::string_view utf8Prefix(std::string_view text, std::size_t bytes) {
    std::size_t cut = std::min(text.size(), bytes);
    while (cut > 0 && cut < text.size() && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return text.substr(0, cut);
}

}  // namespace tallyvane
