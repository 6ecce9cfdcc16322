#include "xml/css_selector.h"

#include <unicode/regex.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

namespace tallyvane {

namespace {

std::unique_ptr<const icu::RegexPattern> compile(const char16_t* pattern) {
    UErrorCode status = U_ZERO_ERROR;
    UParseError where;
    std::unique_ptr<const icu::RegexPattern> compiled(icu::RegexPattern::compile(pattern, 0, where, status));
    if (U_FAILURE(status) || !compiled) {
        std::fprintf(stderr, "xml/css_selector: a selector pattern does not compile (%s)\n", u_errorName(status));
        std::abort();
    }
    return compiled;
}

const icu::RegexPattern& idPattern() {
    static const std::unique_ptr<const icu::RegexPattern> pattern = compile(u"\\#([\\w-_]+)");
    return *pattern;
}
const icu::RegexPattern& classPattern() {
    static const std::unique_ptr<const icu::RegexPattern> pattern = compile(u"\\.([^\\.]+)");
    return *pattern;
}
const icu::RegexPattern& attributePattern() {
    static const std::unique_ptr<const icu::RegexPattern> pattern = compile(u"\\[([^\\[\\]]+)\\]");
    return *pattern;
}

// The first capture group of each match of the pattern in the text, in order.
std::vector<std::string> captures(const icu::RegexPattern& pattern, const icu::UnicodeString& text, bool firstOnly) {
    std::vector<std::string> groups;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexMatcher> matcher(pattern.matcher(text, status));
    while (U_SUCCESS(status) && matcher && matcher->find(status) && U_SUCCESS(status)) {
        std::string group;
        matcher->group(1, status).toUTF8String(group);
        groups.push_back(std::move(group));
        if (firstOnly) break;
    }
    return groups;
}

// Tab and the Unicode space separators; line breaks are not separators here.
bool isSeparator(UChar32 c) { return c == u'\t' || u_charType(c) == U_SPACE_SEPARATOR; }

struct Piece {
    std::size_t begin;
    std::size_t end;
    bool separator;
};

// The text as code points marked separator or not, by byte offsets.
std::vector<Piece> piecesOf(std::string_view text) {
    std::vector<Piece> pieces;
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    for (int32_t i = 0; i < length;) {
        int32_t start = i;
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        pieces.push_back({static_cast<std::size_t>(start), static_cast<std::size_t>(i), c >= 0 && isSeparator(c)});
    }
    return pieces;
}

// Trimmed of separators at both ends, then split at every single separator.
std::vector<std::string_view> tokensOf(std::string_view selector) {
    std::vector<Piece> pieces = piecesOf(selector);
    std::size_t first = 0, last = pieces.size();
    while (first < last && pieces[first].separator) ++first;
    while (last > first && pieces[last - 1].separator) --last;
    std::vector<std::string_view> tokens;
    std::size_t tokenBegin = first < last ? pieces[first].begin : 0;
    for (std::size_t i = first; i < last; ++i) {
        if (!pieces[i].separator) continue;
        tokens.push_back(selector.substr(tokenBegin, pieces[i].begin - tokenBegin));
        tokenBegin = pieces[i].end;
    }
    std::size_t tokenEnd = first < last ? pieces[last - 1].end : tokenBegin;
    tokens.push_back(selector.substr(tokenBegin, tokenEnd - tokenBegin));
    return tokens;
}

std::string stepFor(std::string_view token) {
    std::size_t special = token.find_first_of("#.[]");
    if (special == std::string_view::npos) return std::string(token);
    std::string tag(token.substr(0, special));
    std::string step = tag.empty() ? "*" : tag;
    // The patterns search the whole token, the tag included.
    icu::UnicodeString text = icu::UnicodeString::fromUTF8(
        icu::StringPiece(token.data(), static_cast<int32_t>(token.size())));
    for (const std::string& id : captures(idPattern(), text, true)) step += "[@id = '" + id + "']";
    for (const std::string& name : captures(classPattern(), text, false)) {
        step += "[contains(concat(' ',normalize-space(@class),' '),' " + name + " ')]";
    }
    for (const std::string& attribute : captures(attributePattern(), text, false)) step += "[@" + attribute + "]";
    return step;
}

std::string pathFor(std::string_view selector) {
    std::string path = "./";
    std::optional<std::string> axis;
    std::vector<std::string_view> tokens = tokensOf(selector);
    for (std::size_t position = 0; position < tokens.size(); ++position) {
        std::string_view token = tokens[position];
        if (token == "*" && position > 0) {
            path += "//*";
        } else if (token == ">") {
            axis = "";
        } else if (token == "+") {
            axis = "following-sibling::*[1]/self::";
        } else if (token == "~") {
            axis = "following-sibling::";
        } else {
            std::string prefix = axis ? *axis : (position > 0 ? "descendant::" : "");
            path += "/" + prefix + stepFor(token);
            axis.reset();
        }
    }
    return path;
}

}  // namespace

std::string xpathForCSS(std::string_view selectors) {
    std::string expression;
    std::size_t begin = 0;
    while (begin <= selectors.size()) {
        std::size_t comma = selectors.find(',', begin);
        std::size_t end = comma == std::string_view::npos ? selectors.size() : comma;
        std::string_view selector = selectors.substr(begin, end - begin);
        if (!selector.empty()) {
            if (!expression.empty()) expression += " | ";
            expression += pathFor(selector);
        }
        begin = end + 1;
    }
    return expression;
}

}  // namespace tallyvane
