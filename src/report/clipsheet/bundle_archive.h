#pragma once
// Single-file project bundles: an archive that holds the project document "Info.fcpxml".

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace tallyvane {

// The text of the first regular entry whose last path component is exactly "Info.fcpxml"
// (not "._Info.fcpxml", not "Info.fcpxml.bak"). The empty text when the archive holds no
// such entry. Nothing, with a line on `diagnostics`, when the file is no archive that can
// be read, the entry is larger than 2 GiB - 1 bytes, or its text is not UTF-8.
std::optional<std::string> readBundleDocument(const std::filesystem::path& bundle, std::ostream& diagnostics);

}  // namespace tallyvane
