#include "media_timecode/mov_boxes.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <string_view>

#include "media/path_text.h"
#include "media_timecode/media_timecode_errors.h"

namespace tallyvane {

namespace {

constexpr std::uint32_t moovType = fourCharCode('m', 'o', 'o', 'v');
constexpr std::uint32_t trakType = fourCharCode('t', 'r', 'a', 'k');
constexpr std::uint32_t tkhdType = fourCharCode('t', 'k', 'h', 'd');
constexpr std::uint32_t trefType = fourCharCode('t', 'r', 'e', 'f');
constexpr std::uint32_t mdiaType = fourCharCode('m', 'd', 'i', 'a');
constexpr std::uint32_t hdlrType = fourCharCode('h', 'd', 'l', 'r');
constexpr std::uint32_t minfType = fourCharCode('m', 'i', 'n', 'f');
constexpr std::uint32_t stblType = fourCharCode('s', 't', 'b', 'l');
constexpr std::uint32_t stsdType = fourCharCode('s', 't', 's', 'd');
constexpr std::uint32_t sttsType = fourCharCode('s', 't', 't', 's');
constexpr std::uint32_t mdhdType = fourCharCode('m', 'd', 'h', 'd');
constexpr std::uint32_t gmhdType = fourCharCode('g', 'm', 'h', 'd');

bool opensAsContainer(std::uint32_t type) {
    return type == moovType || type == trakType || type == mdiaType || type == minfType || type == stblType ||
           type == trefType || type == gmhdType;
}

std::uint64_t readBig(std::span<const std::uint8_t> bytes) {
    std::uint64_t value = 0;
    for (const std::uint8_t byte : bytes) value = value << 8 | byte;
    return value;
}

void writeBig(std::vector<std::uint8_t>& out, std::uint64_t value, int size) {
    for (int shift = (size - 1) * 8; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

[[noreturn]] void malformed(const std::string& what) { throw TimecodeMediaWriteError("malformed movie: " + what); }

struct Header {
    std::uint32_t type;
    std::uint64_t headerSize;
    std::uint64_t size;  // whole box; 0 means up to the end
};

Header readHeader(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 8) malformed("truncated box header");
    Header header{static_cast<std::uint32_t>(readBig(bytes.subspan(4, 4))), 8, readBig(bytes.subspan(0, 4))};
    if (header.size == 1) {
        if (bytes.size() < 16) malformed("truncated box header");
        header.headerSize = 16;
        header.size = readBig(bytes.subspan(8, 8));
    }
    return header;
}

}  // namespace

MovBox* MovBox::child(std::uint32_t childType) {
    const auto found =
        std::find_if(children.begin(), children.end(), [&](const MovBox& b) { return b.type == childType; });
    return found == children.end() ? nullptr : &*found;
}

const MovBox* MovBox::child(std::uint32_t childType) const { return const_cast<MovBox*>(this)->child(childType); }

std::vector<MovBox> parseMovBoxes(std::span<const std::uint8_t> bytes, int depth) {
    // Real movies nest these containers five deep; a crafted file must not exhaust the stack.
    if (depth > 16) malformed("boxes nested too deep");
    std::vector<MovBox> boxes;
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        const std::span<const std::uint8_t> rest = bytes.subspan(offset);
        const Header header = readHeader(rest);
        const std::uint64_t size = header.size == 0 ? rest.size() : header.size;
        if (size < header.headerSize || size > rest.size()) malformed("box size out of its parent");
        MovBox box;
        box.type = header.type;
        const std::span<const std::uint8_t> body = rest.subspan(header.headerSize, size - header.headerSize);
        if (opensAsContainer(header.type)) {
            box.isContainer = true;
            box.children = parseMovBoxes(body, depth + 1);
        } else {
            box.payload.assign(body.begin(), body.end());
        }
        boxes.push_back(std::move(box));
        offset += size;
    }
    return boxes;
}

std::vector<std::uint8_t> serializeMovBox(const MovBox& box) {
    std::vector<std::uint8_t> body;
    if (box.isContainer) {
        for (const MovBox& child : box.children) {
            const std::vector<std::uint8_t> bytes = serializeMovBox(child);
            body.insert(body.end(), bytes.begin(), bytes.end());
        }
    } else {
        body = box.payload;
    }
    std::vector<std::uint8_t> out;
    const std::uint64_t size = body.size() + 8;
    if (size <= std::numeric_limits<std::uint32_t>::max()) {
        writeBig(out, size, 4);
        writeBig(out, box.type, 4);
    } else {
        writeBig(out, 1, 4);
        writeBig(out, box.type, 4);
        writeBig(out, size + 8, 8);
    }
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

MovieFile::MovieFile(std::filesystem::path path) : path_(std::move(path)) {
    std::ifstream in(path_, std::ios::binary);
    if (!in) throw TimecodeMediaWriteError("cannot read " + quotedPath(path_));
    std::error_code error;
    const std::uint64_t fileSize = std::filesystem::file_size(path_, error);
    if (error) throw TimecodeMediaWriteError("cannot read " + quotedPath(path_) + ": " + error.message());
    std::uint64_t offset = 0;
    std::optional<Header> movie;
    while (offset < fileSize) {
        std::uint8_t raw[16] = {};
        const std::uint64_t available = std::min<std::uint64_t>(16, fileSize - offset);
        in.seekg(static_cast<std::streamoff>(offset));
        if (!in.read(reinterpret_cast<char*>(raw), static_cast<std::streamsize>(available))) {
            malformed("unreadable box");
        }
        Header header = readHeader({raw, static_cast<std::size_t>(available)});
        if (header.size == 0) header.size = fileSize - offset;
        if (header.size < header.headerSize || header.size > fileSize - offset) malformed("box beyond the file");
        if (header.type == moovType && !movie) {
            movie = header;
            movieOffset_ = offset;
        }
        offset += header.size;
    }
    if (!movie) malformed("no movie box");
    movieIsLast_ = movieOffset_ + movie->size == fileSize;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(movie->size));
    in.seekg(static_cast<std::streamoff>(movieOffset_));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
        malformed("unreadable movie box");
    }
    std::vector<MovBox> boxes = parseMovBoxes(bytes);
    movie_ = std::move(boxes.front());
}

std::vector<MovBox*> MovieFile::tracks() {
    std::vector<MovBox*> result;
    for (MovBox& box : movie_.children) {
        if (box.type == trakType) result.push_back(&box);
    }
    return result;
}

std::uint32_t MovieFile::trackId(const MovBox& track) {
    const MovBox* header = track.child(tkhdType);
    if (header == nullptr || header->payload.empty()) malformed("track without header");
    const std::size_t at = header->payload[0] == 1 ? 20 : 12;
    if (header->payload.size() < at + 4) malformed("short track header");
    return static_cast<std::uint32_t>(readBig(std::span(header->payload).subspan(at, 4)));
}

namespace {

std::uint8_t& trackFlags(const MovBox& track) {
    MovBox* header = const_cast<MovBox&>(track).child(tkhdType);
    if (header == nullptr || header->payload.size() < 4) malformed("track without header");
    return header->payload[3];
}

}  // namespace

bool MovieFile::isEnabled(const MovBox& track) { return (trackFlags(track) & 1) != 0; }

void MovieFile::setEnabled(MovBox& track, bool enabled) {
    std::uint8_t& flags = trackFlags(track);
    flags = static_cast<std::uint8_t>(enabled ? flags | 1 : flags & ~1);
}

std::optional<std::uint32_t> MovieFile::handlerType(const MovBox& track) {
    const MovBox* media = track.child(mdiaType);
    const MovBox* handler = media == nullptr ? nullptr : media->child(hdlrType);
    if (handler == nullptr || handler->payload.size() < 12) return std::nullopt;
    return static_cast<std::uint32_t>(readBig(std::span(handler->payload).subspan(8, 4)));
}

std::vector<std::uint32_t> MovieFile::timecodeReferences(const MovBox& track) {
    std::vector<std::uint32_t> ids;
    const MovBox* references = track.child(trefType);
    const MovBox* timecode = references == nullptr ? nullptr : references->child(timeCode32Subtype);
    if (timecode == nullptr) return ids;
    for (std::size_t at = 0; at + 4 <= timecode->payload.size(); at += 4) {
        ids.push_back(static_cast<std::uint32_t>(readBig(std::span(timecode->payload).subspan(at, 4))));
    }
    return ids;
}

void MovieFile::setTimecodeReferences(MovBox& track, const std::vector<std::uint32_t>& referencedTrackIds) {
    MovBox* references = track.child(trefType);
    if (references == nullptr) {
        if (referencedTrackIds.empty()) return;
        MovBox tref;
        tref.type = trefType;
        tref.isContainer = true;
        // Conventionally right after the track header.
        const auto header = std::find_if(track.children.begin(), track.children.end(),
                                         [](const MovBox& b) { return b.type == tkhdType; });
        references = &*track.children.insert(header == track.children.end() ? header : header + 1, tref);
    }
    std::erase_if(references->children, [](const MovBox& b) { return b.type == timeCode32Subtype; });
    if (!referencedTrackIds.empty()) {
        MovBox timecode;
        timecode.type = timeCode32Subtype;
        for (const std::uint32_t id : referencedTrackIds) writeBig(timecode.payload, id, 4);
        references->children.push_back(std::move(timecode));
    }
    if (references->children.empty()) {
        std::erase_if(track.children, [](const MovBox& b) { return b.type == trefType; });
    }
}

namespace {

MovBox* sampleTableBox(MovBox& track, std::uint32_t type) {
    MovBox* media = track.child(mdiaType);
    MovBox* information = media == nullptr ? nullptr : media->child(minfType);
    MovBox* table = information == nullptr ? nullptr : information->child(stblType);
    return table == nullptr ? nullptr : table->child(type);
}

}  // namespace

std::span<std::uint8_t> MovieFile::firstSampleDescription(MovBox& track) {
    MovBox* descriptions = sampleTableBox(track, stsdType);
    if (descriptions == nullptr || descriptions->payload.size() < 16) malformed("track without sample description");
    const std::span<std::uint8_t> entries = std::span(descriptions->payload).subspan(8);
    const std::uint64_t size = readBig(entries.subspan(0, 4));
    if (size < 8 || size > entries.size()) malformed("sample description beyond its box");
    return entries.subspan(0, static_cast<std::size_t>(size));
}

void MovieFile::setFirstSampleDescription(MovBox& track, std::span<const std::uint8_t> entry) {
    const std::span<std::uint8_t> old = firstSampleDescription(track);
    std::vector<std::uint8_t>& payload = sampleTableBox(track, stsdType)->payload;
    const auto at = payload.begin() + 8;
    payload.erase(at, at + static_cast<std::ptrdiff_t>(old.size()));
    payload.insert(payload.begin() + 8, entry.begin(), entry.end());
}

void MovieFile::makeTimecodeHandler(MovBox& track) {
    MovBox* media = track.child(mdiaType);
    MovBox* handler = media == nullptr ? nullptr : media->child(hdlrType);
    MovBox* information = media == nullptr ? nullptr : media->child(minfType);
    MovBox* header = information == nullptr ? nullptr : information->child(gmhdType);
    if (handler == nullptr || handler->payload.size() < 12 || header == nullptr) malformed("data track without handler");
    handler->payload.resize(8);
    writeBig(handler->payload, timeCode32Subtype, 4);
    // Reserved words, then the handler's name as a C string.
    handler->payload.resize(24, 0);
    for (const char c : std::string_view("TimeCodeHandler")) handler->payload.push_back(static_cast<std::uint8_t>(c));
    handler->payload.push_back(0);
    // Timecode media information: text font, face and size 12, black on white, no font name.
    MovBox timecodeInformation{timeCode32Subtype, {}, {}, false};
    MovBox textStyle{fourCharCode('t', 'c', 'm', 'i'), std::vector<std::uint8_t>(8, 0), {}, false};
    writeBig(textStyle.payload, 12, 2);
    writeBig(textStyle.payload, 0, 8);
    writeBig(textStyle.payload, 0xFFFFFFFFFFFF, 6);
    textStyle.payload.push_back(0);
    timecodeInformation.payload = serializeMovBox(textStyle);
    std::erase_if(header->children, [](const MovBox& b) { return b.type == fourCharCode('g', 'p', 'm', 'd'); });
    header->children.push_back(std::move(timecodeInformation));
}

std::uint64_t MovieFile::mediaDuration(const MovBox& track) {
    const MovBox* media = track.child(mdiaType);
    const MovBox* header = media == nullptr ? nullptr : media->child(mdhdType);
    if (header == nullptr || header->payload.empty()) malformed("track without media header");
    const bool wide = header->payload[0] == 1;
    const std::size_t at = wide ? 24 : 16;
    const std::size_t size = wide ? 8 : 4;
    if (header->payload.size() < at + size) malformed("short media header");
    return readBig(std::span(header->payload).subspan(at, size));
}

void MovieFile::setSingleSampleDuration(MovBox& track, std::uint32_t duration) {
    MovBox* table = sampleTableBox(track, sttsType);
    if (table == nullptr || table->payload.size() != 16 ||
        readBig(std::span(table->payload).subspan(4, 8)) != 0x100000001) {
        malformed("not a one-sample time-to-sample table");
    }
    table->payload.resize(12);
    writeBig(table->payload, duration, 4);
}

std::vector<std::uint8_t> MovieFile::timeToSample(MovBox& track) {
    const MovBox* table = sampleTableBox(track, sttsType);
    if (table == nullptr) malformed("track without time-to-sample table");
    return table->payload;
}

namespace {

std::uint64_t sampleCount(std::span<const std::uint8_t> table) {
    if (table.size() < 8) malformed("short time-to-sample table");
    const std::uint64_t entries = readBig(table.subspan(4, 4));
    if (entries > (table.size() - 8) / 8) malformed("time-to-sample entries beyond their box");
    std::uint64_t count = 0;
    for (std::uint64_t i = 0; i < entries; ++i) count += readBig(table.subspan(8 + 8 * i, 4));
    return count;
}

}  // namespace

void MovieFile::setTimeToSample(MovBox& track, const std::vector<std::uint8_t>& table) {
    MovBox* box = sampleTableBox(track, sttsType);
    if (box == nullptr) malformed("track without time-to-sample table");
    if (sampleCount(table) != sampleCount(box->payload)) malformed("time-to-sample table of other samples");
    box->payload = table;
}

void MovieFile::save() const {
    if (!movieIsLast_) malformed("movie box is not the last box");
    const std::vector<std::uint8_t> bytes = serializeMovBox(movie_);
    std::error_code error;
    std::filesystem::resize_file(path_, movieOffset_, error);
    if (error) throw TimecodeMediaWriteError("cannot rewrite " + quotedPath(path_) + ": " + error.message());
    std::ofstream out(path_, std::ios::binary | std::ios::app);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw TimecodeMediaWriteError("cannot rewrite " + quotedPath(path_));
}

}  // namespace tallyvane
