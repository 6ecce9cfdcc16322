#include "printers.h"
#include "xml/css_selector.h"
#include "xml/xml_document.h"

#include <gtest/gtest.h>

#include <string>

namespace tallyvane {
namespace {

std::string classTest(const std::string& name) {
    return "[contains(concat(' ',normalize-space(@class),' '),' " + name + " ')]";
}

TEST(CSSSelector, TranslationsToXPath) {
    struct Case { std::string selector; std::string xpath; };
    const Case cases[] = {
        {"div", ".//div"},
        {"*", ".//*"},
        {"div p", ".//div/descendant::p"},
        {"div > p", ".//div/p"},
        {"h1 + p", ".//h1/following-sibling::*[1]/self::p"},
        {"h1 ~ p", ".//h1/following-sibling::p"},
        {"div *", ".//div//*"},
        {"div > *", ".//div//*"},                            // "*" does not take the pending axis...
        {"div > * p", ".//div//*/p"},                        // ...the next element token does
        {"a, b", ".//a | .//b"},
        {"a,,b,", ".//a | .//b"},                            // empty selectors are skipped
        {"#main", ".//*[@id = 'main']"},
        {"#main-part_2", ".//*[@id = 'main-part_2']"},
        {"a[href]", ".//a[@href]"},
        {"a[href][title]", ".//a[@href][@title]"},
        {"div.note", ".//div" + classTest("note")},
        {".a.b", ".//*" + classTest("a") + classTest("b")},
        {"p#x.y[z]", ".//p[@id = 'x']" + classTest("y[z]") + "[@z]"},  // patterns search the whole token
        {"#a#b", ".//*[@id = 'a']"},                          // only the first id counts
        {"  div\tp  ", ".//div/descendant::p"},                // tabs separate, ends are trimmed
        {"div\xE2\x80\x83p", ".//div/descendant::p"},         // EM SPACE is a space separator
        {"a  b", ".//a/descendant::/descendant::b"},          // two spaces make an empty token
        {"", ""},
        {" ", ".//"},
    };
    for (const auto& c : cases) EXPECT_EQ(xpathForCSS(c.selector), c.xpath) << '"' << c.selector << '"';
}

TEST(CSSSelector, QueriesFindWhatTheSelectorSays) {
    XMLDocument doc = XMLDocument::fromCCharacters(
        "<body><div id=\"main\" class=\" box  note \"><h1>T</h1><p n=\"1\"/><p n=\"2\"/><span><p n=\"3\"/></span></div>"
        "<p n=\"4\" href=\"x\"/></body>");
    struct Case { std::string selector; std::vector<std::string> ns; };
    const Case cases[] = {
        {"p", {"1", "2", "3", "4"}},
        {"div p", {"1", "2", "3"}},
        {"div > p", {"1", "2"}},
        {"h1 + p", {"1"}},
        {"h1 ~ p", {"1", "2"}},
        {"#main > span > p", {"3"}},
        {"div.note > p, p[href]", {"1", "2", "4"}},
        {"div.missing p", {}},
        {"a  b", {}},      // fails at evaluation: an empty set
        {"", {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> ns;
        for (const XMLElement& e : doc.css(c.selector)) ns.push_back(e.attr("n").value_or("?"));
        EXPECT_EQ(ns, c.ns) << c.selector;
        EXPECT_EQ(doc.firstChildByCSS(c.selector).has_value(), !c.ns.empty()) << c.selector;
    }
}

}  // namespace
}  // namespace tallyvane
