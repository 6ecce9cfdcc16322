#include "report/clipsheet/bundle_archive.h"

#include <archive.h>
#include <archive_entry.h>

#include <climits>
#include <memory>
#include <string_view>
#include <sys/stat.h>

#include "common/utf8.h"

namespace tallyvane {

namespace {

struct ArchiveCloser {
    void operator()(archive* reader) const { archive_read_free(reader); }
};

constexpr std::string_view kDocumentName = "Info.fcpxml";
constexpr std::size_t kLargestDocument = INT_MAX;

bool isDocument(archive_entry* entry) {
    if (archive_entry_filetype(entry) != AE_IFREG) return false;
    const char* name = archive_entry_pathname(entry);
    if (name == nullptr) return false;
    std::string_view path(name);
    const auto slash = path.rfind('/');
    if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
    return path == kDocumentName;
}

std::optional<std::string> failure(std::ostream& diagnostics, archive* reader, std::string_view what) {
    const char* reason = reader != nullptr ? archive_error_string(reader) : nullptr;
    diagnostics << "Error reading bundle: " << what;
    if (reason != nullptr) diagnostics << ": " << reason;
    diagnostics << '\n';
    return std::nullopt;
}

std::optional<std::string> readEntry(archive* reader, std::ostream& diagnostics) {
    std::string text;
    char buffer[65536];
    for (;;) {
        const la_ssize_t count = archive_read_data(reader, buffer, sizeof buffer);
        if (count < 0) return failure(diagnostics, reader, "the document cannot be read");
        if (count == 0) break;
        if (text.size() + static_cast<std::size_t>(count) > kLargestDocument) {
            return failure(diagnostics, nullptr, "the document is too large");
        }
        text.append(buffer, static_cast<std::size_t>(count));
    }
    if (!isValidUtf8(text)) return failure(diagnostics, nullptr, "the document is not UTF-8 text");
    return text;
}

}  // namespace

std::optional<std::string> readBundleDocument(const std::filesystem::path& bundle, std::ostream& diagnostics) {
    std::unique_ptr<archive, ArchiveCloser> reader(archive_read_new());
    if (!reader) return failure(diagnostics, nullptr, "out of memory");
    archive_read_support_filter_all(reader.get());
    archive_read_support_format_all(reader.get());
    if (archive_read_open_filename(reader.get(), bundle.c_str(), 65536) != ARCHIVE_OK) {
        return failure(diagnostics, reader.get(), bundle.string());
    }
    archive_entry* entry = nullptr;
    for (;;) {
        const int status = archive_read_next_header(reader.get(), &entry);
        if (status == ARCHIVE_EOF) return std::string();
        if (status == ARCHIVE_FATAL) return failure(diagnostics, reader.get(), bundle.string());
        if (status == ARCHIVE_RETRY) continue;
        if (isDocument(entry)) {
            if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > static_cast<la_int64_t>(kLargestDocument)) {
                return failure(diagnostics, nullptr, "the document is too large");
            }
            return readEntry(reader.get(), diagnostics);
        }
    }
}

}  // namespace tallyvane
