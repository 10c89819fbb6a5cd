// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace quivra::safe_file {

namespace {

std::string Reason(const std::string& path, const char* what, int error) {
    return path + ": " + what + ": " + std::strerror(error);
}

const char* KindOf(mode_t mode) {
    if (S_ISLNK(mode)) return "a symbolic link";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a regular file";
}

std::string StrangerOf(const struct stat& st) {
    if (!S_ISREG(st.st_mode)) return KindOf(st.st_mode);
    if (st.st_uid != ::geteuid()) return "another user's file";
    return {};
}

std::string NotOurs(const std::string& path, const std::string& what) {
    return path + " is " + what + ", not a file of the game's: it is left as it is";
}

// A rename that never replaces what is there. Some file systems lack renameat2's flag; a hard
// link then does the same (it fails on an existing name), and the temporary name goes.
int RenameNoReplace(const char* from, const char* to) {
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return -1;
    if (::link(from, to) != 0) return -1;
    ::unlink(from);
    return 0;
}

void SyncFolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);   // the rename's own durability: some file systems refuse, and the file is whole anyway
    ::close(fd);
}

}  // namespace

std::string Stranger(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return {};
    return StrangerOf(st);
}

ReadResult ReadOwn(const std::string& path, size_t maxBytes) {
    ReadResult result;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) return result;
        return {ReadResult::Kind::Failed, {}, Reason(path, "cannot be looked at", errno)};
    }
    if (const std::string what = StrangerOf(st); !what.empty()) {
        return {ReadResult::Kind::NotOurs, {}, NotOurs(path, what)};
    }
    // Not following a link, not waiting for a writer: what was checked is what is opened.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return result;
        if (errno == ELOOP) return {ReadResult::Kind::NotOurs, {}, NotOurs(path, "a symbolic link")};
        return {ReadResult::Kind::Failed, {}, Reason(path, "cannot be read", errno)};
    }
    if (::fstat(fd, &st) != 0 || !StrangerOf(st).empty()) {
        const std::string what = StrangerOf(st);
        ::close(fd);
        return {ReadResult::Kind::NotOurs, {}, NotOurs(path, what.empty() ? "unknown" : what)};
    }
    if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
        ::close(fd);
        return {ReadResult::Kind::Failed, {}, path + " is too long (" + std::to_string(st.st_size) + " bytes)"};
    }
    result.kind = ReadResult::Kind::Read;
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            result = {ReadResult::Kind::Failed, {}, Reason(path, "cannot be read", errno)};
            break;
        }
        if (n == 0) break;
        result.bytes.append(buffer, static_cast<size_t>(n));
        if (result.bytes.size() > maxBytes) {   // it grew while being read
            result = {ReadResult::Kind::Failed, {}, path + " is too long"};
            break;
        }
    }
    ::close(fd);
    return result;
}

std::optional<std::string> WriteWhole(const std::string& path, std::string_view bytes, Replace replace) {
    if (replace == Replace::Yes) {
        if (const std::string what = Stranger(path); !what.empty()) return NotOurs(path, what);
    }
    std::string temporary = path + ".new-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return Reason(path, "could not be written", errno);
    const auto fail = [&](const char* what, int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return Reason(path, what, error);
    };
    // Written straight to the file, no buffer between: a full disk shows in the write itself.
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail("could not be written", errno);
        if (n == 0) return fail("could not be written", ENOSPC);
        done += static_cast<size_t>(n);
    }
    // Blocks a file system only promised are reserved, or refused, here.
    if (::fsync(fd) != 0) return fail("could not be synced", errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return Reason(path, "could not be closed", error);
    }
    const int renamed = replace == Replace::Yes ? std::rename(temporary.c_str(), path.c_str())
                                                : RenameNoReplace(temporary.c_str(), path.c_str());
    if (renamed != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return Reason(path, "could not be put in place", error);
    }
    SyncFolderOf(path);
    return std::nullopt;
}

std::string SetAside(const std::string& path) {
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    ::localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = path + ".broken-" + stamp;
    for (int n = 1; n < 100; ++n) {
        const std::string aside = n == 1 ? base : base + "-" + std::to_string(n);
        if (RenameNoReplace(path.c_str(), aside.c_str()) == 0) return aside;
        if (errno != EEXIST) break;
    }
    return {};
}

bool MakeFolders(const std::string& dir) {
    for (size_t at = 1; at <= dir.size(); ++at) {
        if (at < dir.size() && dir[at] != '/') continue;
        const std::string part = dir.substr(0, at);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    struct stat st {};
    return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace quivra::safe_file
