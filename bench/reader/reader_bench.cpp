// Reading a feature-length timeline: the whole reader next to libxml2 parsing the same
// bytes alone, and the peak memory of each against the document's size.
//
//   build/bin/reader_bench
//
// The peak is taken in a process of its own that reads the document from a file, as the
// programs do: in this process the generated texts and the heap left by earlier runs would
// count too.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <libxml/parser.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

#include "model/store.h"
#include "reader/fcpxml_reader.h"
#include "feature_timeline.h"

extern char** environ;

namespace tallyvane {
namespace {

constexpr std::string_view kParseOnly = "--peak-of-parse";
constexpr std::string_view kRead = "--peak-of-read";

class SilentAlerts : public AlertPresenter {
public:
    void showAlert(std::string_view, std::string_view) override {}
};

// Made once per size for the whole run: 10,000 clips are about 22 MB.
const std::string& document(long clips) {
    static std::map<long, std::string> made;
    auto found = made.find(clips);
    if (found == made.end()) found = made.emplace(clips, bench::featureLengthTimeline(clips)).first;
    return found->second;
}

xmlDocPtr parseOnly(const std::string& text) {
    return xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                         XML_PARSE_RECOVER | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NONET);
}

void readInto(Store& store, std::string text) {
    // Diagnostics off, as in the command-line program: a stream without a buffer is in a
    // failed state, and the reader neither builds lines that no one reads nor keeps the
    // layout of the markup for them.
    std::ostream log(nullptr);
    SilentAlerts alerts;
    FCPXMLReader reader(store, alerts, log);
    reader.processFCPXML(std::move(text));
}

// Resident high-water mark of this process in kilobytes.
long peakKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:")) return std::stol(line.substr(6));
    }
    return -1;
}

// The child's side: read the file, do the work, print the peak.
int measureChild(std::string_view mode, const char* path) {
    // Sized once, as the programs read a document: grown by doubling, the text would leave
    // spare room and freed buffers behind that the programs never have.
    std::ifstream file(path, std::ios::binary);
    std::string text(static_cast<std::size_t>(std::filesystem::file_size(path)), '\0');
    if (!file.read(text.data(), static_cast<std::streamsize>(text.size()))) return 1;
    if (mode == kParseOnly) {
        xmlFreeDoc(parseOnly(text));
    } else {
        Store store;
        readInto(store, std::move(text));
    }
    std::cout << peakKilobytes() << '\n';
    return 0;
}

// Peak megabytes of a fresh process doing `mode` on the document; absent when it failed.
std::optional<double> peakOfProcess(std::string_view mode, const std::string& text) {
    char path[] = "/tmp/reader_bench_XXXXXX";
    const int file = mkstemp(path);
    if (file < 0) return std::nullopt;
    const bool written = write(file, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(file);
    int pipeEnds[2];
    std::optional<double> peak;
    if (written && pipe(pipeEnds) == 0) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        const std::string modeText(mode);
        char* argv[] = {const_cast<char*>("reader_bench"), const_cast<char*>(modeText.c_str()), path, nullptr};
        pid_t child = 0;
        const int spawned = posix_spawn(&child, "/proc/self/exe", &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(pipeEnds[1]);
        std::string output;
        char buffer[64];
        for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) output.append(buffer, n);
        close(pipeEnds[0]);
        int status = 0;
        if (spawned == 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
            peak = std::stod(output) / 1024.0;
        }
    }
    unlink(path);
    return peak;
}

void reportSize(benchmark::State& state, const std::string& text, std::string_view mode) {
    const double documentMB = static_cast<double>(text.size()) / (1024.0 * 1024.0);
    state.counters["documentMB"] = documentMB;
    if (const std::optional<double> peak = peakOfProcess(mode, text)) {
        state.counters["peakMB"] = *peak;
        state.counters["peakPerDocument"] = *peak / documentMB;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_LibXml2ParseOnly(benchmark::State& state) {
    const std::string& text = document(state.range(0));
    for (auto _ : state) {
        xmlDocPtr parsed = parseOnly(text);
        benchmark::DoNotOptimize(parsed);
        xmlFreeDoc(parsed);
    }
    reportSize(state, text, kParseOnly);
}
BENCHMARK(BM_LibXml2ParseOnly)->Arg(3000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

// Processor time of this process in seconds.
double processorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Only the read is timed: the copy of the text handed to the reader (the programs hand it
// over, read from the file) and the count and deletion of what was read are not. After
// each read, outside the timed region, libxml2 parses the same text alone: "readPerParse"
// is the ratio of their processor times taken turn about, which a shared machine's load
// sways far less than two figures taken minutes apart.
void BM_ReadFeatureLengthTimeline(benchmark::State& state) {
    const std::string& text = document(state.range(0));
    std::size_t elements = 0;
    double readSeconds = 0.0;
    double parseSeconds = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        Store store;
        std::string handedOver = text;
        state.ResumeTiming();
        const double readStart = processorSeconds();
        readInto(store, std::move(handedOver));
        readSeconds += processorSeconds() - readStart;
        state.PauseTiming();
        elements = store.fetch<StoryElement>().size();
        store.deleteAll();
        const double parseStart = processorSeconds();
        xmlFreeDoc(parseOnly(text));
        parseSeconds += processorSeconds() - parseStart;
        state.ResumeTiming();
    }
    state.counters["storyElements"] = static_cast<double>(elements);
    if (parseSeconds > 0.0) state.counters["readPerParse"] = readSeconds / parseSeconds;
    reportSize(state, text, kRead);
}
BENCHMARK(BM_ReadFeatureLengthTimeline)->Arg(3000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallyvane

int main(int argc, char** argv) {
    using namespace tallyvane;
    if (argc == 3 && (argv[1] == kParseOnly || argv[1] == kRead)) return measureChild(argv[1], argv[2]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
