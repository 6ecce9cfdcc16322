#include "shell/document_text.h"

#include <cerrno>
#include <climits>
#include <system_error>

#include <unistd.h>

#include "common/error_sentence.h"
#include "common/regular_file.h"
#include "reader/xml_content_error.h"
#include "report/clipsheet/bundle_archive.h"

namespace tallyvane {

namespace fs = std::filesystem;

namespace {

constexpr const char* kBundleDocument = "Info.fcpxml";

DocumentText failure(std::string messageText, std::string informativeText) {
    DocumentText result;
    result.status = DocumentText::Status::failed;
    result.messageText = std::move(messageText);
    result.informativeText = std::move(informativeText);
    return result;
}

DocumentText unreadable(const fs::path& path, const std::string& reason) {
    return failure("The file \u201C" + path.filename().string() + "\u201D couldn\u2019t be opened.", reason);
}

DocumentText contentFailure(XMLContentError error) {
    return failure(std::string(error.errorDescription()), std::string(error.recoverySuggestion()));
}

DocumentText readText(std::string text) {
    DocumentText result;
    result.status = DocumentText::Status::read;
    result.text = std::move(text);
    return result;
}

DocumentText readFile(const fs::path& path) {
    const RegularFile file(path);
    if (!file.isOpen()) return unreadable(path, file.failure());
    if (file.size() > INT_MAX) return unreadable(path, "It is larger than 2 GB, more than any project document can be.");
    // Sized once: grown by doubling, the text would hold up to twice the document while it
    // is read, and keep the spare room while the reader's tree and model are built.
    std::string text;
    text.reserve(static_cast<std::size_t>(file.size()));
    char buffer[65536];
    while (true) {
        const ssize_t count = ::read(file.descriptor(), buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR) continue;
            return unreadable(path, systemErrorSentence(errno));
        }
        if (count == 0) break;
        // The size may grow while it is read; the reader takes no more than this.
        if (text.size() + static_cast<std::size_t>(count) > static_cast<std::size_t>(INT_MAX)) {
            return unreadable(path, "It is larger than 2 GB, more than any project document can be.");
        }
        text.append(buffer, static_cast<std::size_t>(count));
    }
    return readText(std::move(text));
}

DocumentText readArchive(const fs::path& path, std::ostream& log) {
    BundleDocument document = readBundleDocument(path, log);
    if (document.status == BundleDocument::Status::refused) return unreadable(path, document.reason);
    return readText(std::move(document.text));
}

DocumentText readBundle(const fs::path& path, std::ostream& log) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    // A bundle that is not there is reported as missing, not as a document exported wrongly.
    if (!fs::exists(status)) return unreadable(path, systemErrorSentence(ENOENT));
    DocumentText result = fs::is_directory(status) ? readFile(path / kBundleDocument) : readArchive(path, log);
    if (result.status == DocumentText::Status::read && result.text.empty()) {
        return contentFailure(XMLContentError::invalidFCPXML);
    }
    return result;
}

}  // namespace

fs::path documentPath(const fs::path& path) {
    fs::path result = path;
    while (!result.has_filename() && result.has_relative_path()) result = result.parent_path();
    return result;
}

DocumentText readDocumentText(const fs::path& given, std::ostream& log) {
    const fs::path path = documentPath(given);
    const std::string extension = path.extension().string();
    if (extension == ".fcpxml") return readFile(path);
    if (extension == ".fcpxmld") return readBundle(path, log);
    return {};
}

}  // namespace tallyvane
