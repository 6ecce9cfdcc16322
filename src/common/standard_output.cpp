#include "common/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <streambuf>

#include <unistd.h>

#include "common/error_sentence.h"

namespace tallyvane {

namespace {

// std::cout's buffer, written straight to file descriptor 1. It keeps the reason of the first
// write that failed: the C library's stream forgets it, and a later flush of the same full disk
// reports only that an error happened.
class RecordingOutputBuffer : public std::streambuf {
public:
    RecordingOutputBuffer() { setp(buffer_, buffer_ + sizeof buffer_); }
    int firstError() const noexcept { return firstError_; }

protected:
    int_type overflow(int_type c) override {
        const bool written = writeOut();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return written ? traits_type::not_eof(c) : traits_type::eof();
    }
    int sync() override { return writeOut() ? 0 : -1; }

private:
    // Writes what is buffered; what cannot be written is dropped, its reason kept.
    bool writeOut() {
        const char* next = pbase();
        bool written = true;
        while (next < pptr()) {
            const ssize_t count = ::write(STDOUT_FILENO, next, static_cast<std::size_t>(pptr() - next));
            if (count < 0 && errno == EINTR) continue;
            if (count <= 0) {
                if (firstError_ == 0) firstError_ = count < 0 ? errno : EIO;
                written = false;
                break;
            }
            next += count;
        }
        setp(buffer_, buffer_ + sizeof buffer_);
        return written && firstError_ == 0;
    }

    char buffer_[8192];
    int firstError_ = 0;
};

RecordingOutputBuffer* recording = nullptr;

}  // namespace

void recordStandardOutputFailures() {
    if (recording != nullptr) return;
    std::cout.flush();
    std::fflush(stdout);
    // Never destroyed: std::cout is flushed after static objects are gone.
    recording = new RecordingOutputBuffer;
    std::cout.rdbuf(recording);
    // A terminal shows each line as it comes, in turn with standard error's.
    if (::isatty(STDOUT_FILENO) == 1) std::cout.setf(std::ios::unitbuf);
}

std::optional<std::string> standardOutputFailure() {
    errno = 0;
    std::cout.flush();
    int error = recording != nullptr ? recording->firstError() : 0;
    if (error == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout) != 0 || !std::cout)) error = errno == 0 ? EIO : errno;
    if (error == 0) return std::nullopt;
    return "The output cannot be written: " + systemErrorSentence(error);
}

}  // namespace tallyvane
