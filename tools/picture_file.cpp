// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/picture_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QSaveFile>

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

// Where a new file named by a symbolic link to nothing yet goes: the end of the chain of links,
// so the link stays and its target is made, as `cat > link` does.
std::string DanglingLinkTarget(const std::string& name) {
    namespace fs = std::filesystem;
    fs::path path = name;
    std::error_code error;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, error)); ++hops) {
        const fs::path link = fs::read_symlink(path, error);
        if (error) break;
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return path.string();
}

[[noreturn]] void FailWrite(const PictureTarget& target, int error) {
    throw WriteError("cannot write " + Quoted(target.name) + ": " + std::strerror(error));
}

// Every write(2) checked, a short write resumed.
void WriteAll(const QByteArray& bytes, const PictureTarget& target, int fd) {
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) FailWrite(target, n < 0 ? errno : EIO);
        done += n;
    }
}

// Why Qt could not write a file, safe to print on the message's one line.
std::string Reason(const QFileDevice& file) {
    std::string reason = file.errorString().toStdString();
    for (char& c : reason) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    }
    return reason;
}

}  // namespace

PictureTarget CheckPictureTarget(const std::string& name) {
    if (name.empty()) throw UsageError("the picture's file name is empty");
    PictureTarget target{name, name, nullptr, true};
    auto refuse = [&name](int error) -> void {
        throw UsageError("cannot write " + Quoted(name) + ": " + std::strerror(error));
    };
    // A symbolic link is written through: the file it names gets the picture and the link stays.
    struct stat st {};
    if (stat(name.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) throw UsageError("cannot write " + Quoted(name) + ": it is a folder");
        target.replace = S_ISREG(st.st_mode);
        if (access(name.c_str(), W_OK) != 0) refuse(errno);
        if (target.replace) {
            char resolved[PATH_MAX];
            if (!realpath(name.c_str(), resolved)) refuse(errno);
            target.path = resolved;
        }
    } else if (errno != ENOENT) {
        refuse(errno);
    } else {
        target.path = DanglingLinkTarget(name);
    }
    // A file is replaced by a rename in its folder, so the folder must take a new file too.
    if (target.replace && access(FolderOf(target.path).c_str(), W_OK | X_OK) != 0) refuse(errno);
    // QSaveFile names files in Unicode: bytes that are not UTF-8 would name another file.
    if (target.replace && QFile::encodeName(QFile::decodeName(target.path.c_str())).toStdString() != target.path) {
        throw UsageError("cannot write " + Quoted(name) + ": a file name that is not UTF-8 is not supported");
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
    if (!IsVectorFormat(target.qtFormat) && !QImageWriter::supportedImageFormats().contains(target.qtFormat)) {
        throw UsageError("this Qt cannot write " + std::string(target.qtFormat) + " pictures");
    }
    return target;
}

QByteArray EncodePicture(const QImage& image, const PictureTarget& target) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, target.qtFormat);
    // zlib level 1 ((100 - 89) * 9 / 91): a 4K picture encodes in three quarters of the time at
    // under twice the size; most of what is left is libpng's own row work.
    if (std::string_view(target.qtFormat) == "png") writer.setQuality(89);
    if (!writer.write(image)) {
        throw WriteError("cannot encode the picture as " + std::string(target.qtFormat) + ": " +
                         Quoted(writer.errorString().toStdString()));
    }
    return bytes;
}

void WritePicture(const QImage& image, const PictureTarget& target) {
    WriteOutputBytes(EncodePicture(image, target), target);
}

void WriteOutputBytes(const QByteArray& bytes, const PictureTarget& target) {
    if (!target.replace) {
        // A device or pipe: nothing to replace, so the bytes go straight there, checked.
        const int fd = open(target.path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) FailWrite(target, errno);
        try {
            WriteAll(bytes, target, fd);
        } catch (...) {
            close(fd);
            throw;
        }
        if (close(fd) != 0) FailWrite(target, errno);
        return;
    }

    // A file: QSaveFile writes a temporary file beside it (so the rename stays on one file system),
    // with the mode the file has or a new file would get, syncs it and renames it over the target
    // only when every byte is in; on any failure it removes it and the old file stays. Unbuffered,
    // and a short write resumed, so that the write that fails says why (a full disk, a size limit).
    QSaveFile file(QFile::decodeName(target.path.c_str()));
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    for (qint64 done = 0; written && done < bytes.size();) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        written = n > 0;
        done += n;
    }
    if (!written || !file.commit()) throw WriteError("cannot write " + Quoted(target.name) + ": " + Reason(file));
    // The file is complete and in place; syncing the folder only makes the new name durable sooner.
    const int dir = open(FolderOf(target.path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
}

}  // namespace quivra::tool
