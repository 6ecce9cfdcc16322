#include "reader/story_elements.h"

#include <optional>
#include <ostream>
#include <string>

#include "model/asset.h"
#include "reader/child_elements.h"
#include "reader/identifiers.h"
#include "reader/node_extensions.h"
#include "reader/placement.h"
#include "reader/reader_context.h"
#include "reader/roles.h"
#include "reader/story_element_defaults.h"
#include "reader/text_extensions.h"
#include "reader/time_values.h"

namespace tallyvane {

namespace {

using Category = StoryElement::Category;

constexpr std::string_view kRule = "--------------------";
// Stills hold their frames as if their media started one hour in.
constexpr std::string_view kStillImageStart = "3600s";

Category kindOfTag(std::string_view tag) {
    if (tag == "clip" || tag == "asset-clip" || tag == "audio" || tag == "video") return Category::assetclip;
    if (tag == "gap") return Category::gap;
    if (tag == "title") return Category::title;
    if (tag == "caption") return Category::caption;
    if (tag == "sync-clip") return Category::syncclip;
    if (tag == "mc-clip") return Category::mcclip;
    if (tag == "ref-clip") return Category::refclip;
    if (tag == "audition") return Category::audition;
    return Category::null;
}

std::string categoryText(StorylineContext context, std::string_view word) {
    return std::string(rawValue(context)) + " " + std::string(word);
}

// The rate of the element's own media: its asset's format, else the composition's; audio
// is counted at 60. A format named on the element itself wins when it has a rate.
TimecodeFrameRate clipRate(const XMLElement& clipElement, const Asset* asset, const Composition& composition,
                           const ReaderContext& reader) {
    const bool drop = clipElement.attrText("tcFormat") == "DF";
    std::string rateText = asset != nullptr && asset->videoFormat() ? asset->videoFormat()->videoFrameRate()
                                                                      : composition.videoFormat()->videoFrameRate();
    if (asset != nullptr && asset->category() == Asset::Category::Audio) rateText = "60";
    const std::optional<std::string> last = lastCharacter(rateText);
    if (last != "p" && last != "i") rateText += "p";
    if (const std::optional<AttributeText> formatID = clipElement.attrText("format")) {
        const std::shared_ptr<VideoFormat> format = reader.format(*formatID);
        if (format && !format->videoFrameRate().empty()) rateText = format->videoFrameRate();
    }
    return frameRateFromVideoRate(rateText, drop, reader.log());
}

std::string joined(const std::vector<std::string>& parts, std::string_view separator) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) text += separator;
        text += parts[i];
    }
    return text;
}

// The first style of the first style definition with that identifier that has one.
std::optional<XMLElement> textStyle(const XMLElement& clipElement, std::string_view ref) {
    for (const XMLElement& definition : childElements(clipElement, {"text-style-def"})) {
        if (definition.attr("id") != ref) continue;
        if (std::optional<XMLElement> style = firstChildElement(definition, {"text-style"})) return style;
    }
    return std::nullopt;
}

// The params of a title: its text runs, and the fonts of the styles they use.
StoryElement::Params titleParams(const XMLElement& clipElement) {
    std::vector<std::string> refs;
    std::vector<std::string> texts;
    for (const XMLElement& run : childElements(clipElement, "text", {"text-style"})) {
        if (std::optional<std::string> ref = run.attr("ref")) refs.push_back(std::move(*ref));
        texts.push_back(run.stringValue());
    }
    std::vector<std::string> fonts;
    for (const std::string& ref : refs) {
        const std::optional<XMLElement> style = textStyle(clipElement, ref);
        if (!style) continue;
        const auto font = style->attr("font");
        const auto face = style->attr("fontFace");
        const auto size = style->attr("fontSize");
        if (font && face && size) fonts.push_back(*font + " " + *face + " " + *size);
    }
    const std::string text = joined(texts, "  |  ");
    if (text.empty()) return {};
    return {{"font", joined(fonts, ", ")}, {"text", text}};
}

// Titles, captions, generators and gaps take their name and origin from their effect.
void applyEffectResource(StoryElement& element, const XMLElement& clipElement, StorylineContext context,
                         const ReaderContext& reader) {
    const Category kind = element.category();
    element.setTimelineClipCategory(categoryText(context, "video"));
    element.setAppleEffect(false);
    if (kind != Category::title && kind != Category::caption && kind != Category::generator && kind != Category::gap) {
        return;
    }
    element.setTimelineClipCategory(categoryText(context, rawValue(kind)));
    const std::optional<AttributeText> ref = clipElement.attrText("ref");
    if (const std::optional<XMLElement> effect = reader.effectResource(ref ? ref->view() : "MISSING")) {
        if (std::optional<std::string> name = effect->attr("name")) element.setName(std::move(*name));
        const std::optional<AttributeText> uidText = effect->attrText("uid");
        const std::string_view uid = uidText ? uidText->view() : "MISSING";
        element.setAppleEffect(!uid.starts_with("~/") && !uid.starts_with("/Library"));
    }
    if (kind == Category::caption) {
        element.setTimelineClipCategory("Caption");
        element.setAppleEffect(true);
    }
}

void storeStoryElement(const XMLElement& element, const StoryList& list, TimecodeFrameRate compositionRate,
                       ReaderContext& reader) {
    std::ostream& log = reader.log();
    const std::optional<AttributeText> elementName = element.attrText("name");
    if (log) log << kRule << ' ' << (elementName ? elementName->view() : "clipElem has no name") << '\n';
    const std::string tag = tagName(element).value_or("");
    std::string ref = element.attr("ref").value_or("");
    Category kind = kindOfTag(tag);
    XMLElement clipElement = element;
    if (kind == Category::audition) {
        const std::vector<XMLElement> children = element.children();
        if (!children.empty()) clipElement = children.front();
    } else if (tag == "clip") {
        const std::optional<XMLElement> media = firstChildElement(element, {"video", "audio"});
        ref = media ? media->attr("ref").value_or("") : "";
    }

    const std::shared_ptr<Asset> asset = reader.asset(ref);
    if (asset && asset->category() == Asset::Category::Image) {
        kind = Category::stillImage;
    } else if (!asset && hasTag(clipElement, "video") && reader.effectResource(ref)) {
        kind = Category::generator;
    }

    const TimecodeFrameRate rate = clipRate(clipElement, asset.get(), *list.composition, reader);
    BuiltElement built{clipElement, nullptr};
    built.clipRate = rate;
    built.compositionRate = compositionRate;
    FrameCounter& frames = reader.frames();
    built.start = frames.seconds(clipElement, "start");
    // An audition stands where the audition stands: its clips are alternatives at one
    // place, and counting the audition's offset again through the clip would move it.
    const XMLElement& placed = kind == Category::audition ? element : clipElement;
    built.offset = frames.seconds(placed, "offset");
    built.duration = frames.seconds(clipElement, "duration");
    const double duration = frames(built.duration, compositionRate);
    if (duration == 0.0) return;
    const ElementPosition position = elementPosition(placed, list, frames);
    built.cumulativeOffset = position.cumulativeOffset;
    built.sortOrder = position.sortOrder;

    auto story = makeStoryElement(kind, built.sortOrder);
    story->setId(newIdentifier(""));
    std::optional<std::string> name = clipElement.attr("name");
    story->setName(name ? *name : asset ? asset->name() : "Clip");
    applyEffectResource(*story, clipElement, list.context, reader);
    story->setClipTimelinePosition(frames(built.timelinePosition(), compositionRate));
    story->setClipDuration(duration);
    story->setSrcInpoint(frames(built.start, rate));
    story->setSrcDuration(frames(built.duration, rate));
    story->setTimelineEnd(endFrames(built.timelinePosition(), built.duration, compositionRate));
    story->setSrcEnd(endFrames(built.start, built.duration, rate));
    story->setTimecodeFrameRate(std::string(rate.stringValue()));
    ResolvedRoles roles = resolveRoles(clipElement, asset.get(), reader.capitalizer(), log);
    story->setVideoRole(std::move(roles.videoRole));
    story->setAudioRole(std::move(roles.audioRole));
    story->setAudioSubroles(std::move(roles.audioSubroles));
    if (const std::optional<XMLElement> note = firstChildElement(clipElement, {"note"})) {
        story->setNotes(note->stringValue());
    }

    if (asset) {
        story->setAsset(asset);
        story->setFirstFrame(asset->category() == Asset::Category::Image
                                 ? frames(kStillImageStart, rate)
                                 : asset->firstFrame());
    }
    if (kind == Category::title) story->setParams(titleParams(clipElement));
    if (clipElement.attrText("enabled") == "0") story->setEnabled(false);

    built.storyElement = std::move(story);
    placeStoryElement(built, list, reader);
}

}  // namespace

ElementPosition elementPosition(const XMLElement& element, const StoryList& list, FrameCounter& frames) {
    const std::optional<XMLElement> parent = element.parent();
    const std::optional<XMLElement> grandparent = parent ? parent->parent() : std::nullopt;
    const std::optional<XMLElement> greatGrandparent = grandparent ? grandparent->parent() : std::nullopt;
    const auto time = [&](const std::optional<XMLElement>& of, std::string_view name) {
        if (name == "offset" && of && of == list.syncClip) return Fraction(0, 1);
        return frames.seconds(of, name);
    };
    switch (list.context) {
        case StorylineContext::MCangle:
            frames.log() << "Angle's cumulativeOffset/adjustment is overridden later...\n";
            return {Fraction(0, 1), 999};
        case StorylineContext::Primary:
            return {time(parent, "offset"), 100};
        case StorylineContext::Connected:
            return {time(parent, "offset") + time(grandparent, "offset") - time(parent, "start"), 300};
        case StorylineContext::Secondary:
            break;
    }
    if (!hasTag(element, "caption")) {
        return {time(parent, "offset") + time(grandparent, "offset") + time(greatGrandparent, "offset") -
                    time(grandparent, "start"),
                200};
    }
    if (grandparent && grandparent->tag() == "spine") {
        return {time(parent, "offset") - time(parent, "start") + time(grandparent, "offset") +
                    time(greatGrandparent, "offset") - time(greatGrandparent, "start"),
                200};
    }
    return {time(parent, "offset") - time(parent, "start") + time(grandparent, "offset") - time(grandparent, "start"),
            200};
}

void storeStoryElements(const std::vector<XMLElement>& elements, const StoryList& list, ReaderContext& reader) {
    if (elements.empty()) return;
    const std::optional<TimecodeFrameRate> rate = TimecodeFrameRate::fromRawValue(list.composition->timecodeFrameRate());
    if (!rate) {
        // Every time of the list would be counted at a guessed rate.
        reader.log() << "Skipping " << elements.size() << " elements of " << list.composition->name()
                     << ": unknown frame rate \"" << list.composition->timecodeFrameRate() << "\"\n";
        return;
    }
    readPrefetchingNext(elements, [&](const XMLElement& element) {
        reader.elementRead();
        try {
            storeStoryElement(element, list, *rate, reader);
        } catch (const FractionError&) {
            // Sums of times whose terms no longer fit 64 bits: far outside any timeline.
            reader.log() << "Skipping " << element.attr("name").value_or("clipElem has no name")
                         << ": its times do not add up in 64-bit terms\n";
        }
    });
}

}  // namespace tallyvane
