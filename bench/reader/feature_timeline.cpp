#include "feature_timeline.h"

#include <string_view>
#include <utility>

namespace tallyvane::bench {

namespace {

// A feature's media: a few clips are cut from each source file.
constexpr long kClipsPerAsset = 4;

std::string seconds(long frames) { return std::to_string(frames * 100) + "/2500s"; }

// The document is laid out as an editing application exports one: indented four spaces a
// level, identifiers, signatures and bookmarks on the media, colour conform and parameters
// on the clips. Its size per clip is what real exports of feature timelines have.
class Export {
public:
    void line(int depth, std::string_view markup) {
        text_.append(static_cast<std::size_t>(depth) * 4, ' ');
        text_ += markup;
        text_ += '\n';
    }
    std::string take() { return std::move(text_); }

private:
    std::string text_;
};

std::string hex32(long seed) {
    static constexpr std::string_view digits = "0123456789ABCDEF";
    std::string text;
    unsigned long value = static_cast<unsigned long>(seed) * 2654435761UL + 97;
    for (int i = 0; i < 32; ++i) {
        text += digits[value % 16];
        value = value * 6364136223846793005UL + 1442695040888963407UL;
        value ^= value >> 29;
    }
    return text;
}

std::string bookmark(long seed) {
    static constexpr std::string_view base64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    unsigned long value = static_cast<unsigned long>(seed) + 1;
    for (int i = 0; i < 1200; ++i) {
        value = value * 6364136223846793005UL + 1442695040888963407UL;
        text += base64[(value >> 33) % 64];
    }
    return text;
}

std::string sourceName(long asset) { return "A" + std::to_string(100 + asset / 60) + "_C" + std::to_string(asset % 60) + "_0312XK"; }

void writeAsset(Export& out, long asset) {
    const std::string name = sourceName(asset);
    out.line(2, "<asset id=\"a" + std::to_string(asset) + "\" name=\"" + name + "\" uid=\"" + hex32(asset) +
                    "\" start=\"0s\" duration=\"3600s\" hasVideo=\"1\" format=\"r1\" hasAudio=\"1\" "
                    "videoSources=\"1\" audioSources=\"1\" audioChannels=\"2\" audioRate=\"48000\">");
    out.line(3, "<media-rep kind=\"original-media\" sig=\"" + hex32(asset + 7) +
                    "\" src=\"file:///Volumes/Feature%20Media/Day%20" + std::to_string(1 + asset / 60) + "/" + name +
                    ".mov\">");
    out.line(4, "<bookmark>" + bookmark(asset) + "</bookmark>");
    out.line(3, "</media-rep>");
    out.line(3, "<metadata>");
    out.line(4, "<md key=\"com.apple.proapps.studio.rawToLogConversion\" value=\"0\"/>");
    out.line(4, "<md key=\"com.apple.proapps.spotlight.kMDItemProfileName\" value=\"HD (Rec. 709)\"/>");
    out.line(4, "<md key=\"com.apple.proapps.studio.cameraISO\" value=\"800\"/>");
    out.line(4, "<md key=\"com.apple.proapps.studio.reel\" value=\"A" + std::to_string(100 + asset / 60) + "\"/>");
    out.line(4, "<md key=\"com.apple.proapps.mio.cameraName\" value=\"A Camera\"/>");
    out.line(4, "<md key=\"com.apple.proapps.mio.ingestDate\" value=\"2026-03-02 09:14:05 +0000\"/>");
    out.line(3, "</metadata>");
    out.line(2, "</asset>");
}

void writeResources(Export& out, long assets) {
    out.line(1, "<resources>");
    out.line(2, "<format id=\"r1\" name=\"FFVideoFormat1080p25\" frameDuration=\"100/2500s\" width=\"1920\" "
                "height=\"1080\" colorSpace=\"1-1-1 (Rec. 709)\"/>");
    out.line(2, "<effect id=\"e1\" name=\"Basic Title\" uid=\".../Titles.localized/Bumper:Opener.localized/"
                "Basic Title.localized/Basic Title.moti\"/>");
    out.line(2, "<effect id=\"e2\" name=\"Cross Dissolve\" uid=\"FxPlug:4731E73A-8DAC-4113-9A30-AE85B1761265\"/>");
    out.line(2, "<effect id=\"e3\" name=\"Gaussian Blur\" uid=\".../Effects.localized/Blur.localized/"
                "Gaussian.localized/Gaussian.moef\"/>");
    for (long a = 0; a < assets; ++a) writeAsset(out, a);
    out.line(2, "<media id=\"m1\" name=\"Multicam\" uid=\"" + hex32(-1) + "\">");
    out.line(3, "<multicam format=\"r1\" tcStart=\"0s\" tcFormat=\"NDF\">");
    for (const char* angle : {"A", "B"}) {
        out.line(4, std::string("<mc-angle name=\"") + angle + "\" angleID=\"" + angle + "\">");
        out.line(5, std::string("<asset-clip ref=\"a") + (angle[0] == 'A' ? "0" : "1") +
                        "\" offset=\"0s\" name=\"Angle " + angle +
                        "\" start=\"0s\" duration=\"3600s\" tcFormat=\"NDF\" audioRole=\"dialogue\"/>");
        out.line(4, "</mc-angle>");
    }
    out.line(3, "</multicam>");
    out.line(2, "</media>");
    out.line(1, "</resources>");
}

void writeTitle(Export& out, long clip, const std::string& offset) {
    const std::string style = "ts" + std::to_string(clip);
    out.line(6, "<title ref=\"e1\" lane=\"2\" offset=\"" + offset + "\" name=\"Lower Third " + std::to_string(clip) +
                    "\" start=\"3600s\" duration=\"" + seconds(75) + "\">");
    out.line(7, "<param name=\"Position\" key=\"9999/999166631/999166633/1/100/101\" value=\"0 -420\"/>");
    out.line(7, "<param name=\"Alignment\" key=\"9999/999166631/999166633/2/354/999169573/401\" "
                "value=\"1 (Center)\"/>");
    out.line(7, "<text>");
    out.line(8, "<text-style ref=\"" + style + "\">Interviewee " + std::to_string(clip) + "</text-style>");
    out.line(7, "</text>");
    out.line(7, "<text-style-def id=\"" + style + "\">");
    out.line(8, "<text-style font=\"Helvetica Neue\" fontSize=\"60\" fontFace=\"Medium\" fontColor=\"1 1 1 1\" "
                "alignment=\"center\"/>");
    out.line(7, "</text-style-def>");
    out.line(6, "</title>");
}

void writeClip(Export& out, long clip, long assets) {
    const std::string offset = seconds(clip * 100);
    const std::string start = seconds(1000 + (clip % 50) * 10);
    const long asset = clip / kClipsPerAsset % assets;
    if (clip % 100 == 99) {
        out.line(5, "<mc-clip ref=\"m1\" offset=\"" + offset + "\" name=\"Multicam " + std::to_string(clip) +
                        "\" start=\"" + start + "\" duration=\"" + seconds(100) + "\">");
        out.line(6, "<mc-source angleID=\"A\" srcEnable=\"video\"/>");
        out.line(6, "<mc-source angleID=\"B\" srcEnable=\"audio\"/>");
        out.line(5, "</mc-clip>");
        return;
    }
    out.line(5, "<asset-clip ref=\"a" + std::to_string(asset) + "\" offset=\"" + offset + "\" name=\"" +
                    sourceName(asset) + "\" start=\"" + start + "\" duration=\"" + seconds(100) +
                    "\" format=\"r1\" tcFormat=\"NDF\" audioRole=\"dialogue.dialogue-1\">");
    out.line(6, "<note>Scene " + std::to_string(clip / 30) + ", take " + std::to_string(clip % 7) +
                    ": use the second half</note>");
    out.line(6, "<conform-rate srcFrameRate=\"25\"/>");
    out.line(6, "<adjust-colorConform enabled=\"1\" autoOrManual=\"automatic\" conformType=\"conformNone\" "
                "peakNitsOfPQSource=\"1000\" peakNitsOfSDRToPQSource=\"203\"/>");
    out.line(6, "<adjust-transform position=\"1.5 -2\" scale=\"1.1 1.1\"/>");
    out.line(6, "<adjust-volume amount=\"-3dB\"/>");
    out.line(6, "<filter-video ref=\"e3\" name=\"Gaussian Blur\">");
    out.line(7, "<param name=\"Amount\" key=\"9999/gaussianBlur/1\" value=\"4.5\"/>");
    out.line(6, "</filter-video>");
    if (clip % 20 == 0) {
        out.line(6, "<timeMap frameSampling=\"optical-flow\">");
        out.line(7, "<timept time=\"0s\" value=\"0s\" interp=\"smooth2\"/>");
        out.line(7, "<timept time=\"10s\" value=\"20s\" interp=\"smooth2\"/>");
        out.line(6, "</timeMap>");
    }
    if (clip % 5 == 0) {
        const long broll = (asset + 7) % assets;
        out.line(6, "<asset-clip ref=\"a" + std::to_string(broll) + "\" lane=\"1\" offset=\"" + start +
                        "\" name=\"" + sourceName(broll) + "\" start=\"0s\" duration=\"" + seconds(40) +
                        "\" format=\"r1\" tcFormat=\"NDF\" audioRole=\"effects\">");
        out.line(7, "<adjust-colorConform enabled=\"1\" autoOrManual=\"automatic\" conformType=\"conformNone\" "
                    "peakNitsOfPQSource=\"1000\" peakNitsOfSDRToPQSource=\"203\"/>");
        out.line(6, "</asset-clip>");
        writeTitle(out, clip, start);
    }
    out.line(6, "<marker start=\"" + seconds(1005 + (clip % 50) * 10) + "\" duration=\"" + seconds(1) +
                    "\" value=\"Check the focus on shot " + std::to_string(clip) + "\" completed=\"0\" "
                    "note=\"look at the background\"/>");
    out.line(6, "<keyword start=\"" + start + "\" duration=\"" + seconds(50) + "\" value=\"Interview, Close Up\"/>");
    out.line(6, "<metadata>");
    out.line(7, "<md key=\"com.apple.proapps.studio.scene\" value=\"" + std::to_string(clip / 30) + "\"/>");
    out.line(7, "<md key=\"com.apple.proapps.studio.shot\" value=\"" + std::to_string(clip % 7) + "\"/>");
    out.line(7, "<md key=\"com.apple.proapps.studio.angle\" value=\"A\"/>");
    out.line(6, "</metadata>");
    out.line(5, "</asset-clip>");
    if (clip % 10 == 9) {
        out.line(5, "<transition name=\"Cross Dissolve\" offset=\"" + seconds(clip * 100 + 90) + "\" duration=\"" +
                        seconds(20) + "\">");
        out.line(6, "<filter-video ref=\"e2\" name=\"Cross Dissolve\">");
        out.line(7, "<param name=\"Look\" key=\"1\" value=\"11 (Video)\"/>");
        out.line(7, "<param name=\"Amount\" key=\"2\" value=\"50\"/>");
        out.line(6, "</filter-video>");
        out.line(5, "</transition>");
    }
}

}  // namespace

std::string featureLengthTimeline(long clips) {
    const long assets = (clips + kClipsPerAsset - 1) / kClipsPerAsset;
    Export out;
    out.line(0, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    out.line(0, "<!DOCTYPE fcpxml>");
    out.line(0, "");
    out.line(0, "<fcpxml version=\"1.11\">");
    writeResources(out, assets);
    out.line(1, "<library location=\"file:///Users/editor/Movies/Feature.fcpbundle/\">");
    out.line(2, "<event name=\"Feature\" uid=\"" + hex32(-2) + "\">");
    out.line(3, "<project name=\"Feature Cut\" uid=\"" + hex32(-3) + "\" modDate=\"2026-03-04 18:20:11 +0000\">");
    out.line(4, "<sequence format=\"r1\" duration=\"" + seconds(clips * 100L) +
                    "\" tcStart=\"3600s\" tcFormat=\"NDF\" audioLayout=\"stereo\" audioRate=\"48k\">");
    out.line(5, "<spine>");
    for (long i = 0; i < clips; ++i) writeClip(out, i, assets);
    out.line(5, "</spine>");
    out.line(4, "</sequence>");
    out.line(3, "</project>");
    out.line(2, "</event>");
    out.line(1, "</library>");
    out.line(0, "</fcpxml>");
    return out.take();
}

}  // namespace tallyvane::bench
