// The input types and the document errors with the texts the user is shown.

#include <gtest/gtest.h>

#include "reader/input_type.h"
#include "reader/xml_content_error.h"

namespace tallyvane {
namespace {

struct ContentErrorCase {
    XMLContentError error;
    std::string description;
    std::string suggestion;
};

void PrintTo(const ContentErrorCase& row, std::ostream* out) { *out << row.description; }

class ContentErrors : public ::testing::TestWithParam<ContentErrorCase> {};

TEST_P(ContentErrors, SplitTheirRawTextIntoMessageAndSuggestion) {
    const ContentErrorCase& c = GetParam();
    EXPECT_EQ(c.error.errorDescription(), c.description);
    EXPECT_EQ(c.error.recoverySuggestion(), c.suggestion);
    const std::string raw = c.description == c.suggestion ? c.description : c.description + " | " + c.suggestion;
    EXPECT_EQ(c.error.rawValue(), raw);
    EXPECT_STREQ(c.error.what(), raw.c_str());
    EXPECT_EQ(XMLContentError::fromRawValue(raw), c.error);
}

using E = XMLContentError;

INSTANTIATE_TEST_SUITE_P(
    Cases, ContentErrors,
    ::testing::Values(
        ContentErrorCase{E::malformed, "This XML cannot be parsed", "Please export a new XML."},
        ContentErrorCase{E::fcpxmldBinary, "This fcpxmld file has been exported incorrectly",
                         "Please try exporting from Final Cut Pro using a different XML version."},
        ContentErrorCase{E::emptyFCPXML, "There is a problem with this .fcpxml file",
                         "This file is empty and cannot be used."},
        ContentErrorCase{E::emptyXMEML, "There is a problem with this .xml file",
                         "This file is empty and cannot be used."},
        ContentErrorCase{E::invalidFCPXML, "This is not a valid .fcpxml file",
                         "Please export a new XML from Final Cut Pro."},
        ContentErrorCase{E::invalidXMEML, "This is not a valid .xml file",
                         "Please export a new Final Cut Pro XML file from Premiere Pro."},
        ContentErrorCase{E::fcpxmlTooOld, "There is a problem with this FCPXML",
                         "The minimum version of XML supported is 1.6 (exported from Final Cut Pro 10.3)."},
        ContentErrorCase{E::badOTIO, "There is a problem with this OTIO", "There is a problem with this OTIO"}));

TEST(ContentErrors, OnlyWholeRawTextsMakeAnError) {
    EXPECT_FALSE(XMLContentError::fromRawValue("This XML cannot be parsed"));
    EXPECT_FALSE(XMLContentError::fromRawValue(""));
    EXPECT_FALSE(XMLContentError::fromRawValue("there is a problem with this otio"));
    EXPECT_NE(XMLContentError(E::emptyFCPXML), XMLContentError(E::emptyXMEML));
    EXPECT_EQ(std::hash<XMLContentError>{}(E::badOTIO),
              std::hash<std::string_view>{}("There is a problem with this OTIO"));
}

}  // namespace
}  // namespace tallyvane
