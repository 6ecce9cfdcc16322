#pragma once
// Where an asset's media lies on this machine.

#include <filesystem>
#include <optional>

#include "model/asset.h"

namespace tallyvane {

// The file a "file:" URL names (a bare path counts too). Any other scheme names nothing
// here: the media layer reads local files only, and the path part of a web address must
// not be mistaken for a local file.
std::optional<std::filesystem::path> localMediaPath(const Url& url);

// The last path component of the URL's path, percent escapes decoded.
std::string lastPathComponent(const Url& url);

}  // namespace tallyvane
