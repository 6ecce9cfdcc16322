#pragma once
// The one error type of the media layer: a media file, an image or a JPEG that could not be
// read or written. Callers turn it into a cell text; nothing here ends the program.

#include <stdexcept>
#include <string>
#include <string_view>

namespace tallyvane {

class MediaError : public std::runtime_error {
public:
    explicit MediaError(const std::string& message) : std::runtime_error(message) {}
};

inline constexpr std::string_view kMediaModuleFailureText = "The media libraries cannot be loaded";

// The media module itself could not be loaded, so no media file can be read at all. The
// programs say so once, with the loader's reason, instead of once per file.
class MediaModuleError : public MediaError {
public:
    explicit MediaModuleError(const std::string& reason)
        : MediaError(std::string(kMediaModuleFailureText) + ": " + reason), reason_(reason) {}
    // The loader's own words.
    const std::string& reason() const noexcept { return reason_; }

private:
    std::string reason_;
};

}  // namespace tallyvane
