#pragma once
// The support mail: a "mailto:" URL whose subject names the program and its version and
// whose body asks for the document that caused the problem.

#include <string>
#include <string_view>

namespace tallyvane {

// Every byte outside the unreserved characters (letters, digits, "-", ".", "_", "~") as
// "%XX", so that spaces, line breaks and "&" survive in a URL's query.
std::string percentEncoded(std::string_view text);

std::string supportMailUrl(std::string_view address, std::string_view executableName, std::string_view version);

}  // namespace tallyvane
