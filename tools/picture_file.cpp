// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/picture_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QIODevice>
#include <QImageWriter>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "tools/tool_cli.h"

namespace quivra::tool {

namespace {

std::string FormatList() {
    std::string s;
    for (size_t i = 0; i < std::size(kPictureFormats); ++i) {
        if (i) s += i + 1 == std::size(kPictureFormats) ? " or " : ", ";
        s += kPictureFormats[i].extension;
    }
    return s;
}

// The folder a file goes into; "." for a bare name.
std::string FolderOf(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(1, '.') : parent.string();
}

[[noreturn]] void FailWrite(const PictureTarget& target, int error) {
    throw WriteError("cannot write " + Quoted(target.name) + ": " + std::strerror(error));
}

// Qt's image writers stream into this; every write(2) is checked and the first error kept, so the
// message names the real cause (a full disk, not the encoder's complaint).
class FdDevice : public QIODevice {
public:
    explicit FdDevice(int fd) : fd_(fd) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    bool isSequential() const override { return true; }
    int Error() const { return error_; }

    bool Flush() {
        for (size_t done = 0; done < buffer_.size() && error_ == 0;) {
            const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                error_ = n < 0 ? errno : EIO;
            } else {
                done += static_cast<size_t>(n);
            }
        }
        buffer_.clear();
        return error_ == 0;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (error_ != 0) return -1;
        buffer_.append(data, static_cast<size_t>(size));
        if (buffer_.size() >= kBufferSize && !Flush()) return -1;
        return size;
    }

private:
    static constexpr size_t kBufferSize = 1 << 16;
    int fd_;
    int error_ = 0;
    std::string buffer_;
};

void Encode(const QImage& image, const PictureTarget& target, int fd) {
    FdDevice device(fd);
    QImageWriter writer(&device, target.qtFormat);
    // zlib level 1 ((100 - 89) * 9 / 91): a 4K picture encodes in three quarters of the time at
    // under twice the size; most of what is left is libpng's own row work.
    if (std::string_view(target.qtFormat) == "png") writer.setQuality(89);
    const bool encoded = writer.write(image);
    if (!device.Flush()) FailWrite(target, device.Error());
    if (!encoded) {
        throw WriteError("cannot encode the picture as " + std::string(target.qtFormat) + ": " +
                         Quoted(writer.errorString().toStdString()));
    }
}

// The temporary file until it is renamed: closed and removed on every way out but success.
struct TemporaryFile {
    std::string path;
    int fd = -1;
    bool kept = false;
    ~TemporaryFile() {
        if (fd >= 0) close(fd);
        if (!kept) unlink(path.c_str());
    }
};

}  // namespace

PictureTarget CheckPictureTarget(const std::string& name) {
    if (name.empty()) throw UsageError("the picture's file name is empty");
    PictureTarget target{name, name, nullptr, true};
    struct stat st {};
    if (stat(name.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) throw UsageError("cannot write " + Quoted(name) + ": it is a folder");
        target.replace = S_ISREG(st.st_mode);
        if (access(name.c_str(), W_OK) != 0) {
            throw UsageError("cannot write " + Quoted(name) + ": " + std::strerror(errno));
        }
        if (target.replace) {
            // Replace the file a link points to, not the link.
            char resolved[PATH_MAX];
            if (realpath(name.c_str(), resolved)) target.path = resolved;
        }
    } else if (errno != ENOENT) {
        throw UsageError("cannot write " + Quoted(name) + ": " + std::strerror(errno));
    } else {
        if (access(FolderOf(name).c_str(), W_OK | X_OK) != 0) {
            throw UsageError("cannot write " + Quoted(name) + ": " + std::strerror(errno));
        }
    }

    std::string extension = std::filesystem::path(name).extension().string();
    if (extension.empty()) {
        if (target.replace) {
            throw UsageError("the picture's file name " + Quoted(name) + " has no extension (" + FormatList() + ")");
        }
        extension = ".png";
    }
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const PictureFormat& f : kPictureFormats) {
        if (extension.substr(1) == f.extension) target.qtFormat = f.qtFormat;
    }
    if (!target.qtFormat) {
        throw UsageError("cannot write " + Quoted(extension) + " pictures (" + FormatList() + ")");
    }
    if (!QImageWriter::supportedImageFormats().contains(target.qtFormat)) {
        throw UsageError("this Qt cannot write " + std::string(target.qtFormat) + " pictures");
    }
    return target;
}

void WritePicture(const QImage& image, const PictureTarget& target) {
    if (!target.replace) {
        // A device or pipe: nothing to replace, so the bytes go straight there, checked.
        const int fd = open(target.path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) FailWrite(target, errno);
        try {
            Encode(image, target, fd);
        } catch (...) {
            close(fd);
            throw;
        }
        if (close(fd) != 0) FailWrite(target, errno);
        return;
    }

    const std::string folder = FolderOf(target.path);
    // Hidden, beside the target (so the rename stays on one file system), short enough for any name.
    TemporaryFile temp;
    temp.path = folder + "/." + std::filesystem::path(target.path).filename().string().substr(0, 32) + ".XXXXXX";
    temp.fd = mkostemp(temp.path.data(), O_CLOEXEC);
    if (temp.fd < 0) {
        temp.kept = true;   // nothing was created
        FailWrite(target, errno);
    }
    // mkostemp makes the file private; give it the mode the file has, or a new file would get.
    struct stat st {};
    mode_t mode;
    if (stat(target.path.c_str(), &st) == 0) {
        mode = st.st_mode & 0777;
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    if (fchmod(temp.fd, mode) != 0) FailWrite(target, errno);

    Encode(image, target, temp.fd);
    if (fsync(temp.fd) != 0) FailWrite(target, errno);
    const int fd = temp.fd;
    temp.fd = -1;
    if (close(fd) != 0) FailWrite(target, errno);
    if (rename(temp.path.c_str(), target.path.c_str()) != 0) FailWrite(target, errno);
    temp.kept = true;
    // The file is complete and in place; syncing the folder only makes the new name durable sooner.
    const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
}

}  // namespace quivra::tool
