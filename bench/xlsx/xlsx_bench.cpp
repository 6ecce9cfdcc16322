// The budget for one large sheet: 100,000 rows of 30 cells written and closed in under
// 3 seconds and 600 MB. Each run happens in a child process so that its peak resident size
// is its own; the wall time of the child is the iteration time.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "xlsx/workbook.h"

namespace {

using tallyvane::xlsx::Cell;
using tallyvane::xlsx::Workbook;
using tallyvane::xlsx::WriteOrder;

constexpr int kRows = 100000;
constexpr int kColumns = 30;

// Half the cells distinct texts, half numbers, as in a clip sheet.
void writeSheet(const std::string& path, WriteOrder order) {
    Workbook workbook(path, order);
    auto format = workbook.addFormat().fontName("Helvetica").fontSize(11).numberFormat("#,##0");
    auto sheet = workbook.addWorksheet("Selected Roles");
    std::string text;
    for (int row = 0; row < kRows; ++row) {
        for (int col = 0; col < kColumns; ++col) {
            if (col % 2 == 0) {
                text = "Clip " + std::to_string(row) + " \u25B8 Dialogue " + std::to_string(col);
                sheet.write(text, Cell(row, col), format);
            } else {
                sheet.write(row * 1.5 + col, Cell(row, col), format);
            }
        }
    }
    workbook.close();
}

void BM_LargeSheet(benchmark::State& state, WriteOrder order) {
    const auto path = std::filesystem::temp_directory_path() / ("xlsx_bench_" + std::to_string(getpid()) + ".xlsx");
    double peakMegabytes = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        if (child == 0) {
            try {
                writeSheet(path.string(), order);
            } catch (...) {
                _exit(1);
            }
            _exit(0);
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("writing the workbook failed");
            break;
        }
        peakMegabytes = std::max(peakMegabytes, usage.ru_maxrss / 1024.0);
    }
    state.counters["peak_MB"] = peakMegabytes;
    state.counters["cells"] = static_cast<double>(kRows) * kColumns;
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

BENCHMARK_CAPTURE(BM_LargeSheet, rowByRow, WriteOrder::rowByRow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_LargeSheet, anyOrder, WriteOrder::anyOrder)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
