// The whole report road of the command-line tool: the bytes as a document file, opened,
// analysed and saved as a workbook with every extra sheet.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>

#include "cli_arguments.h"
#include "cli_run.h"

namespace fs = std::filesystem;

namespace {

fs::path makeWorkFolder() {
    std::string pattern = (fs::temp_directory_path() / "tallyvane-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path folder = makeWorkFolder();
    static const std::string support = (folder / "support").string();
    const fs::path document = folder / "project.fcpxml";
    {
        std::ofstream out(document, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    tallyvane::cli::Arguments arguments;
    arguments.command = tallyvane::cli::Command::save;
    arguments.file = document;
    arguments.output = folder / "report.xlsx";
    std::ostream discarded(nullptr);
    tallyvane::cli::run(
        arguments,
        [](const char* name) -> const char* {
            return std::string_view(name) == "TALLYVANE_SUPPORT_DIR" ? support.c_str() : nullptr;
        },
        discarded, discarded);
    return 0;
}
