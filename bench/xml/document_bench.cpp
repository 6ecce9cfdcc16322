// A feature-length timeline: parsing it and walking it the way the project reader does.

#include "xml/xml_document.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using tallyvane::XMLDocument;
using tallyvane::XMLElement;

std::string timeline(int clips) {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE fcpxml>\n<fcpxml version=\"1.10\">\n"
                       "  <resources>\n    <format id=\"r1\" frameDuration=\"1/25s\" width=\"1920\" height=\"1080\"/>\n";
    for (int i = 0; i < clips; ++i) {
        text += "    <asset id=\"a" + std::to_string(i) + "\" name=\"Clip " + std::to_string(i) +
                "\" start=\"0s\" duration=\"100s\" hasVideo=\"1\" format=\"r1\"/>\n";
    }
    text += "  </resources>\n  <library>\n    <event name=\"Day 1\">\n      <project name=\"Feature\">\n"
            "        <sequence format=\"r1\" duration=\"7200s\">\n          <spine>\n";
    for (int i = 0; i < clips; ++i) {
        const std::string n = std::to_string(i);
        text += "            <asset-clip ref=\"a" + n + "\" offset=\"" + n + "s\" name=\"Clip " + n +
                "\" duration=\"1s\" tcFormat=\"NDF\">\n"
                "              <marker start=\"0s\" duration=\"1/25s\" value=\"M" + n + "\"/>\n"
                "              <keyword start=\"0s\" duration=\"1s\" value=\"k\"/>\n"
                "            </asset-clip>\n";
    }
    return text + "          </spine>\n        </sequence>\n      </project>\n    </event>\n  </library>\n</fcpxml>\n";
}

void BM_Parse(benchmark::State& state) {
    const std::string text = timeline(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        XMLDocument doc = XMLDocument::fromBuffer(text.data(), text.size());
        benchmark::DoNotOptimize(doc.root());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Parse)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_WalkSpine(benchmark::State& state) {
    const std::string text = timeline(static_cast<int>(state.range(0)));
    XMLDocument doc = XMLDocument::fromBuffer(text.data(), text.size());
    for (auto _ : state) {
        std::size_t markers = 0;
        for (const XMLElement& clip : doc.xpath("//spine/*")) {
            benchmark::DoNotOptimize(clip.attr("ref"));
            benchmark::DoNotOptimize(clip.attr("offset"));
            benchmark::DoNotOptimize(clip.tag());
            markers += clip.xpath("./marker").count();
        }
        benchmark::DoNotOptimize(markers);
    }
}
BENCHMARK(BM_WalkSpine)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_LookUpAssetById(benchmark::State& state) {
    const std::string text = timeline(static_cast<int>(state.range(0)));
    XMLDocument doc = XMLDocument::fromBuffer(text.data(), text.size());
    XMLElement resources = *doc.firstChildByXPath("resources");
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(resources.firstChildByXPath("asset[@id='a" + std::to_string(i++ % 1000) + "']"));
    }
}
BENCHMARK(BM_LookUpAssetById)->Arg(1000);

}  // namespace
