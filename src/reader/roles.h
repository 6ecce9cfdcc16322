#pragma once
// The video role, main audio role and audio subroles of one clip element of the document.

#include <iosfwd>
#include <string>
#include <vector>

namespace tallyvane {

class Asset;
class WordCapitalizer;
class XMLElement;

struct ResolvedRoles {
    std::string videoRole;
    std::string audioRole;
    std::vector<std::string> audioSubroles;
};

// Role texts are "main" or "main.sub"; a video role with a subrole is written
// "Main ▸ Sub". `asset` is the clip's asset, null when it has none.
ResolvedRoles resolveRoles(const XMLElement& element, const Asset* asset, std::ostream& log);
ResolvedRoles resolveRoles(const XMLElement& element, const Asset* asset, WordCapitalizer& capitalized,
                           std::ostream& log);

}  // namespace tallyvane
