#pragma once

#include <unistd.h>

namespace platform {

// A file descriptor this code owns: closed when it goes, or on reset().
struct Fd {
    int fd = -1;

    Fd() = default;
    explicit Fd(int descriptor) : fd(descriptor) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }

    void reset() {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
};

}  // namespace platform
