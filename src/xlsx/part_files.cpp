#include "xlsx/part_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include <limits.h>
#include <stdlib.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include "common/error_sentence.h"
#include "xlsx/error.h"

// The C library's own list of open streams: the only way to reach a stream the spreadsheet
// library no longer holds, and to free it with its buffer rather than only its descriptor,
// whose number a later file would take and receive the buffer's bytes at exit.
#if defined(__GLIBC__)
extern "C" {
FILE* _IO_iter_begin(void);
FILE* _IO_iter_end(void);
FILE* _IO_iter_next(FILE* stream);
FILE* _IO_iter_file(FILE* stream);
void _IO_list_lock(void);
void _IO_list_unlock(void);
}
#endif

namespace tallyvane::xlsx::detail {

namespace {

struct Stream {
    FILE* file;
    int descriptor;
};

#if defined(__GLIBC__)
// The C library puts a new stream on its list before it opens it, and until then its
// descriptor is whatever the block malloc gave it last held: another thread's stream being
// opened may show the number of one of the workbook's part files, and closing it would hand
// that thread a freed stream. A stream not yet opened has both of these flags, which the
// opening clears only after it has set the descriptor; an opened stream never has both, and
// fclose takes a stream off the list (under the lock held here) before it closes it.
constexpr int kNoReads = 0x0004;
constexpr int kNoWrites = 0x0008;

bool opened(const FILE* file) {
    const int flags = __atomic_load_n(&file->_flags, __ATOMIC_ACQUIRE);
    return (flags & (kNoReads | kNoWrites)) != (kNoReads | kNoWrites);
}
#endif

// Every opened stream with its descriptor. Nothing that may throw or allocate runs while the
// list is locked: the streams are counted first, room is made for them with the list free,
// and they are gathered again, once more should others have been opened in between.
std::vector<Stream> openStreams() {
    std::vector<Stream> streams;
#if defined(__GLIBC__)
    for (bool whole = false; !whole;) {
        std::size_t count = 0;
        _IO_list_lock();
        for (FILE* at = _IO_iter_begin(); at != _IO_iter_end(); at = _IO_iter_next(at)) ++count;
        _IO_list_unlock();
        streams.clear();
        streams.reserve(count + 16);
        whole = true;
        _IO_list_lock();
        for (FILE* at = _IO_iter_begin(); at != _IO_iter_end(); at = _IO_iter_next(at)) {
            if (streams.size() == streams.capacity()) {
                whole = false;
                break;
            }
            FILE* file = _IO_iter_file(at);
            if (opened(file)) streams.push_back(Stream{file, ::fileno(file)});
        }
        _IO_list_unlock();
    }
#endif
    return streams;
}

// Whether the system names the file open at `descriptor` as one of `folder`'s.
bool inFolder(int descriptor, const std::string& folder) {
    char link[32];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", descriptor);
    char target[PATH_MAX];
    const ssize_t length = ::readlink(link, target, sizeof target);
    return length > static_cast<ssize_t>(folder.size()) && std::memcmp(target, folder.data(), folder.size()) == 0 &&
           target[folder.size()] == '/';
}

}  // namespace

PartFiles::PartFiles(const std::string& partsFolder) {
    if (partsFolder.empty()) return;
    // Unguessable, and private like the parts folder.
    std::string folder = partsFolder + "/workbook-XXXXXX";
    if (::mkdtemp(folder.data()) == nullptr) {
        const int failure = errno;
        XlsxError error(XlsxErrorKind::library,
                        "The folder " + partsFolder + " cannot take the workbook's parts: " + systemErrorSentence(failure),
                        LXW_ERROR_CREATING_TMPFILE);
        errno = failure;
        throw error;
    }
    folder_ = std::move(folder);
    if (char* named = ::realpath(folder_.c_str(), nullptr)) {
        named_ = named;
        ::free(named);
    }
}

PartFiles::~PartFiles() {
    if (folder_.empty()) return;
    const int kept = errno;
    ::rmdir(folder_.c_str());
    errno = kept;
}

PartFiles::PartFiles(PartFiles&& other) noexcept
    : folder_(std::exchange(other.folder_, {})), named_(std::exchange(other.named_, {})) {}

void PartFiles::closeLeftOpen() const {
    if (named_.empty()) return;
    const int kept = errno;
    for (const Stream& stream : openStreams()) {
        if (stream.descriptor >= 0 && inFolder(stream.descriptor, named_)) std::fclose(stream.file);
    }
    errno = kept;
}

}  // namespace tallyvane::xlsx::detail
