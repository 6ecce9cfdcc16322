#pragma once
// What a remux carries of a movie besides its packets: each stream's parameters, aspect
// ratio, field order, colour description, display matrix, dispositions and metadata, and
// the container's metadata and chapters. Copied before writing, compared after.

#include <string>

#include "media/av_handles.h"

namespace tallyvane {

// Throws TimecodeMediaWriteError when memory runs out.
void copyStreamProperties(const AVFormatContext& input, const AVStream& in, AVStream& out);
void copyContainerProperties(const AVFormatContext& input, AVFormatContext& output);

// The first property that reads back otherwise, named for a message; empty when none.
std::string changedStreamProperty(const AVFormatContext& source, const AVStream& before,
                                  const AVFormatContext& written, const AVStream& after);
std::string changedContainerProperty(const AVFormatContext& before, const AVFormatContext& after);

}  // namespace tallyvane
