// The document checks of a reading: what is refused, with which alert, and that a refused
// document leaves nothing behind.

#include <gtest/gtest.h>

#include <libxml/tree.h>

#include <stdexcept>

#include "reader/document_checks.h"
#include "reader/fcpxml_reader.h"
#include "reader/xml_content_error.h"
#include "reader_fixture.h"
#include "support/named_case.h"

namespace tallyvane {
namespace {

using test::PrintTo;

using testing::contains;
using testing::RecordedAlert;
using testing::RecordingAlerts;

const RecordedAlert kTooOld{"There is a problem with this FCPXML",
                            "The minimum version of XML supported is 1.6 (exported from Final Cut Pro 10.3)."};
const RecordedAlert kInvalid{"This is not a valid .fcpxml file", "Please export a new XML from Final Cut Pro."};
const RecordedAlert kMalformed{"This XML cannot be parsed", "Please export a new XML."};

struct Reading {
    std::vector<RecordedAlert> alerts;
    std::string printed;
    std::size_t formats = 0;
    std::size_t assets = 0;
    InputType inputType = InputType::null;
};

Reading read(std::string_view document) {
    const testing::ReadDocument r(document);
    return {r.alerts.alerts, r.log.str(), r.store.fetch<VideoFormat>().size(), r.store.fetch<Asset>().size(),
            r.reader.currentInputType()};
}

std::string documentWithVersion(std::string_view version) {
    std::string document = testing::readerData("version_template.fcpxml");
    return document.replace(document.find("VERSION"), std::string_view("VERSION").size(), version);
}

struct VersionCase {
    std::string version;
    std::optional<RecordedAlert> alert;
};

void PrintTo(const VersionCase& row, std::ostream* out) { *out << "version " << row.version; }

class VersionRule : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionRule, AcceptsTheOneXSeriesFromSixOn) {
    const VersionCase& c = GetParam();
    const Reading reading = read(documentWithVersion(c.version));
    EXPECT_EQ(reading.inputType, InputType::FCPXML);
    if (c.alert) {
        ASSERT_EQ(reading.alerts.size(), 1u);
        EXPECT_EQ(reading.alerts.front(), *c.alert);
        EXPECT_EQ(reading.formats, 0u) << "a refused document must leave the store empty";
        EXPECT_EQ(reading.assets, 0u);
        EXPECT_EQ(reading.printed, "") << "content errors print nothing";
    } else {
        EXPECT_TRUE(reading.alerts.empty());
        EXPECT_EQ(reading.formats, 2u);  // the fallback format and the document's
        EXPECT_EQ(reading.assets, 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Versions, VersionRule,
    ::testing::Values(VersionCase{"1.6", std::nullopt}, VersionCase{"1.9", std::nullopt},
                      VersionCase{"1.10", std::nullopt}, VersionCase{"1.11", std::nullopt},
                      VersionCase{"1.14", std::nullopt}, VersionCase{"1.6d", std::nullopt},
                      VersionCase{"d1.6dd", std::nullopt}, VersionCase{"1.5", kTooOld}, VersionCase{"1.0", kTooOld},
                      VersionCase{"1.1", kTooOld}, VersionCase{"1.-2", kTooOld}, VersionCase{"2.0", kInvalid},
                      VersionCase{"1.5.1", kInvalid}, VersionCase{"abc", kInvalid}, VersionCase{"d", kInvalid},
                      VersionCase{"dd", kInvalid}, VersionCase{"", kInvalid}, VersionCase{"1.", kInvalid},
                      VersionCase{"1.-1", kInvalid}, VersionCase{"1.99999999999999999999", kInvalid},
                      VersionCase{"1. 7", kInvalid}));

struct RootCase {
    std::string name;
    std::string document;
    RecordedAlert alert;
};

class RootChecks : public ::testing::TestWithParam<RootCase> {};

TEST_P(RootChecks, RefuseTheDocumentBeforeAnyPass) {
    const Reading reading = read(GetParam().document);
    ASSERT_EQ(reading.alerts.size(), 1u);
    EXPECT_EQ(reading.alerts.front(), GetParam().alert);
    EXPECT_EQ(reading.formats, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Roots, RootChecks,
    ::testing::Values(RootCase{"FcpxmlWithoutVersion", "<fcpxml><resources/></fcpxml>", kMalformed},
                      RootCase{"OtherTagWithVersion", "<xmeml version=\"1.8\"><sequence/></xmeml>", kInvalid},
                      RootCase{"OtherTagWithoutVersion", "<xmeml><sequence/></xmeml>", kMalformed},
                      RootCase{"TagCaseMatters", "<FCPXML version=\"1.8\"/>", kInvalid},
                      // The parser recovers a root from these; reading on would report part of the project.
                      RootCase{"CutOff", "<fcpxml version=\"1.8\"><library><event name=\"x\"><project n", kMalformed},
                      RootCase{"UnclosedElements", "<fcpxml version=\"1.8\"><library><event name=\"x\">", kMalformed},
                      RootCase{"TooManyAttributes",
                               "<fcpxml version=\"1.8\"><library " + [] {
                                   std::string attributes;
                                   for (int i = 0; i < 10001; ++i) attributes += "a" + std::to_string(i) + "='' ";
                                   return attributes;
                               }() + "/></fcpxml>",
                               {"There is a problem parsing this FCPXML",
                                "An element has more than 10000 attributes, far more than any real document holds."}},
                      RootCase{"EntityExpansion",
                               "<!DOCTYPE fcpxml [<!ENTITY e \"" + std::string(10000, 'x') + "\">]><fcpxml version=\"1.8\">" +
                                   [] {
                                       std::string references;
                                       for (int i = 0; i < 10000; ++i) references += "&e;";
                                       return references;
                                   }() + "</fcpxml>",
                               {"The XML is larger than 2 GB, cannot be represented in its encoding, or has entity "
                                "references that stand for far more text than it holds",
                                "Please export a new XML."}}),
    [](const auto& info) { return info.param.name; });

// Recovery loses nothing of these: the project is read as libxml2 recovers it.
TEST(DocumentChecks, RecoverableFaultsAreReadThrough) {
    const std::string whole = documentWithVersion("1.8");
    const auto replaced = [](std::string document, std::string_view from, std::string_view to) {
        return document.replace(document.find(from), from.size(), to);
    };
    const std::string documents[] = {
        whole + "trailing text",
        replaced(whole, "name=\"A001\"", "name=\"A&undefined;001\""),
        replaced(whole, "name=\"A001\"", "name=\"A\xff" "001\""),
        replaced(whole, "</resources>", "</library></resources>"),
        replaced(replaced(whole, "name=\"A001\"", "name=\"&s;\""), "<!DOCTYPE fcpxml>",
                 "<!DOCTYPE fcpxml [<!ENTITY s SYSTEM \"file:///etc/passwd\">]>"),
    };
    for (const std::string& document : documents) {
        const Reading reading = read(document);
        EXPECT_TRUE(reading.alerts.empty()) << document;
        EXPECT_EQ(reading.assets, 1u) << document;
    }
}

TEST(DocumentChecks, ParserFailuresNameTheParsersMessage) {
    const Reading reading = read("");
    ASSERT_EQ(reading.alerts.size(), 1u);
    EXPECT_EQ(reading.alerts.front().messageText, "There is a problem parsing this FCPXML");
    EXPECT_FALSE(reading.alerts.front().informativeText.empty());
    EXPECT_TRUE(contains(reading.printed, "LibXML error: code=")) << reading.printed;
    EXPECT_TRUE(contains(reading.printed, ", message=" + reading.alerts.front().informativeText));
    EXPECT_EQ(reading.formats, 0u);
    EXPECT_EQ(reading.inputType, InputType::FCPXML);
}

TEST(DocumentChecks, ADocumentWithoutRootIsEmpty) {
    XMLDocument document(xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0")));
    try {
        checkFCPXMLDocument(document);
        FAIL() << "a document without root was accepted";
    } catch (const XMLContentError& error) {
        EXPECT_EQ(error, XMLContentError(XMLContentError::emptyFCPXML));
    }
}

TEST(DocumentChecks, EntitiesStayInertAndTheReadingGoesOn) {
    const Reading reading = read(testing::readerData("external_entity.fcpxml"));
    EXPECT_TRUE(reading.alerts.empty());
    EXPECT_EQ(reading.formats, 1u);
}

TEST(DocumentChecks, AFailureWhileFillingTheStoreLeavesItEmpty) {
    testing::ReadDocument r;
    Store elsewhere;
    // A format that already belongs to another store cannot join this one: the first pass fails.
    elsewhere.insert(r.reader.defaultVideoFormat());
    r.reader.processFCPXML(documentWithVersion("1.11"));
    ASSERT_EQ(r.alerts.alerts.size(), 1u);
    EXPECT_EQ(r.alerts.alerts.front().messageText, "There is a problem with this FCPXML");
    EXPECT_FALSE(r.alerts.alerts.front().informativeText.empty());
    EXPECT_TRUE(contains(r.log.str(), r.alerts.alerts.front().informativeText + "\n"));
    EXPECT_TRUE(r.store.fetch<VideoFormat>().empty());
    EXPECT_TRUE(r.store.fetch<Asset>().empty());
}

// Counts the formats in the store at the moment each alert is shown.
class StoreWatchingAlerts : public AlertPresenter {
public:
    explicit StoreWatchingAlerts(const Store& store) : store_(store) {}
    void showAlert(std::string_view, std::string_view) override {
        formatsSeen.push_back(store_.fetch<VideoFormat>().size());
    }
    std::vector<std::size_t> formatsSeen;

private:
    const Store& store_;
};

TEST(DocumentChecks, TheStoreIsEmptiedBeforeTheAlertIsShown) {
    Store store;
    StoreWatchingAlerts alerts(store);
    std::ostringstream log;
    // The first asset read fails, after the formats are in the store.
    FCPXMLReader reader(store, alerts, log, [] { throw std::runtime_error("interrupted"); });
    reader.processFCPXML(documentWithVersion("1.11"));
    EXPECT_TRUE(contains(log.str(), "\"formats:\" 2\n")) << "the failure came after filling started";
    EXPECT_EQ(alerts.formatsSeen, std::vector<std::size_t>{0});
}

}  // namespace
}  // namespace tallyvane
