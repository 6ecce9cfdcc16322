#include <functional>

#include <gtest/gtest.h>

#include "readback.h"
#include "xlsx/workbook.h"

namespace tallyvane::xlsx {
namespace {

using testing::errorOf;
using testing::readBack;
using nlohmann::json;
using Charts = testing::WorkbookFile;

Worksheet dataSheet(Workbook& workbook) {
    Worksheet sheet = workbook.addWorksheet("Data");
    sheet.writeRow({Value("Role"), Value("Frames")}, "A1");
    const char* roles[] = {"Dialogue", "Music", "Effects"};
    for (int i = 0; i < 3; ++i) sheet.writeRow({Value(roles[i]), Value(100.0 * (i + 1))}, Cell(i + 1, 0));
    return sheet;
}

TEST_F(Charts, OnAChartsheetReadBackWithTheirSeries) {
    Workbook workbook(path);
    Worksheet data = dataSheet(workbook);
    Chart chart = workbook.addChart(Chart_type::column);
    chart.addSeries().values(data, "B2:B4").categories(data, "A2:A4").name(data, "B1");
    chart.addSeries("=Data!$B$2:$B$4", "Again");
    chart.title("Frames by role").xAxisName("Role").yAxisName("Frames").style(12);
    Chartsheet chartsheet = workbook.addChartsheet("By Role");
    chartsheet.chart(chart).zoom(150).paper(PaperType::A4).landscape().header("&CTotals").activate();
    workbook.close();

    const json book = readBack(path);
    EXPECT_EQ(book["sheetNames"], (json{"Data", "By Role"}));
    EXPECT_EQ(book["active"], "By Role");
    const json& sheet = book["chartsheets"]["By Role"];
    EXPECT_EQ(sheet["zoom"], 150);
    EXPECT_EQ(sheet["paper"], 9);
    EXPECT_EQ(sheet["orientation"], "landscape");
    EXPECT_EQ(sheet["header"], "Totals");
    ASSERT_EQ(sheet["charts"].size(), 1u);
    const json& back = sheet["charts"][0];
    EXPECT_EQ(back["type"], "barChart");
    EXPECT_EQ(back["title"], "Frames by role");
    EXPECT_FALSE(back["yAxisDeleted"]);
    ASSERT_EQ(back["series"].size(), 2u);
    EXPECT_EQ(back["series"][0]["values"], "Data!$B$2:$B$4");
    EXPECT_EQ(back["series"][0]["categories"], "Data!$A$2:$A$4");
    EXPECT_EQ(back["series"][0]["name"], "Data!$B$1");
    EXPECT_EQ(back["series"][1]["values"], "Data!$B$2:$B$4");
    EXPECT_EQ(back["series"][1]["name"], "Again");
}

TEST_F(Charts, OnAWorksheetWithLegendsThatHideTheValueAxisAndQuotedSheetNames) {
    Workbook workbook(path);
    Worksheet data = workbook.addWorksheet("Role Totals");
    data.writeColumn({Value(1.0), Value(2.0), Value(3.0)}, "A1");
    Chart pie = workbook.addChart(Chart_type::pie);
    pie.addSeries().values(data, Range(0, 0, 2, 0));
    pie.legend(Legend_position::bottom).legendDeleteSeries({}).rotation(90);
    Chart line = workbook.addChart(Chart_type::line);
    line.addSeries("='Role Totals'!$A$1:$A$3").smooth(true).marker(2, 7).trendline(Trendline_type::poly, 2);
    // A legend position also hides the value axis.
    line.yAxisBounds(0, 10).majorUnit(Axes::Y, 2).majorGridlines(Axes::X, true).titleOff().legend(Legend_position::top);
    data.insertChart(pie, "C1").insertChart(line, Cell(20, 2), 1.5, 0.5);
    workbook.close();

    const json charts = readBack(path)["worksheets"]["Role Totals"]["charts"];
    ASSERT_EQ(charts.size(), 2u);
    EXPECT_EQ(charts[0]["type"], "pieChart");
    EXPECT_EQ(charts[0]["legend"], "b");
    EXPECT_EQ(charts[0]["series"][0]["values"], "'Role Totals'!$A$1:$A$3");
    EXPECT_EQ(charts[0]["series"][0]["name"], nullptr);
    EXPECT_EQ(charts[1]["type"], "lineChart");
    EXPECT_TRUE(charts[1]["yAxisDeleted"]);
    EXPECT_FALSE(charts[1]["xAxisDeleted"]);
    EXPECT_EQ(charts[1]["legend"], "t");
}

TEST_F(Charts, RefusalsAreErrors) {
    Workbook workbook(path);
    Worksheet data = dataSheet(workbook);
    Chart empty = workbook.addChart(Chart_type::area);
    Chart placed = workbook.addChart(Chart_type::area);
    Series series = placed.addSeries("=Data!$B$2:$B$4");
    data.insertChart(placed, "D1");
    struct Case {
        const char* name;
        std::function<void()> call;
        XlsxErrorKind kind;
    };
    const Case cases[] = {
        {"chart type none", [&] { workbook.addChart(Chart_type::none); }, XlsxErrorKind::invalidArgument},
        {"chart without series", [&] { data.insertChart(empty, "D30"); }, XlsxErrorKind::library},
        {"chart placed twice", [&] { data.insertChart(placed, "D40"); }, XlsxErrorKind::library},
        {"legend index out of range", [&] { placed.legendDeleteSeries({32768}); }, XlsxErrorKind::invalidArgument},
        {"rotation out of range", [&] { placed.rotation(65536); }, XlsxErrorKind::invalidArgument},
        {"style out of range", [&] { placed.style(256); }, XlsxErrorKind::invalidArgument},
        {"marker size out of range", [&] { series.marker(1, 256); }, XlsxErrorKind::invalidArgument},
        {"trendline order out of range", [&] { series.trendline(Trendline_type::poly, -1); },
         XlsxErrorKind::invalidArgument},
        {"dash type out of range", [&] { series.trendlineLine(256, 0, false, 1.0f); }, XlsxErrorKind::invalidArgument},
        {"line width not a number", [&] { series.trendlineLine(0, 0, false, std::nanf("")); },
         XlsxErrorKind::invalidArgument},
        {"axis bound not finite", [&] { placed.yAxisBounds(0, HUGE_VAL); }, XlsxErrorKind::invalidArgument},
        {"scale not a number", [&] { data.insertChart(empty, "D50", std::nan(""), 1); }, XlsxErrorKind::invalidArgument},
        {"zoom out of range", [&] { workbook.addChartsheet().zoom(-1); }, XlsxErrorKind::invalidArgument},
    };
    for (const Case& c : cases) EXPECT_EQ(errorOf(c.call).kind(), c.kind) << c.name;
    // In range, the library's own limits only warn.
    placed.legendDeleteSeries({0, -32768, 32767}).rotation(400).style(49);
    series.trendlineLine(1, 50, true, 2.5f).trendlineName("Fit").trendlineEquation().trendlineRSquared();
    empty.addSeries("=Data!$B$2:$B$4");
    workbook.chartsheet("Chart1")->chart(empty).hide();
    workbook.close();
}

}  // namespace
}  // namespace tallyvane::xlsx
