#pragma once
// A project in a store and a report context with an open workbook: the test runs a report
// writer, then reads the workbook back.

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "model/event_bin.h"
#include "model/store.h"
#include "report/report_context.h"
#include "report/report_request.h"
#include "report_builders.h"
#include "workbook_reader.h"

namespace tallyvane::testing {

using Elements = std::vector<std::shared_ptr<StoryElement>>;

inline std::shared_ptr<VideoTrack> videoTrack(std::string name, Elements elements) {
    return std::make_shared<VideoTrack>(1, std::move(name), true, "", std::move(elements));
}

inline std::shared_ptr<AudioTrack> audioTrack(std::string name, Elements elements) {
    return std::make_shared<AudioTrack>(1, std::move(name), true, "", "Mono", std::move(elements));
}

class WriterTest : public ::testing::Test {
protected:
    WriterTest() {
        context.diagnostics = log;
        context.currentInputType = InputType::FCPXML;
    }

    // The bin goes into the store with everything it holds.
    void addBin(std::string name, Elements clips, std::vector<std::shared_ptr<Composition>> timelines = {}) {
        store.insert(std::make_shared<EventBin>(std::move(name), std::move(clips), std::move(timelines)));
    }

    // Runs the writer on a fresh workbook and reads it back.
    template <class Writer>
    nlohmann::json report(Writer writer, const ReportRequest& request) {
        const auto path = folder.path() / ("report" + std::to_string(++reports_) + ".xlsx");
        context.workbook.emplace(path.string());
        writer(context, store, request);
        context.workbook->close();
        context.workbook.reset();
        return readWorkbook(path);
    }

    // The texts under a heading of row 1, from row 2 on ("" for a cell without text).
    static std::vector<std::string> columnTexts(const nlohmann::json& workbook, const std::string& sheetName,
                                                const std::string& heading) {
        const auto& sheet = workbook["worksheets"][sheetName];
        std::string column;
        for (char letter = 'A'; letter <= 'Z' && column.empty(); ++letter) {
            const std::string address = std::string(1, letter) + "1";
            if (sheet["cells"].contains(address) && sheet["cells"][address]["value"] == heading) {
                column = std::string(1, letter);
            }
        }
        EXPECT_FALSE(column.empty()) << sheetName << " has no column " << heading;
        std::vector<std::string> texts;
        for (int row = 2; !column.empty() && row <= sheet["maxRow"].get<int>(); ++row) {
            const std::string address = column + std::to_string(row);
            const bool isText = sheet["cells"].contains(address) && sheet["cells"][address]["value"].is_string();
            texts.push_back(isText ? sheet["cells"][address]["value"].get<std::string>() : std::string());
        }
        return texts;
    }

    static std::vector<std::string> clipNames(const nlohmann::json& workbook, const std::string& sheetName) {
        return columnTexts(workbook, sheetName, "Clip Name");
    }

    static std::vector<std::string> sheetNames(const nlohmann::json& workbook) {
        return workbook["sheets"].get<std::vector<std::string>>();
    }

    TemporaryFolder folder;
    std::ostringstream log;
    ReportContext context;
    Store store;

private:
    int reports_ = 0;
};

}  // namespace tallyvane::testing
