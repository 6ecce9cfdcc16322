// The whole report of a feature-length timeline next to a yardstick of the same work done
// plainly: `xmllint --noout` on the document, then libxlsxwriter alone in constant-memory
// mode writing the very sheets, rows and cells the report has.
//
//   build/bin/report_save_bench [--cli PATH] [--runs N] [CLIPS...]
//   build/bin/report_save_bench --write-plainly WORKBOOK OUT
//
// Each program runs in a process of its own, as a user runs it. Its cost is the processor
// time it used (user and system), which other work on a shared machine disturbs far less
// than the time on the clock; the median of the runs counts. The peak is the program's own
// resident high-water mark, read from /proc at the moment it exits: the kernel's
// `ru_maxrss` would carry this process's high-water mark into the child's figure, because
// the child starts as a copy of this process. `--cli` times another build of the
// command-line program against the same yardstick. `--write-plainly` only writes the
// yardstick's copy of WORKBOOK to OUT, for counting the writer's instructions under
// `valgrind --tool=callgrind --toggle-collect='*writePlainly*'`.

#include <fcntl.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <archive.h>
#include <archive_entry.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "feature_timeline.h"

namespace {

namespace fs = std::filesystem;

struct Run {
    double seconds = 0.0;
    double peakMB = 0.0;
};

double processorSeconds(const rusage& usage) {
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

Run finished(pid_t child, const std::string& what) {
    int status = 0;
    rusage usage{};
    if (child <= 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(what + " failed");
    }
    return {processorSeconds(usage), static_cast<double>(usage.ru_maxrss) / 1024.0};
}

// The resident high-water mark of a live process, in megabytes.
double peakOf(pid_t process) {
    std::ifstream status("/proc/" + std::to_string(process) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:")) return std::stod(line.substr(6)) / 1024.0;
    }
    return 0.0;
}

// One program run with its output thrown away. The child is traced only so that it stops
// once on its way out, while its memory is still its own, for its peak to be read.
Run runProgram(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int nothing = open("/dev/null", O_WRONLY);
        dup2(nothing, STDOUT_FILENO);
        dup2(nothing, STDERR_FILENO);
        ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    if (child < 0) throw std::runtime_error("cannot start " + arguments[0]);
    Run run;
    int status = 0;
    rusage usage{};
    bool tracing = false;
    while (wait4(child, &status, 0, &usage) == child) {
        if (WIFEXITED(status) || WIFSIGNALED(status)) {
            if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error(arguments[0] + " failed");
            run.seconds = processorSeconds(usage);
            return run;
        }
        int passOn = 0;
        if (!tracing) {
            // The stop after exec: from here on only the exit stops the program.
            ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACEEXIT | PTRACE_O_EXITKILL);
            tracing = true;
        } else if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8))) {
            run.peakMB = peakOf(child);
        } else {
            passOn = WSTOPSIG(status);
        }
        ptrace(PTRACE_CONT, child, nullptr, passOn);
    }
    throw std::runtime_error(arguments[0] + " was lost");
}

struct PlannedCell {
    lxw_col_t column = 0;
    int style = 0;
    enum class Kind { number, text, boolean, blank } kind = Kind::blank;
    double number = 0.0;
    std::string text;
};

struct PlannedRow {
    lxw_row_t row = 0;
    std::vector<PlannedCell> cells;
};

struct PlannedSheet {
    std::string name;
    std::vector<PlannedRow> rows;
};

std::map<std::string, std::string> xlsxParts(const fs::path& workbook) {
    std::map<std::string, std::string> parts;
    archive* zip = archive_read_new();
    archive_read_support_format_zip(zip);
    if (archive_read_open_filename(zip, workbook.c_str(), 1 << 16) != ARCHIVE_OK) {
        throw std::runtime_error("cannot open " + workbook.string());
    }
    archive_entry* entry = nullptr;
    while (archive_read_next_header(zip, &entry) == ARCHIVE_OK) {
        std::string& text = parts[archive_entry_pathname(entry)];
        char buffer[1 << 16];
        for (la_ssize_t n; (n = archive_read_data(zip, buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    }
    archive_read_free(zip);
    return parts;
}

xmlDocPtr parsePart(const std::string& text) {
    return xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr, XML_PARSE_HUGE);
}

std::string property(xmlNodePtr node, const char* name) {
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    std::string text = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
}

bool named(xmlNodePtr node, std::string_view name) {
    return node->type == XML_ELEMENT_NODE && name == reinterpret_cast<const char*>(node->name);
}

std::string content(xmlNodePtr node) {
    xmlChar* value = xmlNodeGetContent(node);
    std::string text = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
}

PlannedCell plannedCell(xmlNodePtr cell, const std::vector<std::string>& shared) {
    PlannedCell planned;
    planned.column = lxw_name_to_col(property(cell, "r").c_str());
    const std::string style = property(cell, "s");
    planned.style = style.empty() ? 0 : std::stoi(style);
    const std::string type = property(cell, "t");
    for (xmlNodePtr child = cell->children; child; child = child->next) {
        if (named(child, "is")) {
            planned.kind = PlannedCell::Kind::text;
            planned.text = content(child);
        } else if (named(child, "v")) {
            const std::string value = content(child);
            if (type == "s") {
                planned.kind = PlannedCell::Kind::text;
                planned.text = shared.at(std::stoul(value));
            } else if (type == "b") {
                planned.kind = PlannedCell::Kind::boolean;
                planned.number = std::stod(value);
            } else {
                planned.kind = PlannedCell::Kind::number;
                planned.number = std::stod(value);
            }
        }
    }
    return planned;
}

// The sheets of a written workbook as a list of cells to write again.
std::vector<PlannedSheet> planOf(const fs::path& workbook) {
    const std::map<std::string, std::string> parts = xlsxParts(workbook);
    std::vector<std::string> shared;
    if (const auto found = parts.find("xl/sharedStrings.xml"); found != parts.end()) {
        xmlDocPtr doc = parsePart(found->second);
        for (xmlNodePtr item = xmlDocGetRootElement(doc)->children; item; item = item->next) {
            if (named(item, "si")) shared.push_back(content(item));
        }
        xmlFreeDoc(doc);
    }
    std::vector<PlannedSheet> sheets;
    xmlDocPtr book = parsePart(parts.at("xl/workbook.xml"));
    for (xmlNodePtr node = xmlDocGetRootElement(book)->children; node; node = node->next) {
        if (!named(node, "sheets")) continue;
        for (xmlNodePtr sheet = node->children; sheet; sheet = sheet->next) {
            if (named(sheet, "sheet")) sheets.push_back({property(sheet, "name"), {}});
        }
    }
    xmlFreeDoc(book);
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        xmlDocPtr doc = parsePart(parts.at("xl/worksheets/sheet" + std::to_string(i + 1) + ".xml"));
        for (xmlNodePtr node = xmlDocGetRootElement(doc)->children; node; node = node->next) {
            if (!named(node, "sheetData")) continue;
            for (xmlNodePtr row = node->children; row; row = row->next) {
                if (!named(row, "row")) continue;
                PlannedRow planned{static_cast<lxw_row_t>(std::stoul(property(row, "r")) - 1), {}};
                for (xmlNodePtr cell = row->children; cell; cell = cell->next) {
                    if (named(cell, "c")) planned.cells.push_back(plannedCell(cell, shared));
                }
                sheets[i].rows.push_back(std::move(planned));
            }
        }
        xmlFreeDoc(doc);
    }
    return sheets;
}

// The yardstick's writer: one format per style the report used, cells as they were.
void writePlainly(const std::vector<PlannedSheet>& sheets, const fs::path& path) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(path.c_str(), &options);
    std::map<int, lxw_format*> formats;
    for (const PlannedSheet& sheet : sheets) {
        lxw_worksheet* worksheet = workbook_add_worksheet(workbook, sheet.name.c_str());
        for (const PlannedRow& row : sheet.rows) {
            for (const PlannedCell& cell : row.cells) {
                lxw_format*& format = formats[cell.style];
                if (format == nullptr) {
                    format = workbook_add_format(workbook);
                    format_set_font_size(format, 8.0 + cell.style);
                }
                switch (cell.kind) {
                    case PlannedCell::Kind::number:
                        worksheet_write_number(worksheet, row.row, cell.column, cell.number, format);
                        break;
                    case PlannedCell::Kind::text:
                        worksheet_write_string(worksheet, row.row, cell.column, cell.text.c_str(), format);
                        break;
                    case PlannedCell::Kind::boolean:
                        worksheet_write_boolean(worksheet, row.row, cell.column, cell.number != 0.0, format);
                        break;
                    case PlannedCell::Kind::blank:
                        worksheet_write_blank(worksheet, row.row, cell.column, format);
                        break;
                }
            }
        }
    }
    if (workbook_close(workbook) != LXW_NO_ERROR) throw std::runtime_error("the yardstick's workbook failed");
}

// The yardstick's writer in a process of its own, like the other two programs.
Run runWriter(const std::vector<PlannedSheet>& sheets, const fs::path& path) {
    const pid_t child = fork();
    if (child == 0) {
        try {
            writePlainly(sheets, path);
            _exit(0);
        } catch (...) {
            _exit(1);
        }
    }
    return finished(child, "the yardstick's writer");
}

// The median of the runs' processor times, steadier than the least on a shared machine,
// and the largest peak.
template <typename Measure>
Run medianOf(int runs, Measure measure) {
    std::vector<double> seconds;
    double peakMB = 0.0;
    for (int i = 0; i < runs; ++i) {
        const Run next = measure();
        seconds.push_back(next.seconds);
        peakMB = std::max(peakMB, next.peakMB);
    }
    std::sort(seconds.begin(), seconds.end());
    const std::size_t middle = seconds.size() / 2;
    const double median = seconds.size() % 2 ? seconds[middle] : (seconds[middle - 1] + seconds[middle]) / 2.0;
    return {median, peakMB};
}

}  // namespace

int main(int argc, char** argv) {
    std::string cli = TALLYVANE_CLI;
    int runs = 5;
    std::vector<long> sizes;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--cli" && i + 1 < argc) {
            cli = argv[++i];
        } else if (argument == "--write-plainly" && i + 2 < argc) {
            writePlainly(planOf(argv[i + 1]), argv[i + 2]);
            return 0;
        } else if (argument == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else {
            sizes.push_back(std::atol(argv[i]));
        }
    }
    if (sizes.empty()) sizes = {3000, 10000, 50000};

    char folderName[] = "/tmp/report_save_bench_XXXXXX";
    if (mkdtemp(folderName) == nullptr) return 1;
    const fs::path folder = folderName;
    // A support folder of its own: a report being written elsewhere holds the usual one.
    setenv("TALLYVANE_SUPPORT_DIR", (folder / "support").c_str(), 1);
    std::printf("%8s %8s %9s %9s %9s %9s %7s %11s %9s %9s\n", "clips", "docMB", "report_s", "xmllint_s", "writer_s",
                "yardst_s", "ratio", "us_per_clip", "peakMB", "peak/doc");
    try {
        for (const long clips : sizes) {
            const fs::path document = folder / "feature.fcpxml";
            const fs::path report = folder / "report.xlsx";
            const std::string text = tallyvane::bench::featureLengthTimeline(clips);
            std::ofstream(document, std::ios::binary) << text;
            const std::vector<std::string> save = {cli, "save", document.string(), "-o", report.string()};
            const Run whole = medianOf(runs, [&] { return runProgram(save); });
            const std::vector<PlannedSheet> plan = planOf(report);
            const Run parse = medianOf(runs, [&] { return runProgram({"xmllint", "--noout", document.string()}); });
            const Run writer = medianOf(runs, [&] { return runWriter(plan, folder / "yardstick.xlsx"); });
            const double yardstick = parse.seconds + writer.seconds;
            const double documentMB = static_cast<double>(text.size()) / (1024.0 * 1024.0);
            std::printf("%8ld %8.1f %9.3f %9.3f %9.3f %9.3f %7.2f %11.1f %9.0f %9.2f\n", clips, documentMB,
                        whole.seconds, parse.seconds, writer.seconds, yardstick, whole.seconds / yardstick,
                        whole.seconds * 1e6 / static_cast<double>(clips), whole.peakMB, whole.peakMB / documentMB);
            std::fflush(stdout);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "report_save_bench: %s\n", error.what());
        fs::remove_all(folder);
        return 1;
    }
    fs::remove_all(folder);
    return 0;
}
