#include "model/url.h"

#include <optional>

namespace tallyvane {

namespace {

std::optional<int> hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return std::nullopt;
}

std::string percentDecoded(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    // What lies between escapes is copied a stretch at a time.
    std::size_t copied = 0;
    for (std::size_t i = text.find('%'); i != std::string_view::npos; i = text.find('%', i)) {
        const auto high = i + 2 < text.size() ? hexDigit(text[i + 1]) : std::nullopt;
        const auto low = high ? hexDigit(text[i + 2]) : std::nullopt;
        if (!low) {
            ++i;
            continue;
        }
        out.append(text.substr(copied, i - copied));
        out.push_back(static_cast<char>(*high * 16 + *low));
        i += 3;
        copied = i;
    }
    out.append(text.substr(copied));
    return out;
}

// A scheme is a letter followed by letters, digits, "+", "-" or ".", ended by ":".
std::size_t schemeLength(std::string_view text) {
    auto isAlpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (text.empty() || !isAlpha(text.front())) return 0;
    for (std::size_t i = 1; i < text.size(); ++i) {
        char c = text[i];
        if (c == ':') return i + 1;
        if (!isAlpha(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') return 0;
    }
    return 0;
}

// The path part of a URL text, as `Url::path` gives it.
std::string pathOf(std::string_view rest) {
    rest.remove_prefix(schemeLength(rest));
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        auto slash = rest.find_first_of("/?#");
        rest.remove_prefix(slash == std::string_view::npos ? rest.size() : slash);
    }
    rest = rest.substr(0, rest.find_first_of("?#"));
    if (rest.size() > 1 && rest.back() == '/') rest.remove_suffix(1);
    return percentDecoded(rest);
}

}  // namespace

Url::Url(std::string absoluteString) : text_(std::move(absoluteString)), path_(pathOf(text_)) {}

}  // namespace tallyvane
