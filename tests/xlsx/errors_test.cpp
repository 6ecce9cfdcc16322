#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <unistd.h>

#include "readback.h"
#include "xlsx/workbook.h"

namespace tallyvane::xlsx {
namespace {

using testing::errorOf;
using testing::readBack;
using SheetNames = testing::WorkbookFile;
using Close = testing::WorkbookFile;
using Workbooks = testing::WorkbookFile;

TEST_F(SheetNames, AreCheckedBeforeTheLibraryWithItsOwnMessages) {
    struct Case {
        std::string name;
        const char* message;
        XlsxErrorKind kind;
    };
    const std::string euro = "\u20AC";
    std::string euros31;
    for (int i = 0; i < 31; ++i) euros31 += euro;
    const Case cases[] = {
        {std::string(32, 'x'), "Worksheet name exceeds Excel's limit of 31 characters.", XlsxErrorKind::library},
        {euros31 + euro, "Worksheet name exceeds Excel's limit of 31 characters.", XlsxErrorKind::library},
        {"Clips", "Worksheet name is already in use.", XlsxErrorKind::library},
        {"CLIPS", "Worksheet name is already in use.", XlsxErrorKind::library},
        {"\u00FCN\u00CFCODE", "Worksheet name is already in use.", XlsxErrorKind::library},  // Unicode case
        {"Chart1", "Worksheet name is already in use.", XlsxErrorKind::library},             // a chartsheet's
        {"a/b", "Worksheet name cannot contain invalid characters: '[ ] : * ? / \\'", XlsxErrorKind::library},
        {"[x]", "Worksheet name cannot contain invalid characters: '[ ] : * ? / \\'", XlsxErrorKind::library},
        {"'quoted", "Worksheet name cannot start or end with an apostrophe.", XlsxErrorKind::library},
        {"quoted'", "Worksheet name cannot start or end with an apostrophe.", XlsxErrorKind::library},
        {"", "Worksheet name cannot be blank.", XlsxErrorKind::invalidArgument},
    };
    Workbook workbook(path);
    workbook.addWorksheet("Clips");
    workbook.addWorksheet("\u00DCn\u00EFcode");
    workbook.addChartsheet();
    workbook.addWorksheet(euros31);
    for (const Case& c : cases) {
        const XlsxError sheetError = errorOf([&] { workbook.addWorksheet(c.name); });
        EXPECT_STREQ(sheetError.what(), c.message) << c.name;
        EXPECT_EQ(sheetError.kind(), c.kind) << c.name;
        const XlsxError chartsheetError = errorOf([&] { workbook.addChartsheet(c.name); });
        EXPECT_STREQ(chartsheetError.what(), c.message) << c.name;
    }
    // A refused name leaves nothing behind: the workbook still closes and reads back whole.
    workbook.worksheet("Clips")->write("kept", "A1").write(1.0, "A2");
    Chart chart = workbook.addChart(Chart_type::line);
    chart.addSeries("=Clips!$A$2:$A$2");
    workbook.chartsheet("Chart1")->chart(chart);
    workbook.close();
    const auto book = readBack(path);
    EXPECT_EQ(book["sheetNames"], (nlohmann::json{"Clips", "\u00DCn\u00EFcode", "Chart1", euros31}));
    EXPECT_EQ(book["worksheets"]["Clips"]["cells"]["A1"]["value"], "kept");
}

TEST_F(SheetNames, UnnamedSheetsCountWithinTheirKindAndCollideLoudly) {
    Workbook workbook(path);
    EXPECT_EQ(workbook.addWorksheet().name(), "Sheet1");
    workbook.addChartsheet();
    EXPECT_EQ(workbook.addWorksheet().name(), "Sheet2");
    workbook.addWorksheet("Sheet4");
    const XlsxError collision = errorOf([&] {
        workbook.addWorksheet();  // would be "Sheet4" again
    });
    EXPECT_STREQ(collision.what(), "Worksheet name is already in use.");
    EXPECT_TRUE(workbook.chartsheet("Chart1").has_value());
    EXPECT_FALSE(workbook.chartsheet("Sheet1").has_value());
    EXPECT_TRUE(workbook.worksheet("Sheet4").has_value());
    EXPECT_FALSE(workbook.worksheet(std::string("Sheet4\0x", 8)).has_value());
    // A chartsheet without a chart is refused before writing and the workbook stays open;
    // a chart makes the file whole.
    const XlsxError chartless = errorOf([&] { workbook.close(); });
    EXPECT_EQ(chartless.kind(), XlsxErrorKind::invalidArgument);
    EXPECT_STREQ(chartless.what(), "Chartsheet \"Chart1\" has no chart.");
    EXPECT_FALSE(std::filesystem::exists(path));
    Chart chart = workbook.addChart(Chart_type::line);
    chart.addSeries("=Sheet1!$A$1:$A$2");
    workbook.chartsheet("Chart1")->chart(chart);
    workbook.close();
    const auto book = readBack(path);
    EXPECT_EQ(book["sheetNames"], (nlohmann::json{"Sheet1", "Chart1", "Sheet2", "Sheet4"}));
    EXPECT_EQ(book["chartsheets"]["Chart1"]["charts"].size(), 1u);
}

TEST_F(Close, AnOutputFolderThatCannotBeWrittenIsAnErrorAndTheWorkbookIsClosed) {
    const std::string paths[] = {
        (folder / "missing/folder/report.xlsx").string(),
        (folder / "a-file/report.xlsx").string(),
    };
    std::ofstream((folder / "a-file").string()) << "not a folder";
    for (const std::string& path : paths) {
        Workbook workbook(path);
        workbook.addWorksheet("Data").write("lost", "A1");
        const XlsxError error = errorOf([&] { workbook.close(); });
        EXPECT_EQ(error.kind(), XlsxErrorKind::library) << path;
        EXPECT_STREQ(error.what(), "Error creating output xlsx file. Usually a permissions error.") << path;
        EXPECT_EQ(errorOf([&] { workbook.close(); }).kind(), XlsxErrorKind::closedWorkbook);
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

// An unnamed file of the caller's, made in `folder` as the library makes its own.
FILE* unnamedFile(const std::filesystem::path& folder) {
    std::string name = (folder / "caller-XXXXXX").string();
    const int descriptor = ::mkstemp(name.data());
    if (descriptor < 0) return nullptr;
    ::unlink(name.c_str());
    return ::fdopen(descriptor, "w+");
}

// Whether `file` still takes a write and gives it back, then closes cleanly.
bool usableToItsClose(FILE* file) {
    char back[8] = {};
    return file != nullptr && std::fputs("kept", file) >= 0 && std::fflush(file) == 0 &&
           std::fseek(file, 0, SEEK_SET) == 0 && std::fgets(back, sizeof back, file) != nullptr &&
           std::string(back) == "kept" && std::fclose(file) == 0;
}

// A workbook's end, however it comes, closes its own part files and none of anyone else's:
// neither a caller's unnamed files nor another workbook's in the same parts folder.
TEST_F(Close, TakesOnlyItsOwnPartFilesWhateverItsEnd) {
    const std::filesystem::path parts = folder / "parts";
    std::filesystem::create_directory(parts);
    const struct {
        const char* end;
        std::string path;  // none: freed unclosed
    } rows[] = {{"closed", (folder / "first.xlsx").string()},
                {"failed on a full disk", "/dev/full"},
                {"freed unclosed", ""}};
    for (const auto& row : rows) {
        {
            FILE* before = unnamedFile(parts);
            std::optional<Workbook> first(std::in_place, row.path.empty() ? path : row.path, WriteOrder::rowByRow,
                                          std::cout, parts.string());
            Workbook second((folder / "second.xlsx").string(), WriteOrder::rowByRow, std::cout, parts.string());
            first->addWorksheet("One").write("first", "A1");
            Worksheet sheet = second.addWorksheet("Two");
            sheet.write("second", "A1");
            FILE* during = unnamedFile(parts);
            if (row.path == "/dev/full") {
                EXPECT_EQ(errorOf([&] { first->close(); }).kind(), XlsxErrorKind::library) << row.end;
                EXPECT_EQ(errno, ENOSPC) << row.end;
            } else if (!row.path.empty()) {
                first->close();
            }
            first.reset();
            EXPECT_TRUE(usableToItsClose(before)) << row.end;
            EXPECT_TRUE(usableToItsClose(during)) << row.end;
            sheet.write("after", "A2");
            second.close();
        }
        const auto cells = readBack((folder / "second.xlsx").string())["worksheets"]["Two"]["cells"];
        EXPECT_EQ(cells["A1"]["value"], "second") << row.end;
        EXPECT_EQ(cells["A2"]["value"], "after") << row.end;
        EXPECT_TRUE(std::filesystem::is_empty(parts)) << row.end;
    }
}

// A part that runs out of room on the parts' disk, the workbook's own disk having plenty, fails
// the close as a full disk does: rows cut while they are written leave nothing written, a part
// cut while the package is put together from them is said once the package is written.
TEST_F(Close, APartCutShortByAFullPartsDiskFailsTheClose) {
    const std::filesystem::path parts = folder / "small";
    std::filesystem::create_directory(parts);
    if (geteuid() != 0 || ::mount("tmpfs", parts.c_str(), "tmpfs", 0, "size=256k,mode=0700") != 0) {
        GTEST_SKIP() << "no small file system can be mounted here";
    }
    const std::unique_ptr<const char, void (*)(const char*)> unmount(parts.c_str(),
                                                                      [](const char* at) { ::umount2(at, MNT_DETACH); });
    const struct {
        const char* moment;
        WriteOrder order;
        int rows;
        bool written;  // whether the package is written before the close fails; none for "fits"
        bool fails;
    } rows[] = {{"fits", WriteOrder::rowByRow, 100, true, false},
                {"while the rows are written", WriteOrder::rowByRow, 20000, false, true},
                {"while the package is put together from the rows", WriteOrder::rowByRow, 1500, true, true},
                {"while a sheet held until the close is written", WriteOrder::anyOrder, 3000, true, true}};
    for (const auto& row : rows) {
        std::filesystem::remove(path);
        {
            Workbook workbook(path, row.order, std::cout, parts.string());
            Worksheet sheet = workbook.addWorksheet("Rows");
            for (int at = 0; at < row.rows; ++at) {
                sheet.write(at, Cell(at, 0));
                sheet.writeString("a text beside the number " + std::to_string(at), Cell(at, 1));
            }
            if (row.fails) {
                errno = 0;
                const XlsxError error = errorOf([&] { workbook.close(); });
                EXPECT_EQ(errno, ENOSPC) << row.moment;
                EXPECT_EQ(error.kind(), XlsxErrorKind::library) << row.moment;
                EXPECT_NE(std::string(error.what()).find(" in the folder " + parts.string() + ": The disk is full."),
                          std::string::npos)
                    << row.moment << ": " << error.what();
            } else {
                workbook.close();
                EXPECT_EQ(readBack(path)["worksheets"]["Rows"]["cells"]["A100"]["value"], 99) << row.moment;
            }
            EXPECT_EQ(std::filesystem::exists(path), row.written) << row.moment;
        }
        EXPECT_TRUE(std::filesystem::is_empty(parts)) << row.moment;
    }
}

// Another thread's streams, opened and closed while workbooks end, are never taken.
TEST_F(Close, AnotherThreadsStreamsAreLeftAloneAtAnyMoment) {
    const std::filesystem::path parts = folder / "parts";
    std::filesystem::create_directory(parts);
    std::atomic<bool> done = false;
    std::atomic<int> broken = 0;
    std::thread churn([&] {
        while (!done) {
            if (!usableToItsClose(unnamedFile(parts))) ++broken;
        }
    });
    for (int end = 0; end < 200; ++end) {
        // Failed on a full disk, closed, or freed unclosed.
        std::optional<Workbook> workbook(std::in_place, end % 4 == 0 ? "/dev/full" : path, WriteOrder::rowByRow,
                                         std::cout, parts.string());
        workbook->addWorksheet("Data").write("row", "A1");
        if (end % 4 == 0) static_cast<void>(errorOf([&] { workbook->close(); }));
        if (end % 4 == 1) workbook->close();
        workbook.reset();
    }
    done = true;
    churn.join();
    EXPECT_EQ(broken, 0);
}

TEST_F(Close, EveryObjectOfAClosedWorkbookRefusesUse) {
    Workbook workbook(path);
    Workbook copy = workbook;
    Worksheet sheet = workbook.addWorksheet("Data");
    Format format = workbook.addFormat();
    Chart chart = workbook.addChart(Chart_type::pie);
    Series series = chart.addSeries("=Data!$A$1:$A$2");
    Chartsheet chartsheet = workbook.addChartsheet();
    chartsheet.chart(chart);
    sheet.write(1.0, "A1").write(2.0, "A2");
    workbook.close();

    const std::function<void()> uses[] = {
        [&] { copy.close(); },
        [&] { copy.addWorksheet("More"); },
        [&] { copy.addFormat(); },
        [&] { copy.addChart(Chart_type::bar); },
        [&] { copy.worksheet("Data"); },
        [&] { sheet.write("late", "B1"); },
        [&] { sheet.name(); },
        [&] { sheet.column(Cols(0, 0), 10); },
        [&] { format.bold(); },
        [&] { chart.title("late"); },
        [&] { series.smooth(true); },
        [&] { chartsheet.zoom(100); },
    };
    for (const auto& use : uses) EXPECT_EQ(errorOf(use).kind(), XlsxErrorKind::closedWorkbook);
}

TEST_F(Workbooks, ObjectsOfOneWorkbookCannotBeUsedInAnother) {
    Workbook first((folder / "first.xlsx").string());
    Workbook second((folder / "second.xlsx").string());
    Format foreignFormat = first.addFormat().bold();
    Chart foreignChart = first.addChart(Chart_type::column);
    foreignChart.addSeries("=Sheet1!$A$1:$A$2");
    Worksheet sheet = second.addWorksheet();
    EXPECT_EQ(errorOf([&] { sheet.write("x", "A1", foreignFormat); }).kind(), XlsxErrorKind::invalidArgument);
    EXPECT_EQ(errorOf([&] { sheet.column(Cols(0, 0), 5, foreignFormat); }).kind(), XlsxErrorKind::invalidArgument);
    EXPECT_EQ(errorOf([&] { sheet.insertChart(foreignChart, "B2"); }).kind(), XlsxErrorKind::invalidArgument);
    EXPECT_EQ(errorOf([&] { second.addChartsheet().chart(foreignChart); }).kind(), XlsxErrorKind::invalidArgument);
    Chart own = second.addChart(Chart_type::column);
    own.addSeries("=Sheet1!$A$1:$A$2");
    second.chartsheet("Chart1")->chart(own);
    first.addWorksheet();
    first.close();
    second.close();
}

TEST_F(Workbooks, PathsWithNulAreRefused) {
    EXPECT_EQ(errorOf([] { Workbook(std::string("/tmp/a\0b.xlsx", 13)); }).kind(), XlsxErrorKind::invalidArgument);
    Workbook workbook(path);
    Worksheet sheet = workbook.addWorksheet();
    EXPECT_EQ(errorOf([&] { sheet.insertImage(std::string("/tmp/a\0b.png", 13), "A1", 20); }).kind(),
              XlsxErrorKind::invalidArgument);
    workbook.close();
}

TEST_F(Workbooks, AnUnclosedWorkbookWritesNothing) {
    {
        Workbook workbook(path);
        workbook.addWorksheet("Data").write("never", "A1");
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace tallyvane::xlsx
