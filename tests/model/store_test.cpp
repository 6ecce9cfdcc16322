#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_set>
#include <vector>

#include "model/store.h"
#include "model_builders.h"

namespace tallyvane {
namespace {

using test::makeAsset;
using test::makeComposition;
using test::makeElement;
using test::makeEvent;
using test::makeFormat;
using test::makeMarker;

template <class T>
std::vector<std::string> idsOf(const std::vector<std::shared_ptr<T>>& objects) {
    std::vector<std::string> ids;
    for (const auto& object : objects) ids.push_back(object->id());
    return ids;
}

// Counts the objects of every class, in the order the store empties them.
std::vector<std::size_t> classCounts(const Store& store) {
    return {store.fetch<EventBin>().size(),    store.fetch<VideoFormat>().size(),  store.fetch<Asset>().size(),
            store.fetch<Composition>().size(), store.fetch<VideoTrack>().size(),   store.fetch<AudioTrack>().size(),
            store.fetch<StoryElement>().size(), store.fetch<MarkedRange>().size(), store.fetch<Metadata>().size(),
            store.fetch<FxKeyValueTime>().size(), store.fetch<VideoFX>().size(),   store.fetch<AudioFX>().size(),
            store.fetch<SpeedFX>().size()};
}

// One project that touches every class and every relationship.
struct Project {
    std::shared_ptr<EventBin> event = makeEvent("Day 1");
    std::shared_ptr<VideoFormat> format = makeFormat("r1");
    std::shared_ptr<Asset> asset = makeAsset("r2");
    std::shared_ptr<Composition> timeline = makeComposition("c1", "Edit", format);
    std::shared_ptr<StoryElement> clip = makeElement("e1", 0);

    Project() {
        asset->setVideoFormat(format);
        clip->setAsset(asset);
        auto marker = makeMarker("m", 5);
        marker->setClip(clip);
        clip->appendMarkedRange(marker);
        clip->appendMetadata(std::make_shared<Metadata>("reel", "7", std::vector<std::string>{}));
        auto param = std::make_shared<FxKeyValueTime>("amount", "5", 12.0);
        clip->appendVideoFX(std::make_shared<VideoFX>("Blur", "", true, FxParams{param}));
        clip->appendAudioFX(std::make_shared<AudioFX>("EQ", "", std::nullopt, true, std::nullopt));
        clip->setSpeedFX(std::make_shared<SpeedFX>("Fast", 200, FxParams{}));
        auto video = test::makeVideoTrack(0);
        video->appendElement(clip);
        timeline->appendVideoTrack(video);
        auto audio = test::makeAudioTrack(1);
        audio->appendElement(clip->copy());
        timeline->appendAudioTrack(audio);
        timeline->appendMarker(makeMarker("chapter", 0));
        timeline->appendMetadata(std::make_shared<Metadata>("k", "v", std::vector<std::string>{}));
        event->appendStoryComposition(timeline);
        event->appendClip(makeElement("event-clip", 0));
    }
};

TEST(StoreTest, InsertingTheRootBringsEverythingReachable) {
    Store store;
    Project project;
    store.insert(project.event);
    EXPECT_EQ(classCounts(store), (std::vector<std::size_t>{1, 1, 1, 1, 1, 1, 3, 2, 2, 1, 1, 1, 1}));

    store.insert(project.event);  // already there
    store.insert(project.clip);
    EXPECT_EQ(classCounts(store), (std::vector<std::size_t>{1, 1, 1, 1, 1, 1, 3, 2, 2, 1, 1, 1, 1}));

    // Depth first in relationship order: the event's own clip, then the timeline's video
    // track element, then the audio track's copy.
    EXPECT_EQ(idsOf(store.fetch<StoryElement>()), (std::vector<std::string>{"event-clip", "e1", "e1"}));
}

TEST(StoreTest, ObjectsAttachedAfterInsertionJoinTheStore) {
    Store store;
    auto timeline = makeComposition("c1", "Edit", makeFormat("r1"));
    store.insert(timeline);
    auto track = test::makeVideoTrack(0);
    timeline->appendVideoTrack(track);
    auto element = makeElement("late", 0);
    track->appendElement(element);
    element->appendMarkedRange(makeMarker("m", 1));
    element->setAsset(makeAsset("r9"));
    track->setElements({element, makeElement("replacement", 1)});
    timeline->setVideoFormat(makeFormat("r2"));
    timeline->setAudioTracks({test::makeAudioTrack(1), test::makeAudioTrack(2)});

    EXPECT_EQ(idsOf(store.fetch<VideoFormat>()), (std::vector<std::string>{"r1", "r2"}));
    EXPECT_EQ(idsOf(store.fetch<Asset>()), (std::vector<std::string>{"r9"}));
    EXPECT_EQ(idsOf(store.fetch<StoryElement>()), (std::vector<std::string>{"late", "replacement"}));
    EXPECT_EQ(store.fetch<VideoTrack>().size(), 1u);
    EXPECT_EQ(store.fetch<AudioTrack>().size(), 2u);
    EXPECT_EQ(store.fetch<MarkedRange>().size(), 1u);

    // Objects attached to an object outside any store stay outside.
    auto loose = makeElement("loose", 0);
    loose->appendMarkedRange(makeMarker("x", 0));
    EXPECT_EQ(store.fetch<MarkedRange>().size(), 1u);
}

TEST(StoreTest, RelationshipListsKeepAppendOrder) {
    auto track = test::makeVideoTrack(0);
    for (int i = 9; i >= 0; --i) track->appendElement(makeElement(std::to_string(i), i));
    EXPECT_EQ(idsOf(track->elements()),
              (std::vector<std::string>{"9", "8", "7", "6", "5", "4", "3", "2", "1", "0"}));
}

TEST(StoreTest, FetchFiltersSortsAndLimits) {
    Store store;
    auto format = makeFormat();
    for (const char* name : {"Rough", "Fine", "Rough", "Assembly", "rough"}) {
        store.insert(makeComposition(std::string("id-") + std::to_string(store.fetch<Composition>().size()), name,
                                     format));
    }
    const auto byName = SortDescriptor<Composition>{
        [](const Composition& a, const Composition& b) { return a.name() < b.name(); }};

    struct Case {
        const char* label;
        FetchDescriptor<Composition> descriptor;
        std::vector<std::string> ids;
    };
    const std::vector<Case> cases{
        {"everything in insertion order", {}, {"id-0", "id-1", "id-2", "id-3", "id-4"}},
        {"predicate keeps insertion order",
         {[](const Composition& c) { return c.name() == "Rough"; }, {}, std::nullopt},
         {"id-0", "id-2"}},
        {"first match", {[](const Composition& c) { return c.name() == "Rough"; }, {}, 1}, {"id-0"}},
        {"nothing matches", {[](const Composition& c) { return c.id() == "id-9"; }, {}, std::nullopt}, {}},
        {"sorted, ties stay in insertion order", {{}, {byName}, std::nullopt}, {"id-3", "id-1", "id-0", "id-2", "id-4"}},
        {"sorted descending, ties stay in insertion order",
         {{}, {{byName.less, true}}, std::nullopt},
         {"id-4", "id-0", "id-2", "id-1", "id-3"}},
        {"second descriptor breaks ties",
         {{},
          {byName, {[](const Composition& a, const Composition& b) { return a.id() < b.id(); }, true}},
          std::nullopt},
         {"id-3", "id-1", "id-2", "id-0", "id-4"}},
        {"limit applies after sorting", {{}, {byName}, 2}, {"id-3", "id-1"}},
        {"limit zero", {{}, {}, 0}, {}},
        {"limit beyond the count", {{}, {}, 50}, {"id-0", "id-1", "id-2", "id-3", "id-4"}},
    };
    for (const auto& c : cases) EXPECT_EQ(idsOf(store.fetch(c.descriptor)), c.ids) << c.label;
}

TEST(StoreTest, EmptyingRemovesEveryClassAndFreesCycles) {
    std::vector<std::weak_ptr<void>> watched;
    Store store;
    {
        Project project;
        // Cycles: an element that links back to the timeline holding it, and a marker that
        // points to its own clip.
        project.clip->setComposition(project.timeline);
        auto nested = makeElement("nested", 0);
        nested->setComposition(project.timeline);
        project.timeline->videoTracks().front()->appendElement(nested);
        store.insert(project.event);
        for (const auto& object : store.fetch<StoryElement>()) watched.push_back(object);
        for (const auto& object : store.fetch<MarkedRange>()) watched.push_back(object);
        for (const auto& object : store.fetch<FxKeyValueTime>()) watched.push_back(object);
        watched.push_back(project.timeline);
        watched.push_back(project.event);
        watched.push_back(project.format);
    }
    store.deleteAll();
    EXPECT_EQ(classCounts(store), std::vector<std::size_t>(13, 0));
    for (const auto& object : watched) EXPECT_TRUE(object.expired());

    // The emptied store takes a new project.
    Project next;
    store.insert(next.event);
    EXPECT_EQ(store.fetch<Composition>().size(), 1u);
}

TEST(StoreTest, DeletingOneClassLeavesTheOthers) {
    Store store;
    Project project;
    store.insert(project.event);
    store.deleteAll<EventBin>();
    EXPECT_EQ(classCounts(store), (std::vector<std::size_t>{0, 1, 1, 1, 1, 1, 3, 2, 2, 1, 1, 1, 1}));
    EXPECT_TRUE(project.event->clips().empty());
    EXPECT_EQ(store.fetch<Composition>().front(), project.timeline);

    // A removed object may be inserted again, and brings only what it now reaches.
    store.insert(project.event);
    EXPECT_EQ(store.fetch<EventBin>().size(), 1u);
}

TEST(StoreTest, TheStoreReleasesItsObjectsWhenItEnds) {
    std::weak_ptr<StoryElement> clip;
    {
        Store store;
        Project project;
        project.clip->setComposition(project.timeline);
        store.insert(project.event);
        clip = project.clip;
    }
    EXPECT_TRUE(clip.expired());
}

TEST(StoreTest, AnObjectBelongsToOneStore) {
    Store first;
    Store second;
    auto element = makeElement("e", 0);
    first.insert(element);
    EXPECT_THROW(second.insert(element), std::logic_error);
    auto track = test::makeVideoTrack(0);
    second.insert(track);
    EXPECT_THROW(track->appendElement(element), std::logic_error);
    EXPECT_THROW(track->setElements({element}), std::logic_error);
    EXPECT_TRUE(track->elements().empty());
}

TEST(StoreTest, CompositionsNeedAFormat) {
    EXPECT_THROW(makeComposition("c", "n", nullptr), std::invalid_argument);
    auto timeline = makeComposition("c", "n", makeFormat());
    EXPECT_THROW(timeline->setVideoFormat(nullptr), std::invalid_argument);
    EXPECT_EQ(timeline->videoFormat()->id(), "r1");
}

TEST(IdentityTest, EqualityAndHashingFollowTheObjectNotItsValues) {
    auto a = makeFormat("same");
    auto b = makeFormat("same");
    EXPECT_TRUE(*a == *a);
    EXPECT_FALSE(*a == *b);
    EXPECT_NE(a->persistentModelID(), b->persistentModelID());
    EXPECT_EQ(std::hash<VideoFormat>{}(*a), std::hash<PersistentIdentifier>{}(a->persistentModelID()));

    auto marker = makeMarker("m", 0);
    EXPECT_EQ(marker->id(), marker->persistentModelID());
    auto track = test::makeAudioTrack(0);
    EXPECT_EQ(track->id(), track->persistentModelID());

    EXPECT_EQ(std::hash<AudioTrack>{}(*track), std::hash<PersistentIdentifier>{}(track->id()));
    std::unordered_set<PersistentIdentifier> ids{a->persistentModelID(), b->persistentModelID(),
                                                 a->persistentModelID()};
    EXPECT_EQ(ids.size(), 2u);
}

}  // namespace
}  // namespace tallyvane
