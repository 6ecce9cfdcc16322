#pragma once
// The assets pass: every asset resource of the document (a media file that clips use)
// becomes an Asset with its times in frames, its format, its location and its kind.

#include <optional>
#include <string>

namespace tallyvane {

class ReaderContext;
class XMLElement;

// The asset's "src", else that of its first "media-rep" child; "file:///Volumes/" is
// written "file://localhost/Volumes/". Absent when there is neither.
std::optional<std::string> assetSourceURL(const std::optional<XMLElement>& asset);

// After the formats pass, whose formats it looks up.
void storeAssets(ReaderContext& context);

}  // namespace tallyvane
