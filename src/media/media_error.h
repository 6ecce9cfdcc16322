#pragma once
// The one error type of the media layer: a media file, an image or a JPEG that could not be
// read or written. Callers turn it into a cell text; nothing here ends the program.

#include <stdexcept>
#include <string>

namespace tallyvane {

class MediaError : public std::runtime_error {
public:
    explicit MediaError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tallyvane
