// The project's sample exports read through the layer: the walking reads and the XPath
// reads must agree on every one of them.

#include "printers.h"
#include "xml/xml_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tallyvane {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> samples() {
    std::vector<fs::path> paths;
    for (const auto& entry : fs::recursive_directory_iterator(TALLYVANE_SAMPLES_DIR)) {
        if (entry.is_regular_file() && entry.path().extension() == ".fcpxml") paths.push_back(entry.path());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::size_t elementsBelow(const XMLElement& element) {
    std::size_t count = 1;
    for (const XMLElement& child : element.children()) count += elementsBelow(child);
    return count;
}

TEST(Samples, WalkingAndXPathAgree) {
    const std::vector<fs::path> paths = samples();
    ASSERT_GE(paths.size(), 18u);
    for (const fs::path& path : paths) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        const std::string text = bytes.str();
        XMLDocument doc = XMLDocument::fromBuffer(text.data(), text.size());
        std::optional<XMLElement> root = doc.root();
        ASSERT_TRUE(root) << path;
        EXPECT_EQ(root->tag(), "fcpxml") << path;
        EXPECT_EQ(root->attr("version").value_or("").rfind("1.", 0), 0u) << path;
        EXPECT_EQ(doc.encoding(), "UTF-8") << path;
        EXPECT_EQ(static_cast<double>(elementsBelow(*root)), doc.evaluate("count(//*)")->doubleValue()) << path;

        // Every reference resolves: clips to one resource, text styles to their definitions.
        for (const XMLElement& user : doc.xpath("//*[@ref]")) {
            const std::string ref = *user.attr("ref");
            if (user.tag() == "text-style") {
                EXPECT_GE(doc.xpath("//text-style-def[@id='" + ref + "']").count(), 1u) << path << " ref " << ref;
            } else {
                EXPECT_EQ(doc.xpath("/fcpxml/resources/*[@id='" + ref + "']").count(), 1u) << path << " ref " << ref;
            }
        }
        NodeSet formats = doc.css("resources > format");
        EXPECT_EQ(formats.count(), root->firstChild("resources")->children("format").size()) << path;
    }
}

}  // namespace
}  // namespace tallyvane
