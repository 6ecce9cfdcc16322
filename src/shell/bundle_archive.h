#pragma once
// Single-file `.fcpxmld` bundles: archives that hold the project document as "Info.fcpxml".

#include <filesystem>
#include <optional>
#include <string>

namespace tallyvane {

// The content of the first regular entry whose last path component is exactly
// "Info.fcpxml" ("._Info.fcpxml" and "Info.fcpxml.bak" are other files). Nothing when the
// file is not an archive, holds no such entry, or the entry cannot be read whole or is
// larger than any document the reader takes.
std::optional<std::string> extractInfoFCPXML(const std::filesystem::path& archive);

}  // namespace tallyvane
