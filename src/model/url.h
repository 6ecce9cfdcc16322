#pragma once
// The location of a media file as the project document gives it (a URL text such as
// "file:///Volumes/Media/A%20001.mov"), with the file-system path that it names.

#include <string>
#include <string_view>

namespace tallyvane {

class Url {
public:
    explicit Url(std::string absoluteString) : text_(std::move(absoluteString)) {}

    const std::string& absoluteString() const noexcept { return text_; }

    // The path part (after the scheme and the authority, before any query or fragment)
    // with percent escapes decoded and without a trailing "/"; malformed escapes stay as they are.
    std::string path() const;

    friend bool operator==(const Url&, const Url&) = default;

private:
    std::string text_;
};

}  // namespace tallyvane
