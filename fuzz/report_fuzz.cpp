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
#include <system_error>

#include "cli_arguments.h"
#include "cli_run.h"

namespace fs = std::filesystem;

namespace {

// The run's folder in the temporary folder, removed when the fuzzer ends its runs (a crash
// leaves it, with the document that caused it).
struct WorkFolder {
    WorkFolder() {
        std::string pattern = (fs::temp_directory_path() / "tallyvane-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        path = pattern;
    }
    ~WorkFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    fs::path path;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const WorkFolder work;
    const fs::path& folder = work.path;
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
