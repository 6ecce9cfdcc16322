#pragma once
// What a document must be before it is read: an "fcpxml" root with a version of 1.6 or
// later in the 1.x series. Each check throws the XMLContentError the user is shown.

#include <string_view>

#include "xml/xml_document.h"

namespace tallyvane {

// No root: emptyFCPXML. A root without "version": malformed (whatever its tag). Another
// tag than "fcpxml": invalidFCPXML. Then the version rule of `checkFCPXMLVersion`. Last,
// text that ended with elements still open (cut off): malformed.
void checkFCPXMLDocument(const XMLDocument& document);

// Everything before the first "d" of the version (so "1.6d" reads as "1.6"), with every
// "1." taken out, must be a decimal integer: not one, or -1, is invalidFCPXML; 5 or less
// is fcpxmlTooOld. So 1.6 to 1.x pass, 1.5 and earlier are too old, 2.0 is invalid.
void checkFCPXMLVersion(std::string_view version);

}  // namespace tallyvane
