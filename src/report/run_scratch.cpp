#include "report/run_scratch.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "common/termination_signal_set.h"
#include "report/support_folder_lock.h"

namespace tallyvane {

namespace fs = std::filesystem;

namespace {

// A registered path. The handler reads only slots marked ready; a slot is handed out in
// turn, so one freed is not written again while a handler may still be reading it.
struct Slot {
    std::atomic<int> state{0};
    char path[PATH_MAX]{};
};
enum SlotState { kFree = 0, kFilling = 1, kReady = 2 };

constexpr int kSlotCount = 64;
constexpr int kWorkFolderSlot = kSlotCount;

struct Registry {
    std::array<Slot, kSlotCount + 1> slots;  // the last one holds the run's work folder
    std::atomic<unsigned> nextSlot{0};
    std::atomic<int> stopSignal{0};  // the first termination signal that came
    std::atomic<int> committing{0};
    std::atomic<bool> ending{false};  // whether a thread has taken the removal and the end
};

// Made when the program is loaded, so that a handler running before anything registered
// neither allocates nor runs a guarded initialisation; never destroyed (a signal may come
// while static objects are being destroyed).
constinit Registry registry;

bool fill(Slot& slot, const fs::path& path) {
    const std::string& text = path.native();
    if (text.size() >= sizeof slot.path) return false;
    std::memcpy(slot.path, text.c_str(), text.size() + 1);
    slot.state.store(kReady);
    return true;
}

// The removal runs inside a signal handler: only system calls, no allocation. A folder is
// read with getdents64, its entries removed and the folder itself after them.
struct DirectoryEntry {
    std::uint64_t inode;
    std::int64_t offset;
    unsigned short length;
    unsigned char type;
    char name[1];
};

bool removeAt(int folder, const char* name, int depth) noexcept;

void emptyFolder(int descriptor, int depth) noexcept {
    alignas(8) char buffer[4096];
    // Entries removed while reading shift what getdents sees: read again until a pass removes
    // nothing. What cannot be removed is left, so it must not count, or the pass never ends.
    for (bool removed = true; removed;) {
        removed = false;
        ::lseek(descriptor, 0, SEEK_SET);
        long got;
        while ((got = ::syscall(SYS_getdents64, descriptor, buffer, sizeof buffer)) > 0) {
            for (long at = 0; at < got;) {
                const auto* entry = reinterpret_cast<const DirectoryEntry*>(buffer + at);
                at += entry->length;
                const char* name = entry->name;
                if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
                if (removeAt(descriptor, name, depth + 1)) removed = true;
            }
        }
        if (got < 0) return;
    }
}

// Whether the entry is gone (a folder only once it is removed whole).
bool removeAt(int folder, const char* name, int depth) noexcept {
    if (::unlinkat(folder, name, 0) == 0 || errno == ENOENT) return true;
    if ((errno != EISDIR && errno != EPERM) || depth > 16) return false;
    const int inner = ::openat(folder, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (inner < 0) return false;
    emptyFolder(inner, depth);
    ::close(inner);
    return ::unlinkat(folder, name, AT_REMOVEDIR) == 0;
}

// The report's workers run on until the signal ends the program, and would go on adding
// thumbnails to a folder being removed. Moved aside first, the folder is no longer where
// they write; what one of them was adding at that moment is taken by a further pass.
void removeWhole(const char* path) noexcept {
    char aside[PATH_MAX];
    const std::size_t length = std::strlen(path);
    const char* target = path;
    if (length + sizeof kAsideSuffix <= sizeof aside) {
        std::memcpy(aside, path, length);
        std::memcpy(aside + length, kAsideSuffix, sizeof kAsideSuffix);
        if (::rename(path, aside) == 0) target = aside;
    }
    for (int pass = 0; pass < 100; ++pass) {
        if (removeAt(AT_FDCWD, target, 0)) return;
    }
}

void removeEmptyFolder(const char* folder) noexcept {
    // Removing the folder itself fails, as it should, while anything else is left in it.
    const int descriptor = ::open(folder, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0) return;
    ::unlinkat(descriptor, kReportLockName, 0);
    ::close(descriptor);
    ::rmdir(folder);
}

void silenceStandardError() noexcept {
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null < 0) return;
    ::dup2(null, STDERR_FILENO);
    ::close(null);
}

[[noreturn]] void endAsSignalled(int signal) noexcept {
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    ::sigaction(signal, &fallback, nullptr);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    ::kill(::getpid(), signal);
    ::raise(signal);
    ::_exit(128 + signal);
}

[[noreturn]] void waitForTheEnd() noexcept {
    for (;;) ::pause();
}

// The first thread here removes the scratch and ends the program; any later one, a second
// signal's handler or a commit that ended meanwhile, waits for that end. The termination
// signals are blocked first, so that none can stop this thread inside its own removal.
[[noreturn]] void endRun() noexcept {
    const sigset_t signals = terminationSignalSet();
    ::pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    if (registry.ending.exchange(true)) waitForTheEnd();
    removeRunScratch();
    endAsSignalled(registry.stopSignal.load());
}

// Leaves a commit section; the last to leave after a signal ends the program.
void leaveCommit() noexcept {
    if (registry.committing.fetch_sub(1) == 1 && registry.stopSignal.load() != 0) endRun();
}

}  // namespace

ScratchRegistration::ScratchRegistration(const fs::path& path) : slot_(-1) {
    for (int tries = 0; tries < kSlotCount && slot_ < 0; ++tries) {
        const int index = static_cast<int>(registry.nextSlot.fetch_add(1) % kSlotCount);
        int free = kFree;
        if (registry.slots[index].state.compare_exchange_strong(free, kFilling)) {
            if (fill(registry.slots[index], path)) {
                slot_ = index;
            } else {
                registry.slots[index].state.store(kFree);
                return;
            }
        }
    }
}

ScratchRegistration::~ScratchRegistration() {
    if (slot_ >= 0) registry.slots[slot_].state.store(kFree);
}

void setRunWorkFolder(const fs::path& folder) {
    Slot& slot = registry.slots[kWorkFolderSlot];
    slot.state.store(kFilling);
    if (!folder.empty() && fill(slot, folder)) return;
    slot.state.store(kFree);
}

void removeEmptyWorkFolder(const fs::path& folder) { removeEmptyFolder(folder.c_str()); }

void removeRunScratch() noexcept {
    for (int index = 0; index < kSlotCount; ++index) {
        if (registry.slots[index].state.load() == kReady) removeWhole(registry.slots[index].path);
    }
    Slot& workFolder = registry.slots[kWorkFolderSlot];
    if (workFolder.state.load() == kReady) removeEmptyFolder(workFolder.path);
}

void stopRun(int signal) noexcept {
    const int saved = errno;
    int none = 0;
    registry.stopSignal.compare_exchange_strong(none, signal);
    silenceStandardError();
    // The committing thread ends the program once its step is whole.
    if (registry.committing.load() != 0) {
        errno = saved;
        return;
    }
    endRun();
}

bool runStopped() noexcept { return registry.stopSignal.load() != 0; }

CommitSection::CommitSection() noexcept {
    registry.committing.fetch_add(1);
    permitted_ = registry.stopSignal.load() == 0;
    // A signal handled between the count and the check left the end to this section.
    if (!permitted_) leaveCommit();
}

CommitSection::~CommitSection() {
    if (permitted_) leaveCommit();
}

int statusUnlessStopped(int status) noexcept {
    // The handler on another thread is removing the scratch; it ends the program when done.
    while (runStopped()) ::pause();
    return status;
}

}  // namespace tallyvane
