#include "report/clipsheet/media_location.h"

#include <string_view>

namespace tallyvane {

namespace {

bool hasNonFileScheme(std::string_view text) {
    const auto colon = text.find(':');
    const auto slash = text.find('/');
    if (colon == std::string_view::npos || (slash != std::string_view::npos && slash < colon)) return false;
    std::string_view scheme = text.substr(0, colon);
    if (scheme.size() != 4) return true;
    for (std::size_t i = 0; i < 4; ++i) {
        if ((scheme[i] | 0x20) != "file"[i]) return true;
    }
    return false;
}

}  // namespace

std::optional<std::filesystem::path> localMediaPath(const Url& url) {
    if (hasNonFileScheme(url.absoluteString())) return std::nullopt;
    if (url.path().empty()) return std::nullopt;
    return std::filesystem::path(url.path());
}

std::string lastPathComponent(const Url& url) {
    const std::string& path = url.path();
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace tallyvane
