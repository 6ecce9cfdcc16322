#include "media/module_file.h"

#include <cstring>

#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallyvane {

namespace {

bool readAt(int descriptor, void* into, std::size_t size, off_t offset) {
    auto* bytes = static_cast<char*>(into);
    while (size > 0) {
        const ssize_t got = ::pread(descriptor, bytes, size, offset);
        if (got <= 0) return false;
        bytes += got;
        size -= static_cast<std::size_t>(got);
        offset += got;
    }
    return true;
}

// Whether [offset, offset + size) lies within a file of `fileSize` bytes.
bool within(std::uint64_t offset, std::uint64_t size, std::uint64_t fileSize) {
    return offset <= fileSize && size <= fileSize - offset;
}

// ELF files of this machine's word size; any other the loader refuses itself.
constexpr unsigned char kOwnClass = sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32;

bool holdsEverySegment(int descriptor, std::uint64_t fileSize) {
    ElfW(Ehdr) header;
    if (fileSize < sizeof header || !readAt(descriptor, &header, sizeof header, 0)) return false;
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != kOwnClass) return true;
    if (header.e_phentsize != sizeof(ElfW(Phdr))) return true;
    if (!within(header.e_phoff, std::uint64_t{header.e_phnum} * sizeof(ElfW(Phdr)), fileSize)) return false;
    for (ElfW(Half) index = 0; index < header.e_phnum; ++index) {
        ElfW(Phdr) segment;
        if (!readAt(descriptor, &segment, sizeof segment, static_cast<off_t>(header.e_phoff + index * sizeof segment))) {
            return false;
        }
        if (segment.p_type == PT_LOAD && !within(segment.p_offset, segment.p_filesz, fileSize)) return false;
    }
    return true;
}

}  // namespace

std::optional<std::string> unloadableModuleReason(const std::filesystem::path& module) {
    // Never blocking: the loader would wait for ever on a FIFO put in the module's place.
    const int descriptor = ::open(module.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) return std::nullopt;  // the loader names why it cannot open it
    struct stat info {};
    std::optional<std::string> reason;
    if (::fstat(descriptor, &info) != 0) {
        // The loader meets the same failure and names it.
    } else if (!S_ISREG(info.st_mode)) {
        reason = module.string() + ": not a regular file";
    } else if (!holdsEverySegment(descriptor, static_cast<std::uint64_t>(info.st_size))) {
        reason = module.string() + ": file too short";
    }
    ::close(descriptor);
    return reason;
}

}  // namespace tallyvane
