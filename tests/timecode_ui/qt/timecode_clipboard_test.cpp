#include "timecode_ui/qt/timecode_clipboard.h"

#include <gtest/gtest.h>

#include "unchecked_timecode.h"

namespace tallyvane {
namespace {

const Timecode::Properties at25{TimecodeFrameRate::fps25, Timecode::SubFramesBase::max80SubFrames,
                                Timecode::UpperLimit::max24Hours};
const Timecode::Properties at2997d{TimecodeFrameRate::fps29_97d, Timecode::SubFramesBase::max100SubFrames,
                                   Timecode::UpperLimit::max100Days};

TEST(TimecodeClipboardTest, LoadsTheTimecodeItemBeforeText) {
    struct Row {
        const char* name;
        std::vector<TransferItem> items;
        std::optional<Timecode::Components> components;
        Timecode::Properties properties;
    };
    auto jsonOnly = transferItems(make({0, 1, 2, 3, 4, 5}, at2997d));
    jsonOnly.pop_back();
    const Row rows[] = {
        {"json and text", transferItems(make({0, 1, 2, 3, 4, 5}, at2997d)), Timecode::Components{0, 1, 2, 3, 4, 5},
         at2997d},
        {"json only", jsonOnly, Timecode::Components{0, 1, 2, 3, 4, 5}, at2997d},
        {"text read at the field", {{"public.utf8-plain-text", "10:20:30:12"}}, Timecode::Components{0, 10, 20, 30, 12, 0},
         at25},
        {"broken json falls back to text",
         {{"com.Marrowfen.DezoraraRuz.timecode", "{"}, {"public.utf8-plain-text", "00:00:00:01"}},
         Timecode::Components{0, 0, 0, 0, 1, 0}, at25},
        {"nothing readable", {{"public.utf8-plain-text", "soon"}}, std::nullopt, at25},
        {"nothing at all", {}, std::nullopt, at25},
    };
    for (const Row& row : rows) {
        const auto data = mimeData(row.items);
        const TimecodePasteResult result = timecodeLoader(data.get())(at25);
        if (!row.components) {
            EXPECT_TRUE(std::holds_alternative<TimecodePasteFailure>(result)) << row.name;
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<Timecode>(result)) << row.name;
        EXPECT_EQ(std::get<Timecode>(result).components, *row.components) << row.name;
        EXPECT_EQ(std::get<Timecode>(result).properties, row.properties) << row.name;
    }
    EXPECT_TRUE(std::holds_alternative<TimecodePasteFailure>(timecodeLoader(nullptr)(at25)));
}

}  // namespace
}  // namespace tallyvane
