#include "shell/bundle_archive.h"

#include <climits>
#include <memory>
#include <string_view>

#include <archive.h>
#include <archive_entry.h>

namespace tallyvane {

namespace {

constexpr std::string_view kDocumentName = "Info.fcpxml";

struct ArchiveCloser {
    void operator()(archive* handle) const noexcept { archive_read_free(handle); }
};

bool isDocumentEntry(archive_entry* entry) {
    if (archive_entry_filetype(entry) != AE_IFREG) return false;
    const char* path = archive_entry_pathname(entry);
    if (path == nullptr) return false;
    std::string_view name(path);
    if (const std::size_t slash = name.rfind('/'); slash != std::string_view::npos) name.remove_prefix(slash + 1);
    return name == kDocumentName;
}

std::optional<std::string> readEntry(archive* handle) {
    std::string content;
    char buffer[65536];
    while (true) {
        const la_ssize_t count = archive_read_data(handle, buffer, sizeof buffer);
        if (count < 0) return std::nullopt;
        if (count == 0) return content;
        if (content.size() + static_cast<std::size_t>(count) > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
        content.append(buffer, static_cast<std::size_t>(count));
    }
}

}  // namespace

std::optional<std::string> extractInfoFCPXML(const std::filesystem::path& archivePath) {
    const std::unique_ptr<archive, ArchiveCloser> handle(archive_read_new());
    if (!handle) return std::nullopt;
    archive_read_support_filter_all(handle.get());
    archive_read_support_format_all(handle.get());
    if (archive_read_open_filename(handle.get(), archivePath.c_str(), 65536) != ARCHIVE_OK) return std::nullopt;
    archive_entry* entry = nullptr;
    while (true) {
        const int status = archive_read_next_header(handle.get(), &entry);
        // A warning still yields a usable header; anything else ends the search.
        if (status != ARCHIVE_OK && status != ARCHIVE_WARN) return std::nullopt;
        if (isDocumentEntry(entry)) return readEntry(handle.get());
    }
}

}  // namespace tallyvane
