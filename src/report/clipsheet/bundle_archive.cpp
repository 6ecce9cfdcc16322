#include "report/clipsheet/bundle_archive.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string_view>

#include "common/regular_file.h"

namespace tallyvane {

namespace {

struct ArchiveCloser {
    void operator()(archive* reader) const { archive_read_free(reader); }
};

constexpr std::uintmax_t kLargestDocument = INT_MAX;
constexpr std::uintmax_t kBombSize = std::uintmax_t{64} << 20;
constexpr std::uintmax_t kBombRatio = 50;

bool isDocument(archive_entry* entry) {
    if (archive_entry_filetype(entry) != AE_IFREG) return false;
    const char* name = archive_entry_pathname(entry);
    return name != nullptr && (std::string_view(name) == "Info.fcpxml" || std::string_view(name) == "./Info.fcpxml");
}

BundleDocument notArchive(std::ostream& diagnostics, archive* reader, std::string_view what) {
    const char* reason = reader != nullptr ? archive_error_string(reader) : nullptr;
    diagnostics << "Error reading bundle: " << what;
    if (reason != nullptr) diagnostics << ": " << reason;
    diagnostics << '\n';
    return {};
}

BundleDocument refused(std::string reason) {
    return {BundleDocument::Status::refused, {}, std::move(reason)};
}

BundleDocument tooLarge(std::uintmax_t limit) {
    if (limit >= kLargestDocument) return refused("Its document is larger than 2 GB, more than any project can be.");
    return refused("Its document expands to more than " + std::to_string(limit >> 20) +
                   " MB, over 50 times the size of the bundle: it is not read.");
}

BundleDocument readEntry(archive* reader, archive_entry* entry, std::uintmax_t limit, std::ostream& diagnostics) {
    BundleDocument result{BundleDocument::Status::read, {}, {}};
    if (archive_entry_size_is_set(entry)) {
        const auto declared = static_cast<std::uintmax_t>(std::max<la_int64_t>(archive_entry_size(entry), 0));
        if (declared > limit) return tooLarge(limit);
        result.text.reserve(declared);
    }
    char buffer[65536];
    for (;;) {
        const la_ssize_t count = archive_read_data(reader, buffer, sizeof buffer);
        if (count < 0) return notArchive(diagnostics, reader, "the document cannot be read");
        if (count == 0) break;
        if (result.text.size() + static_cast<std::size_t>(count) > limit) return tooLarge(limit);
        result.text.append(buffer, static_cast<std::size_t>(count));
    }
    return result;
}

}  // namespace

BundleDocument readBundleDocument(const std::filesystem::path& bundle, std::ostream& diagnostics) {
    const RegularFile file(bundle);
    if (!file.isOpen()) return refused(file.failure());
    const std::uintmax_t limit = std::min(kLargestDocument, std::max(kBombSize, file.size() * kBombRatio));
    std::unique_ptr<archive, ArchiveCloser> reader(archive_read_new());
    if (!reader) return notArchive(diagnostics, nullptr, "out of memory");
    archive_read_support_filter_all(reader.get());
    archive_read_support_format_all(reader.get());
    if (archive_read_open_fd(reader.get(), file.descriptor(), 65536) != ARCHIVE_OK) {
        return notArchive(diagnostics, reader.get(), bundle.string());
    }
    archive_entry* entry = nullptr;
    for (;;) {
        const int status = archive_read_next_header(reader.get(), &entry);
        if (status == ARCHIVE_EOF) return {BundleDocument::Status::read, {}, {}};
        if (status == ARCHIVE_FATAL) return notArchive(diagnostics, reader.get(), bundle.string());
        if (status == ARCHIVE_RETRY) continue;
        if (isDocument(entry)) return readEntry(reader.get(), entry, limit, diagnostics);
    }
}

}  // namespace tallyvane
