#include "xml/attribute_limit.h"

#include <libxml/encoding.h>

#include <unicode/ucnv.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

namespace tallyvane::detail {

namespace {

// Counts, between two '<', what may be attributes. Fed piece by piece, so that a decoded
// input never needs to be held whole.
class AttributeCounter {
public:
    template <class Unit>
    bool feed(const Unit* units, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            // Outside markup only these two change anything: skip the rest unexamined.
            if (!afterLessThan_ && !declaration_ && !afterEquals_) {
                if constexpr (sizeof(Unit) == 1) {
                    i = nextLessOrEquals(units, count, i);
                } else {
                    while (i < count && units[i] != '<' && units[i] != '=') ++i;
                }
                if (i == count) break;
            }
            if (take(static_cast<char32_t>(units[i]))) return true;
        }
        return false;
    }

private:
    // The first '<' or '=' at or after `from`, `count` when none. Both come every few bytes
    // (each element and attribute has one), so sixteen bytes are compared with both at once
    // where the processor can, rather than searching for each in turn.
    static std::size_t nextLessOrEquals(const unsigned char* units, std::size_t count, std::size_t from) {
        std::size_t i = from;
#if defined(__SSE2__)
        const __m128i less = _mm_set1_epi8('<');
        const __m128i equals = _mm_set1_epi8('=');
        for (; i + 16 <= count; i += 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i));
            const int found =
                _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, less), _mm_cmpeq_epi8(block, equals)));
            if (found != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(found)));
        }
#endif
        while (i < count && units[i] != '<' && units[i] != '=') ++i;
        return i;
    }

    static bool isQuote(char32_t unit) { return unit == '"' || unit == '\''; }
    static bool isSpace(char32_t unit) { return unit == ' ' || unit == '\t' || unit == '\n' || unit == '\r'; }

    // Whether the element now holds too many.
    bool take(char32_t unit) {
        if (afterLessThan_) {
            declaration_ = unit == '!';
            afterLessThan_ = false;
        }
        if (unit == '<') {
            found_ = quotes_ = 0;
            afterLessThan_ = true;
            afterEquals_ = false;
            return false;
        }
        if (declaration_) {
            if (isQuote(unit) && ++quotes_ % 2 == 0) ++found_;
        } else if (afterEquals_ && !isSpace(unit)) {
            afterEquals_ = false;
            if (isQuote(unit)) ++found_;
        }
        if (unit == '=') afterEquals_ = true;
        return found_ > kMostAttributesPerElement;
    }

    std::size_t found_ = 0;
    std::size_t quotes_ = 0;
    bool afterLessThan_ = false;
    bool declaration_ = false;
    bool afterEquals_ = false;
};

bool isUtf8Name(std::string_view name) {
    return name.size() == 5 && (name[0] | 0x20) == 'u' && (name[1] | 0x20) == 't' && (name[2] | 0x20) == 'f' &&
           name[3] == '-' && name[4] == '8';
}

// The encoding libxml2 would read the input in when it is not a byte superset of ASCII:
// one its first bytes show, else the one the declaration names. Empty for UTF-8.
std::string wideEncoding(std::string_view input) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(input.data());
    switch (xmlDetectCharEncoding(bytes, static_cast<int>(std::min<std::size_t>(input.size(), 4)))) {
        case XML_CHAR_ENCODING_UTF16LE: return "UTF-16LE";
        case XML_CHAR_ENCODING_UTF16BE: return "UTF-16BE";
        case XML_CHAR_ENCODING_UCS4LE: return "UTF-32LE";
        case XML_CHAR_ENCODING_UCS4BE: return "UTF-32BE";
        case XML_CHAR_ENCODING_EBCDIC: return "ibm-037";
        default: break;
    }
    const std::string_view head = input.substr(0, std::min<std::size_t>(input.size(), 256));
    if (!head.starts_with("<?xml")) return {};
    const std::size_t name = head.find("encoding");
    const std::size_t quote = head.find_first_of("\"'", name);
    if (name == std::string_view::npos || quote == std::string_view::npos) return {};
    const std::size_t end = head.find(head[quote], quote + 1);
    if (end == std::string_view::npos) return {};
    std::string declared(head.substr(quote + 1, end - quote - 1));
    // Nearly every document declares UTF-8: asking the converter for the alias would map
    // its alias table into the process for a name already known.
    if (isUtf8Name(declared)) return {};
    UErrorCode status = U_ZERO_ERROR;
    const char* canonical = ucnv_getAlias(declared.c_str(), 0, &status);
    if (U_FAILURE(status) || canonical == nullptr || std::string_view(canonical) == "UTF-8") return {};
    return declared;
}

struct ConverterClose {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};

// The decoded input through the counter; false when it cannot be decoded (then libxml2
// cannot read it either, and the raw bytes have been counted).
bool decodedExceeds(std::string_view input, const std::string& encoding) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterClose> converter(ucnv_open(encoding.c_str(), &status));
    if (U_FAILURE(status)) return false;
    AttributeCounter counter;
    const char* source = input.data();
    const char* const sourceEnd = source + input.size();
    UChar buffer[16384];
    do {
        UChar* target = buffer;
        status = U_ZERO_ERROR;
        ucnv_toUnicode(converter.get(), &target, buffer + std::size(buffer), &source, sourceEnd, nullptr, true, &status);
        if (counter.feed(buffer, static_cast<std::size_t>(target - buffer))) return true;
    } while (status == U_BUFFER_OVERFLOW_ERROR);
    return false;
}

}  // namespace

bool exceedsAttributeLimit(const char* start, std::size_t count) {
    const std::string_view input(start, count);
    if (AttributeCounter().feed(reinterpret_cast<const unsigned char*>(start), count)) return true;
    const std::string encoding = wideEncoding(input);
    return !encoding.empty() && decodedExceeds(input, encoding);
}

}  // namespace tallyvane::detail
