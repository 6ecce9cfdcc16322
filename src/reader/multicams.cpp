#include "reader/multicams.h"

#include <ostream>
#include <string>
#include <vector>

#include "model/audio_track.h"
#include "model/composition.h"
#include "model/video_track.h"
#include "reader/child_elements.h"
#include "reader/reader_context.h"
#include "reader/story_elements.h"
#include "reader/time_values.h"

namespace tallyvane {

void storeMulticams(ReaderContext& reader) {
    std::ostream& log = reader.log();
    for (const XMLElement& multicam : reader.index().multicams) {
        auto composition = std::make_shared<Composition>(
            "", "", 0.0, 0.0, "", reader.defaultVideoFormat(), std::vector<std::shared_ptr<VideoTrack>>{}, "", 48000,
            std::vector<std::shared_ptr<AudioTrack>>{}, std::vector<std::shared_ptr<MarkedRange>>{},
            std::vector<std::shared_ptr<Metadata>>{}, "", Composition::Category::Multicam);
        const std::optional<XMLElement> media = multicam.parent();
        if (log) log << (media ? media->rawXML() : "BROKEN") << " ---\n";
        const std::optional<std::string> id = media ? media->attr("id") : std::nullopt;
        if (id) {
            composition->setId(*id);
            composition->setName(media->attr("name").value_or("Multicam"));
        }
        reader.insertComposition(composition);
        if (!id) continue;

        const std::optional<std::string> formatID = multicam.attr("format");
        const std::shared_ptr<VideoFormat> format = formatID ? reader.format(*formatID) : nullptr;
        if (!format) {
            log << "\"CANNOT find a matching format\"\n";
            continue;
        }
        composition->setVideoFormat(format);
        const TimecodeFrameRate rate = frameRateFromVideoRate(format->videoFrameRate(), multicam.attrText("tcFormat") == "DF", log);
        composition->setTimecodeFrameRate(std::string(rate.stringValue()));
        const std::string tcStart = multicam.attr("tcStart").value_or("0s");
        const Fraction start = reader.frames().seconds(tcStart);
        composition->setFirstFrame(framesFromSeconds(start, rate, log, tcStart));
        reader.exactTimes().noteStart(*composition, start);

        const std::vector<XMLElement> angles = childElements(multicam, {"mc-angle"});
        for (std::size_t i = 0; i < angles.size(); ++i) {
            const XMLElement& angle = angles[i];
            const StoryList list{StorylineContext::MCangle, composition, static_cast<std::int64_t>(i),
                                 angle.attr("name").value_or(""), angle.attr("angleID").value_or(""), std::nullopt};
            storeStoryElements(childElements(angle, {"clip", "asset-clip", "video", "sync-clip", "ref-clip"}), list,
                               reader);
        }
    }
}

}  // namespace tallyvane
