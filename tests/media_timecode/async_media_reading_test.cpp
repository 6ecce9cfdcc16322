#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <future>
#include <sstream>
#include <string>
#include <vector>

#include "media_timecode/asset_timecode_source.h"
#include "media_timecode/frame_rate_queries.h"
#include "media_timecode/timecode_reading.h"
#include "movie_fixtures.h"
#include "support/no_thread_starts.h"

namespace tallyvane {
namespace {

using testing::fromFile;
using testing::makeMovie;
using testing::videoSource;

// Answers of every kind as comparable text.
std::string shown(const TimecodeFrameRate& rate) { return std::string(rate.stringValue()); }
std::string shown(const VideoFrameRate& rate) { return std::string(rate.stringValue()); }
std::string shown(bool flag) { return flag ? "yes" : "no"; }
std::string shown(const Timecode& t) { return t.description() + " @ " + std::string(t.properties.frameRate.stringValue()); }
std::string shown(const std::optional<Timecode>& t) { return t ? shown(*t) : "none"; }
std::string shown(const TimecodeClosedRange& range) { return shown(range.lowerBound) + " ... " + shown(range.upperBound); }

std::string shown(float rate) { return std::to_string(rate); }

std::string shown(const FormatDescription& d) {
    return std::to_string(d.mediaSubtype) + "/" + std::to_string(d.frameDuration.value) + "/" +
           std::to_string(d.frameDuration.timescale) + "/" + std::to_string(d.timecodeFlags);
}

template <typename Item>
std::string shown(const std::vector<Item>& items) {
    std::string text = "[";
    for (const Item& item : items) text += shown(item) + ", ";
    return text + "]";
}

template <typename Call>
std::string answerText(const Call& call) {
    try {
        return shown(call());
    } catch (const std::exception& e) {
        return std::string("error: ") + e.what();
    }
}

// One query: its synchronous answer, and the start of its asynchronous form, which gives
// a call that waits for the answer.
struct AsyncQuery {
    std::string name;
    std::function<std::string()> now;
    std::function<std::function<std::string()>()> start;
};

template <typename T>
std::function<std::string()> awaited(std::future<T> pending) {
    return [answer = pending.share()] { return answerText([&]() -> const T& { return answer.get(); }); };
}

template <typename Sync, typename Async>
AsyncQuery asyncQuery(std::string name, Sync now, Async later) {
    return {std::move(name), [now] { return answerText(now); }, [later] { return awaited(later()); }};
}

std::vector<AsyncQuery> queriesOf(const MediaAsset& a) {
    const TimecodeProperties at24{TimecodeFrameRate::fps24, TimecodeSubFramesBase::quarterFrames,
                                  TimecodeUpperLimit::max24Hours};
    const TimecodeQuery query24{at24.frameRate, at24.subFramesBase, at24.upperLimit};
    std::vector<MediaTrack> tracks;
    try {
        tracks = a.load().tracks;
    } catch (const std::exception&) {
        MediaTrack unread;  // fails as the file does
        unread.assetPath = a.path();
        tracks.push_back(unread);
    }
    const MediaTrack track = tracks.front();
    const Timecode hour(TimecodeSourceValue::components(0, 1, 0, 0, 0), at24);
    std::vector<AsyncQuery> queries = {
        asyncQuery("timecode rate", [=] { return loadTimecodeFrameRate(a); }, [=] { return loadTimecodeFrameRateAsync(a); }),
        asyncQuery("timecode rate without drop", [=] { return loadTimecodeFrameRate(a, false); },
                   [=] { return loadTimecodeFrameRateAsync(a, false); }),
        asyncQuery("drop", [=] { return loadIsDropFrame(a); }, [=] { return loadIsDropFrameAsync(a); }),
        asyncQuery("video rate", [=] { return loadVideoFrameRate(a); }, [=] { return loadVideoFrameRateAsync(a); }),
        asyncQuery("video rate made from the asset", [=] { return videoFrameRate(a); },
                   [=] { return videoFrameRateAsync(a); }),
        asyncQuery("video rate made from the asset, interlaced", [=] { return loadVideoFrameRate(a, true); },
                   [=] { return videoFrameRateAsync(a, true); }),
        asyncQuery("interlaced", [=] { return loadIsInterlaced(a); }, [=] { return loadIsInterlacedAsync(a); }),
        asyncQuery("nominal rates", [=] { return loadNominalFrameRate(a); }, [=] { return loadNominalFrameRateAsync(a); }),
        asyncQuery("descriptions", [=] { return loadFormatDescriptions(tracks); },
                   [=] { return loadFormatDescriptionsAsync(tracks); }),
        asyncQuery("timecodes", [=] { return loadTimecodes(a, fromFile); }, [=] { return loadTimecodesAsync(a, fromFile); }),
        asyncQuery("start", [=] { return loadStartTimecode(a, fromFile); },
                   [=] { return loadStartTimecodeAsync(a, fromFile); }),
        asyncQuery("start at 24", [=] { return loadStartTimecode(a, query24); },
                   [=] { return loadStartTimecodeAsync(a, query24); }),
        asyncQuery("end", [=] { return loadEndTimecode(a, fromFile); }, [=] { return loadEndTimecodeAsync(a, fromFile); }),
        asyncQuery("duration", [=] { return loadDurationTimecode(a, fromFile); },
                   [=] { return loadDurationTimecodeAsync(a, fromFile); }),
        asyncQuery("track range", [=] { return loadTimecodeRange(track, fromFile); },
                   [=] { return loadTimecodeRangeAsync(track, fromFile); }),
        asyncQuery("track duration", [=] { return loadDurationTimecode(track, fromFile); },
                   [=] { return loadDurationTimecodeAsync(track, fromFile); }),
        asyncQuery("an hour plus the duration", [=] { return hour.adding(assetTimecodeSource(a, RangeAttribute::duration)); },
                   [=] { return hour.adding(AsyncTimecodeSourceValue::asset(a.path(), RangeAttribute::duration)); }),
    };
    for (const RangeAttribute attribute : {RangeAttribute::start, RangeAttribute::end, RangeAttribute::duration}) {
        const std::string name = "source " + std::to_string(static_cast<int>(attribute));
        queries.push_back(asyncQuery(name, [=] { return Timecode(assetTimecodeSource(a, attribute), at24); },
                                     [=] { return Timecode::make(AsyncTimecodeSourceValue::asset(a.path(), attribute), at24); }));
        queries.push_back(asyncQuery(
            name + " by rule", [=] { return Timecode(assetTimecodeSource(a, attribute), at24, TimecodeValidationRule::clamping); },
            [=] { return Timecode::make(AsyncTimecodeSourceValue::asset(a.path(), attribute), at24, TimecodeValidationRule::clamping); }));
        queries.push_back(asyncQuery(name + " rich", [=] { return hour.setting(assetRichTimecodeSource(a, attribute)); },
                                     [=] { return hour.setting(AsyncRichTimecodeSourceValue::asset(a.path(), attribute)); }));
    }
    return queries;
}

// Every query on every file started at once, twice on each file, answers as the
// synchronous forms do one after another: with and without timecode, and no media at all;
// and so does each one started where no thread can start.
TEST(AsyncMediaReading, ConcurrentReadsAnswerAsSynchronousOnes) {
    const testing::TemporaryFolder folder;
    const std::vector<MediaAsset> assets = {
        MediaAsset(makeMovie(folder / "drop.mov", videoSource("30000/1001") + " -c:v mpeg4 -timecode '00:09:59;29'")),
        MediaAsset(makeMovie(folder / "plain.mov", videoSource("25") + " -c:v mpeg4")),
        MediaAsset(folder / "missing.mov"),
    };
    std::vector<AsyncQuery> queries;
    for (const MediaAsset& asset : assets) {
        for (AsyncQuery& q : queriesOf(asset)) queries.push_back(std::move(q));
    }
    std::vector<std::function<std::string()>> answers;
    for (int round = 0; round < 2; ++round) {
        for (const AsyncQuery& q : queries) answers.push_back(q.start());
    }
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const AsyncQuery& q = queries[i % queries.size()];
        EXPECT_EQ(answers[i](), q.now()) << q.name;
    }
    {
        const test::NoThreadStarts noThreads;
        for (const AsyncQuery& q : queries) EXPECT_EQ(q.start()(), q.now()) << q.name << ", no thread can start";
    }
    // The files' own answers, to be sure they are worth comparing.
    EXPECT_EQ(loadStartTimecodeAsync(assets[0], fromFile).get()->stringValue(), "00:09:59;29");
    const TimecodeProperties at25{TimecodeFrameRate::fps25, TimecodeSubFramesBase::max80SubFrames,
                                  TimecodeUpperLimit::max24Hours};
    EXPECT_EQ(testing::parseErrorOf(
                  [&] { Timecode::make(AsyncTimecodeSourceValue::asset(assets[1].path(), RangeAttribute::start), at25).get(); }),
              TimecodeMediaParseError::Code::unknownTimecode);
    const Timecode zero = Timecode::make(AsyncTimecodeSourceValue::asset(assets[1].path(), RangeAttribute::start), at25,
                                         TimecodeValidationRule::wrapping)
                              .get();
    EXPECT_EQ(zero.components, TimecodeComponents::zero());
    EXPECT_EQ(zero.properties, at25);
}

}  // namespace
}  // namespace tallyvane
