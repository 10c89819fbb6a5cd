// SPDX-License-Identifier: GPL-3.0-or-later
// Preloaded into the store's tests: $QUIVRA_FAIL_IO ("call:part") makes one kind of call fail on
// a file whose path holds `part`, as a full or failing disk would: "write" (ENOSPC at once),
// "short-write" (half of it written, then ENOSPC), "fsync" (EIO), "close" (EIO after closing, as
// NFS reports a late failure) or "rename" (EIO, onto such a name, renameat2 included).
#include <dlfcn.h>
#include <fcntl.h>
#include <cstdio>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

template <typename F>
F Real(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

// The part of the path the failing call is asked for, or null when `call` is not asked to fail.
const char* Asked(const char* call) {
    const char* asked = std::getenv("QUIVRA_FAIL_IO");
    const size_t n = std::strlen(call);
    if (asked == nullptr || std::strncmp(asked, call, n) != 0 || asked[n] != ':') return nullptr;
    return asked + n + 1;
}

bool FdMatches(int fd, const char* part) {
    char link[64], path[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, path, sizeof path - 1);
    if (n <= 0) return false;
    path[n] = '\0';
    return std::strstr(path, part) != nullptr;
}

bool Fails(const char* call, int fd) {
    const char* part = Asked(call);
    return part != nullptr && FdMatches(fd, part);
}

}  // namespace

extern "C" ssize_t write(int fd, const void* data, size_t size) {
    static const auto real = Real<ssize_t (*)(int, const void*, size_t)>("write");
    if (Fails("write", fd)) {
        errno = ENOSPC;
        return -1;
    }
    if (Fails("short-write", fd)) {
        if (size > 1 && lseek(fd, 0, SEEK_CUR) == 0) return real(fd, data, size / 2);
        errno = ENOSPC;
        return -1;
    }
    return real(fd, data, size);
}

extern "C" int fsync(int fd) {
    static const auto real = Real<int (*)(int)>("fsync");
    if (Fails("fsync", fd)) {
        errno = EIO;
        return -1;
    }
    return real(fd);
}

extern "C" int close(int fd) {
    static const auto real = Real<int (*)(int)>("close");
    const bool fail = Fails("close", fd);
    const int result = real(fd);
    if (!fail) return result;
    errno = EIO;
    return -1;
}

extern "C" int rename(const char* from, const char* to) {
    static const auto real = Real<int (*)(const char*, const char*)>("rename");
    const char* part = Asked("rename");
    if (part != nullptr && std::strstr(to, part) != nullptr) {
        errno = EIO;
        return -1;
    }
    return real(from, to);
}

extern "C" int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags) {
    static const auto real = Real<int (*)(int, const char*, int, const char*, unsigned)>("renameat2");
    const char* part = Asked("rename");
    if (part != nullptr && std::strstr(to, part) != nullptr) {
        errno = EIO;
        return -1;
    }
    return real(fromDir, from, toDir, to, flags);
}
