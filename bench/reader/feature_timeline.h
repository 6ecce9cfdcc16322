#pragma once
// A generated feature-length timeline as an editing application exports one, for the
// benchmarks that read it and write its report.

#include <string>

namespace tallyvane::bench {

// Clips with markers, keywords, metadata, effects, retiming, connected clips and titles,
// a transition every tenth clip, a multicam clip every hundredth; one media file per four
// clips. About 2.2 KB a clip.
std::string featureLengthTimeline(long clips);

}  // namespace tallyvane::bench
