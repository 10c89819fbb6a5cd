// SPDX-License-Identifier: GPL-3.0-or-later
// Preloaded into quivra-tool by tool_nothing_lost.sh: rename(2) onto a name ending in
// $QUIVRA_FAIL_RENAME_TO fails with EIO, as on a failing disk, so that the tool's undo can be seen.
// Putting a kept old file back ("-old") is let through. With $QUIVRA_NO_LINKS set, link(2) fails
// with EPERM, as on a FAT file system.
#include <dlfcn.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

extern "C" int rename(const char* from, const char* to) {
    const char* failing = std::getenv("QUIVRA_FAIL_RENAME_TO");
    const size_t n = failing ? std::strlen(failing) : 0, m = std::strlen(to);
    if (n > 0 && m >= n && std::strcmp(to + m - n, failing) == 0 && std::strstr(from, "-old") == nullptr) {
        errno = EIO;
        return -1;
    }
    using Rename = int (*)(const char*, const char*);
    static const auto real = reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "rename"));
    return real(from, to);
}

extern "C" int link(const char* from, const char* to) {
    if (std::getenv("QUIVRA_NO_LINKS") != nullptr) {
        errno = EPERM;
        return -1;
    }
    using Link = int (*)(const char*, const char*);
    static const auto real = reinterpret_cast<Link>(dlsym(RTLD_NEXT, "link"));
    return real(from, to);
}
