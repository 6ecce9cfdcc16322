#pragma once
// The files the spreadsheet library keeps a workbook's parts in: unnamed files, open as
// streams, in a folder of the workbook's own inside the parts folder. A close that fails part
// way (a full disk) returns without closing them, and a workbook freed unclosed may leave them
// too: their space would stay taken, with nothing left in the folder to delete, until the
// program ends. They are closed here instead, and only they: a stream is taken only when the
// system names its file as one of the workbook's folder, so a caller's own unnamed file, or
// another workbook's in the same parts folder, stays open.

#include <string>

namespace tallyvane::xlsx::detail {

class PartFiles {
public:
    // Makes the workbook's folder inside `partsFolder`; with an empty `partsFolder` the library
    // keeps its files where it will and nothing is ever closed. Throws a library error that
    // names the parts folder and the system's reason, errno kept, when the folder cannot be
    // made.
    explicit PartFiles(const std::string& partsFolder);
    // Removes the workbook's folder.
    ~PartFiles();
    PartFiles(PartFiles&& other) noexcept;
    PartFiles& operator=(PartFiles&&) = delete;
    PartFiles(const PartFiles&) = delete;
    PartFiles& operator=(const PartFiles&) = delete;

    // The folder to hand to the library: empty for its own choice.
    const std::string& folder() const noexcept { return folder_; }

    // Closes every stream still open on a file of the workbook's folder. Without /proc the
    // files cannot be told apart and are left to the end of the program. errno is kept as it
    // was.
    void closeLeftOpen() const;

private:
    std::string folder_;
    // The folder as the system names the files in it: from the root, through no link.
    std::string named_;
};

}  // namespace tallyvane::xlsx::detail
