#include "xlsx/whole_parts.h"

#include <cerrno>
#include <memory>
#include <string_view>

#include <archive.h>
#include <archive_entry.h>
#include <libxml/parser.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallyvane::xlsx::detail {

namespace {

struct ArchiveFree {
    void operator()(archive* reader) const { archive_read_free(reader); }
};

struct ParserFree {
    void operator()(xmlParserCtxt* parser) const { xmlFreeParserCtxt(parser); }
};

// The parts the library writes from files of its own: XML, relationships and VML drawings.
// Pictures and a VBA project are copied from the caller's files or memory.
bool writtenFromAFile(std::string_view name) {
    for (const std::string_view ending : {".xml", ".rels", ".vml"}) {
        if (name.size() >= ending.size() && name.substr(name.size() - ending.size()) == ending) return true;
    }
    return false;
}

// Nothing is built and nothing said: only whether the part reads as one document to its end.
void ignoreError(void*, xmlErrorPtr) {}

bool wholeDocument(archive* reader, const char* name) {
    xmlSAXHandler handler{};
    handler.initialized = XML_SAX2_MAGIC;
    handler.serror = ignoreError;
    const std::unique_ptr<xmlParserCtxt, ParserFree> parser(xmlCreatePushParserCtxt(&handler, nullptr, nullptr, 0, name));
    if (!parser) return false;
    // The package is the library's own: its parts may be larger than a document from outside
    // may be, and name nothing to fetch.
    xmlCtxtUseOptions(parser.get(), XML_PARSE_HUGE | XML_PARSE_NONET);
    char buffer[1 << 16];
    for (;;) {
        const la_ssize_t count = archive_read_data(reader, buffer, sizeof buffer);
        if (count < 0) return false;
        if (count == 0) break;
        if (xmlParseChunk(parser.get(), buffer, static_cast<int>(count), 0) != 0) return false;
    }
    return xmlParseChunk(parser.get(), nullptr, 0, 1) == 0 && parser->wellFormed != 0;
}

}  // namespace

int rowsWrittenWhole(lxw_workbook* workbook) {
    int failure = 0;
    lxw_sheet* sheet = nullptr;
    STAILQ_FOREACH(sheet, workbook->sheets, list_pointers) {
        if (sheet->is_chartsheet || !sheet->u.worksheet->optimize) continue;
        lxw_worksheet* worksheet = sheet->u.worksheet;
        // The close writes this row first itself, and writes nothing for it once written.
        if (worksheet->optimize_row != nullptr) lxw_worksheet_write_single_row(worksheet);
        FILE* rows = worksheet->optimize_tmpfile;
        errno = 0;
        const bool flushed = std::fflush(rows) == 0;
        const int reason = errno;
        if ((!flushed || std::ferror(rows) != 0) && failure == 0) {
            // A failed write's reason is gone once a later one succeeded; lack of room is
            // what cuts a part file short.
            failure = !flushed && reason != 0 ? reason : ENOSPC;
        }
    }
    return failure;
}

std::optional<std::string> firstCutPart(const std::string& path) {
    // What cannot be read back (a device, a file the caller may only write) cannot be looked
    // at: the library's word on it stands.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode) || ::access(path.c_str(), R_OK) != 0) {
        return std::nullopt;
    }
    const std::unique_ptr<archive, ArchiveFree> reader(archive_read_new());
    if (!reader || archive_read_support_format_zip_seekable(reader.get()) != ARCHIVE_OK ||
        archive_read_open_filename(reader.get(), path.c_str(), 1 << 16) != ARCHIVE_OK) {
        return path;
    }
    archive_entry* entry = nullptr;
    for (;;) {
        const int next = archive_read_next_header(reader.get(), &entry);
        if (next == ARCHIVE_EOF) return std::nullopt;
        if (next != ARCHIVE_OK) return path;
        const char* name = archive_entry_pathname(entry);
        if (name == nullptr) return path;
        if (writtenFromAFile(name) && !wholeDocument(reader.get(), name)) return std::string(name);
    }
}

}  // namespace tallyvane::xlsx::detail
