#pragma once
// One media file that story elements use, with its times (frame counts), its format and
// where it lives.

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "model/model_object.h"
#include "model/raw_value.h"
#include "model/raw_value_coding.h"
#include "model/url.h"

namespace tallyvane {

class Asset : public ModelObject {
public:
    // The kind of media: `null` until known; `Image` is video without audio and without duration.
    enum class Category { null, Video, Audio, AV, Image };

    Asset(std::string id, std::string name, double firstFrame, double duration, std::string timecodeFrameRate,
          std::shared_ptr<VideoFormat> videoFormat, std::optional<Url> url, bool securityscopedURL, bool readable,
          bool online, bool added, std::string frameSize, std::string audioRate, std::string cameraName,
          Category category);

    const std::string& id() const noexcept { return id_; }
    void setId(std::string id) { id_ = std::move(id); }
    const std::string& name() const noexcept { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    double firstFrame() const noexcept { return firstFrame_; }
    void setFirstFrame(double frames) noexcept { firstFrame_ = frames; }
    double duration() const noexcept { return duration_; }
    void setDuration(double frames) noexcept { duration_ = frames; }
    // The raw text of a timecode frame rate, such as "29.97d".
    const std::string& timecodeFrameRate() const noexcept { return timecodeFrameRate_; }
    void setTimecodeFrameRate(std::string rate) { timecodeFrameRate_ = std::move(rate); }
    const std::shared_ptr<VideoFormat>& videoFormat() const noexcept { return videoFormat_; }
    void setVideoFormat(std::shared_ptr<VideoFormat> format);
    const std::optional<Url>& url() const noexcept { return url_; }
    void setUrl(std::optional<Url> url) { url_ = std::move(url); }
    bool securityscopedURL() const noexcept { return securityscopedURL_; }
    void setSecurityscopedURL(bool scoped) noexcept { securityscopedURL_ = scoped; }
    bool readable() const noexcept { return readable_; }
    void setReadable(bool readable) noexcept { readable_ = readable; }
    bool online() const noexcept { return online_; }
    void setOnline(bool online) noexcept { online_ = online; }
    bool added() const noexcept { return added_; }
    void setAdded(bool added) noexcept { added_ = added; }
    // Width, " × " and height of the format; empty unless both are positive.
    const std::string& frameSize() const noexcept { return frameSize_; }
    void setFrameSize(std::string size) { frameSize_ = std::move(size); }
    const std::string& audioRate() const noexcept { return audioRate_; }
    void setAudioRate(std::string rate) { audioRate_ = std::move(rate); }
    const std::string& cameraName() const noexcept { return cameraName_; }
    void setCameraName(std::string name) { cameraName_ = std::move(name); }
    Category category() const noexcept { return category_; }
    void setCategory(Category category) noexcept { category_ = category; }

    std::string debugDescription() const;

private:
    friend class Store;
    void visitRelated(const RelatedVisitor& visit) const;
    void releaseRelated() noexcept { videoFormat_.reset(); }

    std::string id_;
    std::string name_;
    double firstFrame_;
    double duration_;
    std::string timecodeFrameRate_;
    std::shared_ptr<VideoFormat> videoFormat_;
    std::optional<Url> url_;
    bool securityscopedURL_;
    bool readable_;
    bool online_;
    bool added_;
    std::string frameSize_;
    std::string audioRate_;
    std::string cameraName_;
    Category category_;
};

template <>
struct RawValues<Asset::Category> {
    static constexpr std::string_view typeName = "Asset::Category";
    static constexpr std::array<std::string_view, 5> texts{"null", "Video", "Audio", "AV", "Image"};
};

}  // namespace tallyvane

template <>
struct std::hash<tallyvane::Asset> : tallyvane::ModelObjectHash {};
template <>
struct std::hash<tallyvane::Asset::Category> : tallyvane::RawValueHash {};

namespace nlohmann {
template <>
struct adl_serializer<tallyvane::Asset::Category> : tallyvane::RawValueCoding<tallyvane::Asset::Category> {};
}  // namespace nlohmann
