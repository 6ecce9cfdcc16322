// Reading a feature-length timeline: the whole reader next to libxml2 parsing the same
// bytes alone, and the peak memory of the process against the document's size.
//
//   build/bench/reader/reader_bench

#include <sys/resource.h>

#include <libxml/parser.h>

#include <benchmark/benchmark.h>

#include <ostream>
#include <string>

#include "model/store.h"
#include "reader/fcpxml_reader.h"

namespace tallyvane {
namespace {

constexpr int kAssets = 200;
constexpr long kSmall = 11000;
constexpr long kLarge = 33000;

class SilentAlerts : public AlertPresenter {
public:
    void showAlert(std::string_view, std::string_view) override {}
};

std::string seconds(long frames) { return std::to_string(frames * 100) + "/2500s"; }

// Clips with markers, keywords, metadata, effects, retiming, connected clips and titles,
// a transition every tenth clip, a multicam clip every hundredth.
std::string featureLengthTimeline(long clips) {
    std::string text = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE fcpxml>
<fcpxml version="1.11"><resources>
<format id="r1" name="FFVideoFormat1080p25" frameDuration="100/2500s" width="1920" height="1080"/>
<effect id="e1" name="Basic Title" uid=".../Titles.localized/Basic Title.moti"/>
)";
    for (int a = 0; a < kAssets; ++a) {
        text += "<asset id=\"a" + std::to_string(a) + "\" name=\"Shot " + std::to_string(a) +
                "\" start=\"0s\" duration=\"3600s\" hasVideo=\"1\" hasAudio=\"1\" format=\"r1\" audioSources=\"1\">"
                "<media-rep kind=\"original-media\" src=\"file:///Volumes/Media/shot" + std::to_string(a) +
                ".mov\"/><metadata><md key=\"com.apple.proapps.studio.reel\" value=\"A00" + std::to_string(a % 10) +
                "\"/><md key=\"com.apple.proapps.mio.cameraName\" value=\"Cam\"/></metadata></asset>\n";
    }
    text += R"(<media id="m1" name="Multicam"><multicam format="r1" tcStart="0s">
<mc-angle name="A" angleID="A"><asset-clip ref="a0" offset="0s" start="0s" duration="3600s" name="Angle A"/></mc-angle>
<mc-angle name="B" angleID="B"><asset-clip ref="a1" offset="0s" start="0s" duration="3600s" name="Angle B"/></mc-angle>
</multicam></media>
</resources><library><event name="Feature"><project name="Feature Cut"><sequence format="r1" duration=")" +
            seconds(clips * 100L) + R"(" tcStart="3600s" tcFormat="NDF" audioRate="48k"><spine>
)";
    for (long i = 0; i < clips; ++i) {
        const std::string offset = seconds(i * 100);
        const std::string start = seconds(1000 + (i % 50) * 10);
        if (i % 100 == 99) {
            text += "<mc-clip ref=\"m1\" name=\"MC " + std::to_string(i) + "\" offset=\"" + offset + "\" start=\"" +
                    start + "\" duration=\"" + seconds(100) +
                    "\"><mc-source angleID=\"A\" srcEnable=\"video\"/><mc-source angleID=\"B\" srcEnable=\"audio\"/>"
                    "</mc-clip>\n";
            continue;
        }
        text += "<asset-clip ref=\"a" + std::to_string(i % kAssets) + "\" name=\"Clip " + std::to_string(i) +
                "\" offset=\"" + offset + "\" start=\"" + start + "\" duration=\"" + seconds(100) +
                "\" audioRole=\"dialogue\" tcFormat=\"NDF\">"
                "<note>Take notes for clip " + std::to_string(i) + "</note>"
                "<adjust-transform position=\"1 2\" scale=\"1.1 1.1\"/><adjust-volume amount=\"-3dB\"/>"
                "<filter-video ref=\"e1\" name=\"Color Board\"/>"
                "<marker start=\"" + seconds(1005 + (i % 50) * 10) + "\" duration=\"" + seconds(1) +
                "\" value=\"Marker " + std::to_string(i) + "\" note=\"look here\"/>"
                "<keyword start=\"" + start + "\" duration=\"" + seconds(50) + "\" value=\"Keyword\"/>"
                "<metadata><md key=\"com.apple.proapps.studio.scene\" value=\"12\"/></metadata>";
        if (i % 20 == 0) {
            text += "<timeMap frameSampling=\"optical-flow\"><timept time=\"0s\" value=\"0s\"/>"
                    "<timept time=\"10s\" value=\"20s\"/></timeMap>";
        }
        if (i % 5 == 0) {
            text += "<asset-clip ref=\"a" + std::to_string((i + 7) % kAssets) + "\" lane=\"1\" name=\"B-roll " +
                    std::to_string(i) + "\" offset=\"" + start + "\" start=\"0s\" duration=\"" + seconds(40) +
                    "\"/><title ref=\"e1\" lane=\"2\" name=\"Title\" offset=\"" + start + "\" duration=\"" +
                    seconds(30) + "\"><text><text-style ref=\"ts" + std::to_string(i) + "\">Name " +
                    std::to_string(i) + "</text-style></text><text-style-def id=\"ts" + std::to_string(i) +
                    "\"><text-style font=\"Helvetica\" fontFace=\"Regular\" fontSize=\"60\"/></text-style-def>"
                    "</title>";
        }
        text += "</asset-clip>\n";
        if (i % 10 == 9) {
            text += "<transition name=\"Cross Dissolve\" offset=\"" + seconds(i * 100 + 90) + "\" duration=\"" +
                    seconds(20) + "\"><filter-video ref=\"e1\" name=\"Cross Dissolve\"/></transition>\n";
        }
    }
    text += "</spine></sequence></project></event></library></fcpxml>\n";
    return text;
}

// Made once per size for the whole run: 33,000 clips are about 20 MB.
const std::string& document(long clips) {
    static const std::string small = featureLengthTimeline(kSmall);
    static const std::string large = featureLengthTimeline(kLarge);
    return clips == kSmall ? small : large;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_LibXml2ParseOnly(benchmark::State& state) {
    const std::string& text = document(state.range(0));
    for (auto _ : state) {
        xmlDocPtr parsed = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                                         XML_PARSE_RECOVER | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NONET);
        benchmark::DoNotOptimize(parsed);
        xmlFreeDoc(parsed);
    }
    state.counters["documentMB"] = static_cast<double>(text.size()) / (1024.0 * 1024.0);
    state.counters["peakMB"] = peakMegabytes();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LibXml2ParseOnly)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);

void BM_ReadFeatureLengthTimeline(benchmark::State& state) {
    const std::string& text = document(state.range(0));
    // Diagnostics off: a stream without a buffer is in a failed state, and the reader does
    // not build lines that no one reads.
    std::ostream log(nullptr);
    SilentAlerts alerts;
    std::size_t elements = 0;
    for (auto _ : state) {
        Store store;
        FCPXMLReader reader(store, alerts, log);
        reader.processFCPXML(text);
        state.PauseTiming();
        elements = store.fetch<StoryElement>().size();
        store.deleteAll();
        state.ResumeTiming();
    }
    state.counters["documentMB"] = static_cast<double>(text.size()) / (1024.0 * 1024.0);
    state.counters["storyElements"] = static_cast<double>(elements);
    state.counters["peakMB"] = peakMegabytes();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadFeatureLengthTimeline)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallyvane
