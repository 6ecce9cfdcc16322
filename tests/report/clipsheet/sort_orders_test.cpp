#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/audio_fx.h"
#include "model/event_bin.h"
#include "model/video_fx.h"
#include "report/clipsheet/sort_orders.h"
#include "report_builders.h"

namespace tallyvane {
namespace {

template <class T>
std::vector<std::string> names(const std::vector<std::shared_ptr<T>>& objects) {
    std::vector<std::string> result;
    for (const auto& object : objects) result.push_back(object->name());
    return result;
}

TEST(SortOrders, Texts) {
    const struct {
        std::vector<std::string> input;
        std::vector<std::string> sorted;
    } cases[] = {
        {{"b", "B", "a", "A"}, {"A", "B", "a", "b"}},
        {{"ab", "a", ""}, {"", "a", "ab"}},
        {{"cafe\u0301", "cafe", "caf\u00e9"}, {"cafe", "cafe\u0301", "caf\u00e9"}},  // equivalent texts keep their order
    };
    for (const auto& c : cases) {
        std::vector<std::string> texts = c.input;
        sortTexts(texts);
        EXPECT_EQ(texts, c.sorted);
    }
}

TEST(SortOrders, FileTotalsByNameOnly) {
    std::vector<FileTotal> totals{{"b.mov", "/1/b.mov", 1}, {"a.mov", "/2/a.mov", 2}, {"b.mov", "/0/b.mov", 3},
                                  {"A.mov", "/3/A.mov", 4}};
    sortFileTotalsByName(totals);
    EXPECT_EQ(totals, (std::vector<FileTotal>{{"A.mov", "/3/A.mov", 4}, {"a.mov", "/2/a.mov", 2},
                                              {"b.mov", "/1/b.mov", 1}, {"b.mov", "/0/b.mov", 3}}));
}

TEST(SortOrders, EffectsAndEventsByName) {
    std::vector<std::shared_ptr<VideoFX>> video{std::make_shared<VideoFX>("blur", "", true, std::nullopt),
                                                std::make_shared<VideoFX>("Blur", "", true, std::nullopt),
                                                std::make_shared<VideoFX>("Blur", "second", true, std::nullopt)};
    sortVideoFX(video);
    EXPECT_EQ(names(video), (std::vector<std::string>{"Blur", "Blur", "blur"}));
    EXPECT_EQ(video[0]->settings(), "");
    std::vector<std::shared_ptr<AudioFX>> audio{std::make_shared<AudioFX>("Reverb", "", std::nullopt, true, std::nullopt),
                                                std::make_shared<AudioFX>("EQ", "", std::nullopt, true, std::nullopt)};
    sortAudioFX(audio);
    EXPECT_EQ(names(audio), (std::vector<std::string>{"EQ", "Reverb"}));
    std::vector<std::shared_ptr<EventBin>> bins{
        std::make_shared<EventBin>("b", std::vector<std::shared_ptr<StoryElement>>{},
                                   std::vector<std::shared_ptr<Composition>>{}),
        std::make_shared<EventBin>("B", std::vector<std::shared_ptr<StoryElement>>{},
                                   std::vector<std::shared_ptr<Composition>>{})};
    sortEventBins(bins);
    EXPECT_EQ(names(bins), (std::vector<std::string>{"B", "b"}));
    std::vector<std::shared_ptr<VideoFX>> none;
    sortVideoFX(none);
    EXPECT_TRUE(none.empty());
}

}  // namespace
}  // namespace tallyvane
