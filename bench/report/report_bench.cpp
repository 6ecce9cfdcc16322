// The cost of the width bookkeeping that every written cell goes through, and of a whole
// markers sheet of many ranges.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "model/marked_range.h"
#include "report/column_widths.h"
#include "report/markers_sheet.h"

namespace tallyvane {
namespace {

void BM_GraphemeCount(benchmark::State& state, std::string text) {
    GraphemeCounter counter;
    for (auto _ : state) benchmark::DoNotOptimize(counter.count(text));
}
BENCHMARK_CAPTURE(BM_GraphemeCount, ascii, std::string("Interview_A_take_03.mov"));
BENCHMARK_CAPTURE(BM_GraphemeCount, accented, std::string("Entrevue \u00E9t\u00E9 \u25B8 Dialogue"));

void BM_MarkersSheet(benchmark::State& state) {
    std::vector<std::shared_ptr<MarkedRange>> ranges;
    for (std::int64_t i = 0; i < state.range(0); ++i) {
        ranges.push_back(std::make_shared<MarkedRange>(nullptr, "Marker " + std::to_string(i), "note",
                                                       std::vector<std::string>{}, 0.0,
                                                       static_cast<double>((i * 7919) % 100000), 0.0, true,
                                                       "Standard"));
    }
    std::string folder = (std::filesystem::temp_directory_path() / "report_bench_XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    std::ostringstream log;
    for (auto _ : state) {
        ReportContext context;
        context.diagnostics = log;
        context.currentInputType = InputType::FCPXML;
        context.workbook.emplace(folder + "/bench.xlsx", xlsx::WriteOrder::rowByRow, log);
        writeMarkersSheet(context, ranges, SheetTitle::markers, true);
        context.workbook->close();
        log.str({});
    }
    std::filesystem::remove_all(folder);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MarkersSheet)->Arg(1000)->Arg(50000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallyvane
