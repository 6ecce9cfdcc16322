#include "printers.h"
#include "xml/html_document.h"
#include "xml/text_encoding.h"
#include "xml/xml_document.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <climits>
#include <functional>
#include <stdexcept>
#include <vector>
#include <string>
#include <string_view>

namespace tallyvane {
namespace {

// The error `make` throws, or noError when it throws none.
XMLError errorOf(const std::function<void()>& make) {
    try {
        make();
    } catch (const XMLError& error) {
        return error;
    }
    return XMLError::noError();
}

TEST(XMLDocumentParse, RefusedInputGivesItsError) {
    const XMLError empty = XMLError::libXMLError(4, "Document is empty");
    const char small[] = "<a/>";
    struct Case { const char* name; std::function<void()> make; XMLError expected; };
    const Case cases[] = {
        {"unsupported encoding", [] { parse("<?xml version=\"1.0\" encoding=\"x-nonsense\"?><a>hi</a>"); },
         XMLError::libXMLError(32, "Unsupported encoding x-nonsense")},
        {"empty C characters", [] { XMLDocument::fromCCharacters(""); }, empty},
        {"empty string", [] { XMLDocument::fromString("", "UTF-8"); }, empty},
        {"empty buffer", [] { XMLDocument::fromBuffer("", 0); }, empty},
        {"empty HTML", [] { HTMLDocument::fromBuffer("", 0); }, XMLError::noError()},  // the HTML parser makes a document
        // Without even a buffer libxml2 gives no document and records nothing.
        {"no buffer", [] { XMLDocument::fromBuffer(nullptr, 0); }, XMLError::parserFailure()},
        {"no data", [] { XMLDocument::fromData({}); }, XMLError::parserFailure()},
        // libxml2 takes an int count; the guard must act before anything is read.
        {"count beyond int", [&] { XMLDocument::fromBuffer(small, static_cast<std::size_t>(INT_MAX) + 1); },
         XMLError::invalidData()},
        {"small buffer", [&] { XMLDocument::fromBuffer(small, sizeof small - 1); }, XMLError::noError()},
    };
    for (const auto& c : cases) EXPECT_EQ(errorOf(c.make), c.expected) << c.name;
}

TEST(XMLDocumentParse, MalformedTextIsRecoveredWithoutError) {
    struct Case { std::string text; std::optional<std::string> rootTag; std::string rootText; };
    const Case cases[] = {
        {"<a><b>x</a>", "a", "x"},
        {"<a>t\xC3(u</a>", "a", "t\xEF\xBF\xBD(u"},  // a broken sequence is replaced, not dropped
        {"  ", std::nullopt, ""},
        {"hello", std::nullopt, ""},
    };
    for (const auto& c : cases) {
        XMLDocument doc = parse(c.text);
        ASSERT_EQ(doc.root().has_value(), c.rootTag.has_value()) << c.text;
        if (c.rootTag) {
            EXPECT_EQ(doc.root()->tag(), c.rootTag);
            EXPECT_EQ(doc.root()->stringValue(), c.rootText);
        } else {
            EXPECT_EQ(doc.description(), "");
            EXPECT_TRUE(doc.xpath("//*").isEmpty());
            EXPECT_NO_THROW(doc.checkedXPath("//*"));
            EXPECT_FALSE(doc.firstChildByXPath("//*"));
            EXPECT_FALSE(doc.firstChildByCSS("a"));
            EXPECT_FALSE(doc.evaluate("1"));
        }
    }
}

TEST(XMLDocumentParse, ObserverSeesEachElementAsItIsMadeInDocumentOrder) {
    struct Case { std::string text; std::vector<std::string> seen; };
    const Case cases[] = {
        // Each seen as "tag:attributes:children" at the moment it is reported.
        {"<r><a x=\"1\" y=\"2\"><b/></a>text<c z=\"3\"/></r>", {"a:2:0", "b:0:0", "c:1:0"}},
        {"<r/>", {}},  // the root is not reported
        {"<r><a><b></r>", {"a:0:0", "b:0:0"}},  // recovered
        {"<!DOCTYPE r [<!ENTITY e \"<hidden/>\">]><r>&e;<d/>&e;</r>", {"d:0:0"}},  // entity text is not
    };
    for (const auto& c : cases) {
        std::vector<std::string> seen;
        const auto observe = [&](xmlNodePtr element) {
            std::size_t attributes = 0;
            for (xmlAttrPtr a = element->properties; a != nullptr; a = a->next) ++attributes;
            seen.push_back(std::string(reinterpret_cast<const char*>(element->name)) + ':' +
                           std::to_string(attributes) + ':' + (element->children ? "1" : "0"));
        };
        const XMLDocument doc = XMLDocument::fromBuffer(c.text.data(), c.text.size(), {.observeElement = observe});
        EXPECT_EQ(seen, c.seen) << c.text;
        EXPECT_TRUE(doc.root()) << c.text;
    }
}

TEST(XMLDocumentParse, WhatTheObserverThrowsStopsTheParseAndIsThrownOn) {
    const std::string text = "<r><a/><b/><c/></r>";
    std::vector<std::string> seen;
    const auto observe = [&](xmlNodePtr element) {
        seen.emplace_back(reinterpret_cast<const char*>(element->name));
        if (seen.back() == "b") throw std::length_error("enough");
    };
    EXPECT_THROW(XMLDocument::fromBuffer(text.data(), text.size(), {.observeElement = observe}), std::length_error);
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b"}));
}

TEST(XMLDocumentParse, IDsAreRegisteredUnlessAskedNotTo) {
    const std::string text = "<!DOCTYPE r [<!ATTLIST a key ID #IMPLIED>]><r><a key=\"k1\" n=\"1\"/><a key=\"k2\"/></r>";
    const XMLDocument registered = XMLDocument::fromBuffer(text.data(), text.size());
    const XMLDocument unregistered = XMLDocument::fromBuffer(text.data(), text.size(), {.observeElement = {}, .registersIDs = false});
    EXPECT_EQ(registered.xpath("id('k1')").count(), 1u);
    EXPECT_EQ(unregistered.xpath("id('k1')").count(), 0u);
    // Nothing else of the tree differs.
    EXPECT_EQ(unregistered.description(), registered.description());
    EXPECT_EQ(unregistered.xpath("//a[@key='k2']").count(), 1u);
}

TEST(XMLDocumentParse, WhitespaceBetweenElementsIsLeftOutWhereAsked) {
    struct Case { std::string text; std::string tree; };
    const Case cases[] = {
        {"<r>\n  <a/>\n  <b>\n    <c/>\n  </b>\n</r>", "<r><a/><b><c/></b></r>"},
        {"<r>  </r>", "<r>  </r>"},  // no element to stand between
        {"<r> x <a/> </r>", "<r> x <a/></r>"},
        {"<r><a/> <!--c--> <b/></r>", "<r><a/> <!--c--> <b/></r>"},
        {"<r><a/> <?p d?> <b/></r>", "<r><a/> <?p d?> <b/></r>"},
        {"<r><a/> <![CDATA[ ]]> <b/></r>", "<r><a/> <![CDATA[ ]]> <b/></r>"},
        {"<!DOCTYPE r [<!ENTITY e \"v\">]><r><a/> &e; <b/></r>", "<r><a/> &e; <b/></r>"},
        {"<r><a/> &amp; <b/></r>", "<r><a/> &amp; <b/></r>"},
        {"<r><a/> &#32;\t<b/></r>", "<r><a/><b/></r>"},  // a character reference to a space is one
        {"<r><keep>\n  <a/>\n</keep>\n</r>", "<r><keep>\n  <a/>\n</keep></r>"},  // the parent says no
        {"<r>\n <a/>\n <b>", "<r><a/><b/></r>"},  // recovered at the cut
    };
    const auto dropsSpacingIn = [](const xmlNode* parent) {
        return std::string_view(reinterpret_cast<const char*>(parent->name)) != "keep";
    };
    for (const auto& c : cases) {
        std::vector<std::string> seen;
        const auto observe = [&](xmlNodePtr element) { seen.emplace_back(reinterpret_cast<const char*>(element->name)); };
        const XMLDocument doc = XMLDocument::fromBuffer(
            c.text.data(), c.text.size(), {.observeElement = observe, .registersIDs = true, .dropsSpacingIn = dropsSpacingIn});
        EXPECT_EQ(doc.description(), c.tree) << c.text;
        // The elements are those of the full tree, reported as before.
        const XMLDocument full = XMLDocument::fromBuffer(c.text.data(), c.text.size());
        std::vector<std::string> elements;
        for (const XMLElement& element : full.xpath("/*//*")) elements.push_back(*element.tag());
        EXPECT_EQ(seen, elements) << c.text;
    }
}

TEST(XMLDocumentParse, CCharactersIncludeTheirTerminatingNul) {
    XMLDocument doc = XMLDocument::fromCCharacters("<fcpxml version=\"1.10\"><library/></fcpxml>");
    ASSERT_TRUE(doc.root());
    EXPECT_EQ(doc.root()->attr("version"), "1.10");
    EXPECT_EQ(doc.description(), "<fcpxml version=\"1.10\"><library/></fcpxml>");
}

TEST(XMLDocumentParse, TextIsConvertedToTheRequestedEncoding) {
    struct Case { std::string text; std::string encoding; std::optional<std::string> rootText; };
    const Case cases[] = {
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>caf\xC3\xA9</a>", "ISO-8859-1", "caf\xC3\xA9"},
        {"<a>caf\xC3\xA9 \xE2\x96\xB8</a>", "UTF-16", "caf\xC3\xA9 \xE2\x96\xB8"},
        {"<a>caf\xC3\xA9</a>", "utf-8", "caf\xC3\xA9"},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>\xE2\x82\xAC</a>", "ISO-8859-1", std::nullopt},  // no euro sign
        {"<a/>", "no-such-charset", std::nullopt},
        {"<a>\xFF</a>", "UTF-8", std::nullopt},  // the text itself is not UTF-8
    };
    for (const auto& c : cases) {
        if (c.rootText) {
            XMLDocument doc = XMLDocument::fromString(c.text, c.encoding);
            ASSERT_TRUE(doc.root()) << c.encoding;
            EXPECT_EQ(doc.root()->stringValue(), *c.rootText) << c.encoding;
        } else {
            EXPECT_EQ(errorOf([&] { XMLDocument::fromString(c.text, c.encoding); }), XMLError::invalidData()) << c.encoding;
        }
    }
}

TEST(XMLDocumentProperties, VersionAndEncodingAsDeclared) {
    struct Case { std::string text; std::optional<std::string> version; std::string encoding; };
    const Case cases[] = {
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><a/>", "1.0", "UTF-8"},
        {"<?xml version=\"1.0\" encoding=\"latin1\"?><a/>", "1.0", "ISO-8859-1"},
        {"<?xml version=\"1.0\" encoding=\"windows-1252\"?><a/>", "1.0", "windows-1252"},
        {"<a/>", "1.0", "UTF-8"},  // libxml2 records 1.0 for a document without a declaration
    };
    for (const auto& c : cases) {
        XMLDocument doc = parse(c.text);
        EXPECT_EQ(doc.version(), c.version) << c.text;
        EXPECT_EQ(doc.encoding(), c.encoding) << c.text;
    }
}

TEST(XMLDocumentProperties, EncodingNamesWithoutACharacterSetFallBackToUtf8) {
    struct Case { const char* declared; std::string expected; };
    const Case cases[] = {
        {nullptr, "UTF-8"}, {"x-nonsense", "UTF-8"}, {"\xFF\xFE", "UTF-8"},
        {"Shift_JIS", "Shift_JIS"}, {"ascii", "US-ASCII"}, {"UTF-16", "UTF-16"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(detail::preferredEncodingName(c.declared), c.expected) << (c.declared ? c.declared : "null");
    }
}

TEST(XMLDocumentProperties, LaterNamespaceDefinitionReplacesEarlier) {
    XMLDocument doc = parse("<a xmlns:x=\"urn:two\"><x:b/></a>");
    doc.defineNamespacePrefix("x", "urn:one");
    doc.registerNamespace("x", "urn:two");
    EXPECT_EQ(doc.namespaces(), (std::map<std::string, std::string>{{"x", "urn:two"}}));
    EXPECT_EQ(doc.xpath("//x:b").count(), 1u);
}

TEST(XMLDocumentProperties, LineNumbersStayRightPastSixtyFiveThousandLines) {
    std::string text = "<a>\n";
    for (int i = 0; i < 70000; ++i) text += "<b/>\n";
    text += "<c>x</c>\n</a>";
    XMLDocument doc = parse(text);
    EXPECT_EQ(doc.root()->lineNumber(), 1);
    EXPECT_EQ(doc.root()->firstChild("b")->lineNumber(), 2);
    EXPECT_EQ(doc.root()->firstChild("c")->lineNumber(), 70002);
}

TEST(XMLErrorText, CaseNameWithLabelledPayload) {
    struct Case { XMLError error; std::string text; };
    const Case cases[] = {
        {XMLError::libXMLError(4, "Document is empty"), "libXMLError(code: 4, message: \"Document is empty\")"},
        {XMLError::libXMLError(1, "say \"hi\"\n"), "libXMLError(code: 1, message: \"say \\\"hi\\\"\\n\")"},
        {XMLError::xpathError(1207), "xpathError(code: 1207)"},
        {XMLError::noError(), "noError"},
    };
    for (const auto& c : cases) EXPECT_EQ(std::string(c.error.what()), c.text);
}

TEST(XMLErrorLastError, TakesLibxmlsRecordedErrorOnce) {
    xmlResetLastError();
    EXPECT_EQ(XMLError::lastError(XMLError::invalidData()), XMLError::invalidData());
    const char broken[] = "<a>";
    xmlFreeDoc(xmlReadMemory(broken, sizeof broken - 1, "", nullptr, XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    // libxml2's message ends in a line feed.
    EXPECT_EQ(XMLError::lastError(XMLError::parserFailure()),
              XMLError::libXMLError(XML_ERR_TAG_NOT_FINISHED, "Premature end of data in tag a line 1"));
    EXPECT_EQ(XMLError::lastError(XMLError::parserFailure()), XMLError::parserFailure());

    // An error left by earlier work is not taken for that of a failed parse.
    xmlFreeDoc(xmlReadMemory(broken, sizeof broken - 1, "", nullptr, XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    EXPECT_EQ(errorOf([] { XMLDocument::fromBuffer(nullptr, 0); }), XMLError::parserFailure());
    // Nor what a recovered parse got over for a later failure.
    parse("<a><b></a>");
    EXPECT_EQ(XMLError::lastError(XMLError::noError()), XMLError::noError());
}

TEST(XMLDocumentFormatters, DefaultsReadNumbersAndTimestampsOfTheWholeText) {
    XMLDocument doc = parse("<r><n>42</n><n>-7</n><n></n><n>12abc</n><n> </n>"
                            "<d>2024-01-02T03:04:05+0100</d><d>2024-01-02T03:04:05-0530</d>"
                            "<d>2024-01-02</d><d>2024-01-02T03:04:05+0100 later</d></r>");
    std::vector<std::optional<double>> numbers;
    for (const XMLElement& n : doc.root()->children("n")) numbers.push_back(n.numberValue());
    EXPECT_EQ(numbers, (std::vector<std::optional<double>>{42.0, -7.0, std::nullopt, std::nullopt, std::nullopt}));

    using namespace std::chrono;
    const XMLDate base = sys_days{2024y / 1 / 2};
    std::vector<std::optional<XMLDate>> dates;
    for (const XMLElement& d : doc.root()->children("d")) dates.push_back(d.dateValue());
    EXPECT_EQ(dates, (std::vector<std::optional<XMLDate>>{base + 2h + 4min + 5s, base + 8h + 34min + 5s,
                                                          std::nullopt, std::nullopt}));
}

TEST(XMLDocumentFormatters, RootKeepsItsValuesAcrossReadsOfTheDocument) {
    XMLDocument doc = parse("<n>7</n>");
    auto formatterGiving = [](double value) {
        return [value](const std::string&) -> std::optional<double> { return value; };
    };
    doc.setNumberFormatter(formatterGiving(1));
    ASSERT_EQ(doc.root()->numberValue(), 1.0);
    doc.setNumberFormatter(formatterGiving(2));
    // The root is one element made with the document, however it is reached...
    EXPECT_EQ(doc.root()->numberValue(), 1.0);
    EXPECT_EQ(XMLDocument(doc).root()->numberValue(), 1.0);
    EXPECT_EQ(doc.root()->document().root()->numberValue(), 1.0);
    // ...while a relative is a new element that reads afresh.
    EXPECT_EQ(doc.root()->firstChild("text")->parent()->numberValue(), 2.0);
}

TEST(HTMLDocumentTest, HeadBodyAndTitleIgnoreCase) {
    HTMLDocument doc = HTMLDocument::fromCCharacters(
        "<HTML><HEAD><TITLE>Cut &amp; Print</TITLE></HEAD><BODY><p id=main>Hi<br></BODY></HTML>");
    ASSERT_TRUE(doc.root());
    EXPECT_TRUE(doc.root()->isHTML());
    EXPECT_EQ(doc.title(), "Cut & Print");
    ASSERT_TRUE(doc.head());
    EXPECT_EQ(doc.head()->tag(), "head");
    ASSERT_TRUE(doc.body());
    EXPECT_EQ(doc.body()->rawXML(), "<body><p id=\"main\">Hi<br></p></body>");
    EXPECT_EQ(doc.css("#main").count(), 1u);
    EXPECT_EQ(doc.root()->firstChild("HEAD"), doc.head());
}

TEST(HTMLDocumentTest, NodesOfEveryKindSerialiseAsHTML) {
    HTMLDocument doc = HTMLDocument::fromCCharacters("<html><body><p id=x>a<!--c-->b</p></body></html>");
    struct Case { std::string expression; std::string markup; std::string text; };
    const Case cases[] = {
        {"//p", "<p id=\"x\">a<!--c-->b</p>", "ab"},
        {"//@id", " id=\"x\"", "x"},
        {"//p/text()", "a", "a"},
        {"//comment()", "<!--c-->", "c"},
        {"/html/namespace::xml", "", "http://www.w3.org/XML/1998/namespace"},
    };
    for (const auto& c : cases) {
        NodeSet set = doc.xpath(c.expression);
        ASSERT_FALSE(set.isEmpty()) << c.expression;
        EXPECT_EQ(set[0].rawXML(), c.markup) << c.expression;
        EXPECT_EQ(set[0].stringValue(), c.text) << c.expression;
    }
    XMLElement documentNode = doc.xpath("/")[0];
    EXPECT_EQ(documentNode.type(), XML_HTML_DOCUMENT_NODE);
    EXPECT_NE(documentNode.rawXML().find("<p id=\"x\">"), std::string::npos);
}

TEST(HTMLDocumentTest, MissingPartsAreAbsent) {
    HTMLDocument doc = HTMLDocument::fromCCharacters("<p>text only</p>");
    ASSERT_TRUE(doc.root());
    EXPECT_FALSE(doc.head());
    EXPECT_FALSE(doc.title());
    EXPECT_TRUE(doc.body());
    EXPECT_FALSE(parse("<p>text only</p>").root()->isHTML());
}

}  // namespace
}  // namespace tallyvane
