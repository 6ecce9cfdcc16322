#pragma once
// A timeline, a project's sequence, a compound clip, a multicam clip or a sync clip, with
// its numbered video and audio lanes, its own markers, metadata and note.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/model_object.h"
#include "model/raw_value.h"
#include "model/raw_value_coding.h"

namespace tallyvane {

class Composition : public ModelObject {
public:
    enum class Category { null, Timeline, TimelineSequence, NestedSequence, CompoundClip, Multicam, SyncClip };

    // The format is required: a null one throws std::invalid_argument.
    Composition(std::string id, std::string name, double firstFrame, double duration, std::string timecodeFrameRate,
                std::shared_ptr<VideoFormat> videoFormat, std::vector<std::shared_ptr<VideoTrack>> videoTracks,
                std::string audioChannelLayout, std::int64_t audioSampleRate,
                std::vector<std::shared_ptr<AudioTrack>> audioTracks, std::vector<std::shared_ptr<MarkedRange>> markers,
                std::vector<std::shared_ptr<Metadata>> metadata, std::string notes, Category category);

    const std::string& id() const noexcept { return id_; }
    void setId(std::string id) { id_ = std::move(id); }
    const std::string& name() const noexcept { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    double firstFrame() const noexcept { return firstFrame_; }
    void setFirstFrame(double frames) noexcept { firstFrame_ = frames; }
    double duration() const noexcept { return duration_; }
    void setDuration(double frames) noexcept { duration_ = frames; }
    // The raw text of the timecode frame rate at which every frame count of the composition
    // and of its story elements is given.
    const std::string& timecodeFrameRate() const noexcept { return timecodeFrameRate_; }
    void setTimecodeFrameRate(std::string rate) { timecodeFrameRate_ = std::move(rate); }
    const std::shared_ptr<VideoFormat>& videoFormat() const noexcept { return videoFormat_; }
    void setVideoFormat(std::shared_ptr<VideoFormat> format);

    const std::vector<std::shared_ptr<VideoTrack>>& videoTracks() const noexcept { return videoTracks_; }
    void setVideoTracks(std::vector<std::shared_ptr<VideoTrack>> tracks);
    void appendVideoTrack(std::shared_ptr<VideoTrack> track);

    const std::string& audioChannelLayout() const noexcept { return audioChannelLayout_; }
    void setAudioChannelLayout(std::string layout) { audioChannelLayout_ = std::move(layout); }
    std::int64_t audioSampleRate() const noexcept { return audioSampleRate_; }
    void setAudioSampleRate(std::int64_t hertz) noexcept { audioSampleRate_ = hertz; }

    const std::vector<std::shared_ptr<AudioTrack>>& audioTracks() const noexcept { return audioTracks_; }
    void setAudioTracks(std::vector<std::shared_ptr<AudioTrack>> tracks);
    void appendAudioTrack(std::shared_ptr<AudioTrack> track);

    const std::vector<std::shared_ptr<MarkedRange>>& markers() const noexcept { return markers_; }
    void setMarkers(std::vector<std::shared_ptr<MarkedRange>> markers);
    void appendMarker(std::shared_ptr<MarkedRange> marker);

    const std::vector<std::shared_ptr<Metadata>>& metadata() const noexcept { return metadata_; }
    void setMetadata(std::vector<std::shared_ptr<Metadata>> metadata);
    void appendMetadata(std::shared_ptr<Metadata> item);

    const std::string& notes() const noexcept { return notes_; }
    void setNotes(std::string notes) { notes_ = std::move(notes); }
    Category category() const noexcept { return category_; }
    void setCategory(Category category) noexcept { category_ = category; }

    std::string debugDescription() const;

private:
    friend class Store;
    void visitRelated(const RelatedVisitor& visit) const;
    void releaseRelated() noexcept;

    std::string id_;
    std::string name_;
    double firstFrame_;
    double duration_;
    std::string timecodeFrameRate_;
    std::shared_ptr<VideoFormat> videoFormat_;
    std::vector<std::shared_ptr<VideoTrack>> videoTracks_;
    std::string audioChannelLayout_;
    std::int64_t audioSampleRate_;
    std::vector<std::shared_ptr<AudioTrack>> audioTracks_;
    std::vector<std::shared_ptr<MarkedRange>> markers_;
    std::vector<std::shared_ptr<Metadata>> metadata_;
    std::string notes_;
    Category category_;
};

template <>
struct RawValues<Composition::Category> {
    static constexpr std::string_view typeName = "Composition::Category";
    static constexpr std::array<std::string_view, 7> texts{
        "null", "Timeline", "TimelineSequence", "NestedSequence", "CompoundClip", "Multicam", "SyncClip"};
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::Composition> : tallyvane::ModelObjectHash {};
template <>
struct std::hash<tallyvane::Composition::Category> : tallyvane::RawValueHash {};

namespace nlohmann {
template <>
struct adl_serializer<tallyvane::Composition::Category> : tallyvane::RawValueCoding<tallyvane::Composition::Category> {};
}  // namespace nlohmann
