#include "reader/assets.h"

#include <filesystem>
#include <ostream>
#include <system_error>

#include "model/asset.h"
#include "model/video_format.h"
#include "common/debug_text.h"
#include "reader/child_elements.h"
#include "reader/identifiers.h"
#include "reader/reader_context.h"
#include "reader/text_extensions.h"
#include "reader/time_values.h"
#include "reader/video_formats.h"
#include "xml/xml_element.h"

namespace tallyvane {

namespace {

const char* boolText(bool flag) { return flag ? "true" : "false"; }

// The times of an asset are counted at its format's rate, "60p" without one.
TimecodeFrameRate timesRate(const Asset& asset) {
    const std::string_view text = asset.videoFormat() ? std::string_view(asset.videoFormat()->videoFrameRate()) : "60p";
    const VideoFrameRate videoRate = videoFrameRateFromText(text).value_or(VideoFrameRate::fps60p);
    return TimecodeFrameRate::fromRate(videoRate.rate(), false).value_or(TimecodeFrameRate::fps60);
}

void setFormat(Asset& asset, const XMLElement& element, const ReaderContext& context) {
    const std::optional<std::string> formatID = element.attr("format");
    if (!formatID) return;
    const std::shared_ptr<VideoFormat> format = context.format(*formatID);
    if (!format) return;
    asset.setVideoFormat(format);
    if (format->width() >= 1 && format->height() >= 1) {
        asset.setFrameSize(std::to_string(format->width()) + " \u00D7 " + std::to_string(format->height()));
    }
}

void setLocation(Asset& asset, const XMLElement& element, std::ostream& log) {
    const std::optional<std::string> source = assetSourceURL(element);
    if (source && !source->empty()) {
        asset.setUrl(Url(*source));
        asset.setSecurityscopedURL(false);
    }
    if (log) log << debugQuoted("securityscopedURL:") << ' ' << boolText(asset.securityscopedURL()) << ' '
        << debugQuoted("url:") << ' ' << (asset.url() ? asset.url()->absoluteString() : debugQuoted("nil")) << '\n';
    if (!asset.url()) return;
    // A decoded NUL ("good.mov%00.txt") would cut the path short for the system, which would
    // then find another file than the one named.
    const std::string path = asset.url()->path();
    std::error_code error;
    const bool online = path.find('\0') == std::string::npos && std::filesystem::exists(path, error);
    if (log) log << debugQuoted("is asset online?") << ' ' << boolText(online) << '\n';
    asset.setOnline(online);
}

Asset::Category category(bool hasVideo, bool hasAudio, double duration) {
    if (hasVideo && hasAudio) return Asset::Category::AV;
    if (hasVideo) return duration != 0 ? Asset::Category::Video : Asset::Category::Image;
    if (hasAudio) return Asset::Category::Audio;
    return Asset::Category::Video;
}

std::shared_ptr<Asset> assetFrom(const XMLElement& element, const ReaderContext& context) {
    std::ostream& log = context.log();
    // A stream that no one reads is in a failed state: the texts would be built for nothing.
    if (log) log << element.rawXML() << " ---\n";
    auto asset = std::make_shared<Asset>(newIdentifier("as-"), "", 0.0, 0.0, "", nullptr, std::nullopt, false, false,
                                         false, false, "", "", "", Asset::Category::null);
    setFormat(*asset, element, context);
    setLocation(*asset, element, log);
    const TimecodeFrameRate rate = timesRate(*asset);

    bool hasVideo = false;
    bool hasAudio = false;
    for (const auto& [name, value] : element.attributes()) {
        if (log) log << '(' << debugQuoted(name) << ", " << debugQuoted(value) << ")\n";
        if (name == "id") {
            asset->setId(value);
        } else if (name == "name") {
            asset->setName(value);
        } else if (name == "start") {
            asset->setFirstFrame(framesFromFCPXML(value, rate, log));
        } else if (name == "duration") {
            asset->setDuration(framesFromFCPXML(value, rate, log));
        } else if (name == "hasVideo") {
            hasVideo = value == "1";
        } else if (name == "hasAudio") {
            hasAudio = value == "1";
        } else if (name == "audioSources" || name == "audioChannels") {
            log << name << '\n';
        } else if (name == "audioRate") {
            asset->setAudioRate(value);
        } else {
            log << name << " not needed\n";
        }
    }
    asset->setCategory(category(hasVideo, hasAudio, asset->duration()));
    return asset;
}

}  // namespace

std::optional<std::string> assetSourceURL(const std::optional<XMLElement>& asset) {
    if (!asset) return std::nullopt;
    std::optional<std::string> source = asset->attr("src");
    if (!source) {
        if (const std::optional<XMLElement> mediaRep = firstChildElement(*asset, {"media-rep"})) {
            source = mediaRep->attr("src");
        }
    }
    if (!source) return std::nullopt;
    return replacingOccurrences(*source, "file:///Volumes/", "file://localhost/Volumes/");
}

void storeAssets(ReaderContext& context) {
    readPrefetchingNext(context.index().assets, [&](const XMLElement& element) {
        context.elementRead();
        context.insertAsset(assetFrom(element, context), element);
    });
}

}  // namespace tallyvane
