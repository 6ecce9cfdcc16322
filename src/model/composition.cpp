#include "model/composition.h"

#include <stdexcept>

#include "model/audio_track.h"
#include "model/marked_range.h"
#include "model/metadata.h"
#include "model/video_format.h"
#include "model/video_track.h"

namespace tallyvane {

namespace {

std::shared_ptr<VideoFormat> required(std::shared_ptr<VideoFormat> format) {
    if (!format) throw std::invalid_argument("a composition needs a video format");
    return format;
}

}  // namespace

Composition::Composition(std::string id, std::string name, double firstFrame, double duration,
                         std::string timecodeFrameRate, std::shared_ptr<VideoFormat> videoFormat,
                         std::vector<std::shared_ptr<VideoTrack>> videoTracks, std::string audioChannelLayout,
                         std::int64_t audioSampleRate, std::vector<std::shared_ptr<AudioTrack>> audioTracks,
                         std::vector<std::shared_ptr<MarkedRange>> markers,
                         std::vector<std::shared_ptr<Metadata>> metadata, std::string notes, Category category)
    : ModelObject(ModelClass::Composition),
      id_(std::move(id)),
      name_(std::move(name)),
      firstFrame_(firstFrame),
      duration_(duration),
      timecodeFrameRate_(std::move(timecodeFrameRate)),
      videoFormat_(required(std::move(videoFormat))),
      videoTracks_(std::move(videoTracks)),
      audioChannelLayout_(std::move(audioChannelLayout)),
      audioSampleRate_(audioSampleRate),
      audioTracks_(std::move(audioTracks)),
      markers_(std::move(markers)),
      metadata_(std::move(metadata)),
      notes_(std::move(notes)),
      category_(category) {}

void Composition::setVideoFormat(std::shared_ptr<VideoFormat> format) {
    format = required(std::move(format));
    adopt(format);
    videoFormat_ = std::move(format);
}

void Composition::setVideoTracks(std::vector<std::shared_ptr<VideoTrack>> tracks) {
    adoptAll(tracks);
    videoTracks_ = std::move(tracks);
}

void Composition::appendVideoTrack(std::shared_ptr<VideoTrack> track) {
    adopt(track);
    videoTracks_.push_back(std::move(track));
}

void Composition::setAudioTracks(std::vector<std::shared_ptr<AudioTrack>> tracks) {
    adoptAll(tracks);
    audioTracks_ = std::move(tracks);
}

void Composition::appendAudioTrack(std::shared_ptr<AudioTrack> track) {
    adopt(track);
    audioTracks_.push_back(std::move(track));
}

void Composition::setMarkers(std::vector<std::shared_ptr<MarkedRange>> markers) {
    adoptAll(markers);
    markers_ = std::move(markers);
}

void Composition::appendMarker(std::shared_ptr<MarkedRange> marker) {
    adopt(marker);
    markers_.push_back(std::move(marker));
}

void Composition::setMetadata(std::vector<std::shared_ptr<Metadata>> metadata) {
    adoptAll(metadata);
    metadata_ = std::move(metadata);
}

void Composition::appendMetadata(std::shared_ptr<Metadata> item) {
    adopt(item);
    metadata_.push_back(std::move(item));
}

std::string Composition::debugDescription() const {
    return "Composition: " + std::string(rawValue(category_)) + ", \"" + name_ + "\", " +
           std::to_string(videoTracks_.size()) + " Video Tracks, " + std::to_string(audioTracks_.size()) +
           " Audio Tracks \n";
}

void Composition::visitRelated(const RelatedVisitor& visit) const {
    visit(modelRef(videoFormat_));
    for (const auto& track : videoTracks_) visit(modelRef(track));
    for (const auto& track : audioTracks_) visit(modelRef(track));
    for (const auto& marker : markers_) visit(modelRef(marker));
    for (const auto& item : metadata_) visit(modelRef(item));
}

// The format stays: it is required, and it is never part of a reference cycle.
void Composition::releaseRelated() noexcept {
    videoTracks_.clear();
    audioTracks_.clear();
    markers_.clear();
    metadata_.clear();
}

}  // namespace tallyvane
