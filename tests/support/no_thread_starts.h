#pragma once
// While one lives, no new thread of the process can start, as when a system runs out of
// threads: every thread started without attributes of its own asks for a stack larger than
// any address space, so its start fails (std::thread and std::async throw
// std::system_error). Threads already running are not touched. Unlike a process limit it
// also binds a test run as root, and it needs no child process.

#include <pthread.h>

#include <cstddef>
#include <stdexcept>

namespace tallyvane::test {

class NoThreadStarts {
public:
    NoThreadStarts() {
        if (pthread_getattr_default_np(&saved_) != 0) throw std::runtime_error("no default thread attributes");
        pthread_attr_t unstartable;
        pthread_attr_init(&unstartable);
        pthread_attr_setstacksize(&unstartable, std::size_t{1} << 62);
        const int set = pthread_setattr_default_np(&unstartable);
        pthread_attr_destroy(&unstartable);
        if (set != 0 || canStartThread()) {
            restore();
            throw std::runtime_error("threads still start");
        }
    }
    ~NoThreadStarts() { restore(); }
    NoThreadStarts(const NoThreadStarts&) = delete;
    NoThreadStarts& operator=(const NoThreadStarts&) = delete;

private:
    static bool canStartThread() {
        pthread_t thread;
        if (pthread_create(&thread, nullptr, [](void*) -> void* { return nullptr; }, nullptr) != 0) return false;
        pthread_join(thread, nullptr);
        return true;
    }
    void restore() {
        pthread_setattr_default_np(&saved_);
        pthread_attr_destroy(&saved_);
    }

    pthread_attr_t saved_;
};

}  // namespace tallyvane::test
