#include "media/jpeg.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include <turbojpeg.h>

#include "common/error_sentence.h"
#include "media/media_error.h"
#include "media/path_text.h"

namespace tallyvane {
namespace {

// No thumbnail comes near this; a larger file under a thumbnail's name is not ours to trust.
constexpr std::uintmax_t kMaxJpegFileBytes = 64 * 1024 * 1024;

struct TurboJpegCloser {
    void operator()(void* handle) const { tjDestroy(handle); }
};
using TurboJpegHandle = std::unique_ptr<void, TurboJpegCloser>;

struct TurboJpegBufferFreer {
    void operator()(unsigned char* buffer) const { tjFree(buffer); }
};

// Creates a uniquely named empty file beside `path` and returns its name and descriptor.
// The name is short and fixed so that a destination name near the file system's limit
// still has a temporary that fits.
std::pair<std::filesystem::path, int> makeSiblingTemporary(const std::filesystem::path& path) {
    std::string name = (path.parent_path() / ".tallyvane-jpeg-XXXXXX").string();
    const int descriptor = mkstemp(name.data());
    if (descriptor < 0) {
        const int failure = errno;
        throw MediaError("Cannot write " + quotedPath(path) + ": " + systemErrorSentence(failure));
    }
    // mkstemp makes the file private; a kept thumbnail should be as readable as any other file.
    ::fchmod(descriptor, 0644);
    return {name, descriptor};
}

std::error_code writeAll(int descriptor, const unsigned char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(descriptor, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return {errno, std::generic_category()};
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return {};
}

void writeFileAtomically(const std::filesystem::path& path, const unsigned char* data,
                         std::size_t size) {
    auto [temporary, descriptor] = makeSiblingTemporary(path);
    std::error_code error = writeAll(descriptor, data, size);
    if (::close(descriptor) != 0 && !error) error.assign(errno, std::generic_category());
    if (!error) std::filesystem::rename(temporary, path, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw MediaError("Cannot write " + quotedPath(path) + ": " + systemErrorSentence(error.value()));
    }
}

}  // namespace

void writeJpeg(const RgbImage& image, const std::filesystem::path& path, int quality) {
    if (quality < 1 || quality > 100) {
        throw MediaError("JPEG quality " + std::to_string(quality) + " is outside 1 to 100");
    }
    checkImageSize(image.width, image.height);
    if (image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
        throw MediaError("The picture's pixels do not match its size");
    }
    TurboJpegHandle compressor(tjInitCompress());
    if (!compressor) {
        throw MediaError(std::string("Cannot start JPEG compression: ") + tjGetErrorStr2(nullptr));
    }

    unsigned char* rawJpeg = nullptr;
    unsigned long jpegSize = 0;
    const int result = tjCompress2(compressor.get(), image.pixels.data(), image.width,
                                   image.width * 3, image.height, TJPF_RGB, &rawJpeg, &jpegSize,
                                   TJSAMP_420, quality, 0);
    std::unique_ptr<unsigned char, TurboJpegBufferFreer> jpeg(rawJpeg);
    if (result != 0) {
        throw MediaError("Cannot compress " + quotedPath(path) + ": " +
                         tjGetErrorStr2(compressor.get()));
    }
    writeFileAtomically(path, jpeg.get(), jpegSize);
}

std::optional<int> readJpegHeight(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size == 0 || size > kMaxJpegFileBytes) return std::nullopt;

    std::vector<unsigned char> bytes(size);
    std::ifstream file(path, std::ios::binary);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
        return std::nullopt;
    }
    TurboJpegHandle decompressor(tjInitDecompress());
    if (!decompressor) return std::nullopt;
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colourspace = 0;
    if (tjDecompressHeader3(decompressor.get(), bytes.data(), static_cast<unsigned long>(size),
                            &width, &height, &subsampling, &colourspace) != 0) {
        return std::nullopt;
    }
    // A file cut short inside its header "succeeds" with a size of zero.
    if (width <= 0 || height <= 0) return std::nullopt;
    return height;
}

}  // namespace tallyvane
