#pragma once
// The location of a media file as the project document gives it (a URL text such as
// "file:///Volumes/Media/A%20001.mov"), with the file-system path that it names.

#include <string>
#include <string_view>

namespace tallyvane {

class Url {
public:
    explicit Url(std::string absoluteString);

    const std::string& absoluteString() const noexcept { return text_; }

    // The path part (after the scheme and the authority, before any query or fragment)
    // with percent escapes decoded and without a trailing "/"; malformed escapes stay as they are.
    // Worked out once: a report reads it for every clip of the asset.
    const std::string& path() const noexcept { return path_; }

    friend bool operator==(const Url&, const Url&) = default;

private:
    std::string text_;
    std::string path_;
};

}  // namespace tallyvane
