#pragma once
// A marker, to-do, chapter marker, keyword range, rating or analysis marker of a story
// element or of a composition. Times are frame counts.

#include <memory>
#include <string>
#include <vector>

#include "model/model_object.h"

namespace tallyvane {

class MarkedRange : public ModelObject {
public:
    MarkedRange(std::shared_ptr<StoryElement> clip, std::string name, std::string notes,
                std::vector<std::string> keywords, double srcInpoint, double timelinePosition, double duration,
                bool visible, std::string color);

    PersistentIdentifier id() const noexcept { return persistentModelID(); }

    // The story element the range belongs to, if any.
    const std::shared_ptr<StoryElement>& clip() const noexcept { return clip_; }
    void setClip(std::shared_ptr<StoryElement> clip);
    const std::string& name() const noexcept { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    const std::string& notes() const noexcept { return notes_; }
    void setNotes(std::string notes) { notes_ = std::move(notes); }
    const std::vector<std::string>& keywords() const noexcept { return keywords_; }
    void setKeywords(std::vector<std::string> keywords) { keywords_ = std::move(keywords); }
    double srcInpoint() const noexcept { return srcInpoint_; }
    void setSrcInpoint(double frames) noexcept { srcInpoint_ = frames; }
    double timelinePosition() const noexcept { return timelinePosition_; }
    void setTimelinePosition(double frames) noexcept { timelinePosition_ = frames; }
    double duration() const noexcept { return duration_; }
    void setDuration(double frames) noexcept { duration_ = frames; }
    bool visible() const noexcept { return visible_; }
    void setVisible(bool visible) noexcept { visible_ = visible; }
    const std::string& color() const noexcept { return color_; }
    void setColor(std::string color) { color_ = std::move(color); }

    std::string debugDescription() const;

    // By timeline position only (NaN after every number); ranges at one position are equivalent.
    friend bool operator<(const MarkedRange& lhs, const MarkedRange& rhs) noexcept;

private:
    friend class Store;
    void visitRelated(const RelatedVisitor& visit) const;
    void releaseRelated() noexcept { clip_.reset(); }

    std::shared_ptr<StoryElement> clip_;
    std::string name_;
    std::string notes_;
    std::vector<std::string> keywords_;
    double srcInpoint_;
    double timelinePosition_;
    double duration_;
    bool visible_;
    std::string color_;
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::MarkedRange> : tallyvane::ModelObjectHash {};
