#pragma once
// Projects put together in a store by hand, for the shell's tests of what it reads from the
// model: events with clips and timelines, tracks with elements and their roles.

#include <memory>
#include <string>
#include <vector>

#include "../model/model_builders.h"
#include "model/event_bin.h"
#include "model/store.h"

namespace tallyvane::test {

struct Roles {
    std::string video;
    std::string audio;
    std::vector<std::string> audioSubroles;
};

inline std::shared_ptr<StoryElement> makeRoleElement(const Roles& roles) {
    auto element = makeElement("e", 0.0);
    element->setVideoRole(roles.video);
    element->setAudioRole(roles.audio);
    element->setAudioSubroles(roles.audioSubroles);
    return element;
}

class ProjectBuilder {
public:
    explicit ProjectBuilder(Store& store) : store_(store) {}

    std::shared_ptr<EventBin> event(const std::string& name) {
        auto event = std::make_shared<EventBin>(name, std::vector<std::shared_ptr<StoryElement>>{},
                                                std::vector<std::shared_ptr<Composition>>{});
        store_.insert(event);
        return event;
    }

    void clip(const std::shared_ptr<EventBin>& event, const Roles& roles) {
        event->appendClip(makeRoleElement(roles));
        store_.insert(event);
    }

    std::shared_ptr<Composition> timeline(const std::shared_ptr<EventBin>& event, const std::string& name) {
        auto composition = makeComposition("c" + std::to_string(++count_), name, format_);
        event->appendStoryComposition(composition);
        store_.insert(event);
        return composition;
    }

    void videoTrack(const std::shared_ptr<Composition>& composition, std::int64_t index,
                    const std::vector<Roles>& elements) {
        auto track = makeVideoTrack(index);
        for (const Roles& roles : elements) track->appendElement(makeRoleElement(roles));
        composition->appendVideoTrack(track);
        store_.insert(composition);
    }

    void audioTrack(const std::shared_ptr<Composition>& composition, std::int64_t index,
                    const std::vector<Roles>& elements) {
        auto track = makeAudioTrack(index);
        for (const Roles& roles : elements) track->appendElement(makeRoleElement(roles));
        composition->appendAudioTrack(track);
        store_.insert(composition);
    }

private:
    Store& store_;
    std::shared_ptr<VideoFormat> format_ = makeFormat();
    int count_ = 0;
};

}  // namespace tallyvane::test
