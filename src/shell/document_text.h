#pragma once
// The text of a project document: a `.fcpxml` file, the "Info.fcpxml" of a `.fcpxmld`
// bundle folder, or the one inside a single-file `.fcpxmld` archive.

#include <filesystem>
#include <iosfwd>
#include <string>

namespace tallyvane {

struct DocumentText {
    enum class Status {
        read,         // `text` holds the document's bytes
        failed,       // the alert texts say why nothing could be read
        notADocument, // the extension is neither "fcpxml" nor "fcpxmld" (compared exactly)
    };
    Status status = Status::notADocument;
    std::string text;
    std::string messageText;
    std::string informativeText;
};

// The path without trailing separators, so that "Project.fcpxmld/" names the bundle.
std::filesystem::path documentPath(const std::filesystem::path& path);

// Why an archive could not be read goes to `log`.
DocumentText readDocumentText(const std::filesystem::path& path, std::ostream& log);

}  // namespace tallyvane
