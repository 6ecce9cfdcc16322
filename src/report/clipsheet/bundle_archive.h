#pragma once
// Single-file project bundles: an archive that holds the project document "Info.fcpxml".

#include <filesystem>
#include <ostream>
#include <string>

namespace tallyvane {

struct BundleDocument {
    enum class Status {
        read,       // `text` holds the document's bytes; empty when the archive has none
        notArchive, // no archive that can be read; the reason went to the diagnostics
        refused,    // `reason` says why, as a sentence for an alert
    };
    Status status = Status::notArchive;
    std::string text;
    std::string reason;
};

// The document is the regular entry at the archive's root named exactly "Info.fcpxml" or
// "./Info.fcpxml"; entries in subfolders and look-alikes ("._Info.fcpxml") are never
// read, so the folder and the archive form of one bundle read the same document, in
// whatever encoding. Refused: a bundle that is no regular file, and a document that
// expands past both 64 MiB and 50 times the bundle's size (a decompression bomb), or
// past 2 GiB - 1 bytes.
BundleDocument readBundleDocument(const std::filesystem::path& bundle, std::ostream& diagnostics);

}  // namespace tallyvane
