// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/picture_file.h"

#include <fcntl.h>
#include <signal.h>
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
#include <ctime>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

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

// The temporary files that exist now, for the signal handler: it removes them, then lets the
// signal end the process as it would have. Only async-signal-safe calls there.
constexpr int kTemporarySlots = 6;
char temporaryPaths[kTemporarySlots][PATH_MAX];
volatile sig_atomic_t temporaryUsed[kTemporarySlots];
// Every catchable signal whose default action ends the process: the standard ones and the
// real-time ones (whose numbers are known only when the tool runs).
constexpr int kStandardSignals[] = {SIGINT,  SIGTERM, SIGHUP,    SIGQUIT, SIGALRM, SIGUSR1, SIGUSR2, SIGXCPU,
                                    SIGXFSZ, SIGVTALRM, SIGPROF, SIGPIPE, SIGABRT, SIGILL,  SIGTRAP, SIGSYS,
                                    SIGBUS,  SIGFPE,  SIGSEGV,   SIGSTKFLT, SIGIO, SIGPWR};
constexpr size_t kMostSignals = std::size(kStandardSignals) + 64;
int cleanedSignals[kMostSignals];
size_t cleanedCount = 0;
struct sigaction previousActions[kMostSignals];

std::span<const int> CleanedSignals() {
    if (cleanedCount == 0) {
        for (const int s : kStandardSignals) cleanedSignals[cleanedCount++] = s;
        for (int s = SIGRTMIN; s <= SIGRTMAX && cleanedCount < kMostSignals; ++s) cleanedSignals[cleanedCount++] = s;
    }
    return std::span<const int>(cleanedSignals, cleanedCount);
}
int temporariesLive = 0;

// SIGPIPE and SIGXFSZ that the tool's own write raised: ignored as before, so the write fails
// with EPIPE or EFBIG and the tool says so. Sent by another process they end it like the rest.
bool RaisedByOwnWrite(int signal, const siginfo_t* info) {
    if ((signal != SIGPIPE && signal != SIGXFSZ) || info->si_code != SI_USER || info->si_pid != getpid()) return false;
    for (size_t k = 0; k < cleanedCount; ++k) {
        if (cleanedSignals[k] == signal) return previousActions[k].sa_handler == SIG_IGN;
    }
    return false;
}

extern "C" void RemoveTemporaries(int signal, siginfo_t* info, void*) {
    if (RaisedByOwnWrite(signal, info)) return;
    for (int i = 0; i < kTemporarySlots; ++i) {
        if (temporaryUsed[i]) unlink(temporaryPaths[i]);
    }
    // The default action, as if the tool had never caught it: delivered when the handler returns.
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    raise(signal);
}

void CatchSignals() {
    struct sigaction action {};
    action.sa_sigaction = RemoveTemporaries;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    const std::span<const int> cleaned = CleanedSignals();
    for (int s : cleaned) sigaddset(&action.sa_mask, s);
    for (size_t k = 0; k < cleaned.size(); ++k) {
        const int s = cleaned[k];
        sigaction(s, nullptr, &previousActions[k]);
        // A signal the caller ignores ends nothing; SIGPIPE and SIGXFSZ are the tool's own choice.
        if (previousActions[k].sa_handler == SIG_IGN && s != SIGPIPE && s != SIGXFSZ) continue;
        sigaction(s, &action, nullptr);
    }
}

void RestoreSignals() {
    const std::span<const int> cleaned = CleanedSignals();
    for (size_t i = 0; i < cleaned.size(); ++i) sigaction(cleaned[i], &previousActions[i], nullptr);
}

// Signals held back meanwhile, so the handler never sees a half-made entry or a file it does not know.
class SignalsHeld {
public:
    SignalsHeld() {
        sigset_t set;
        sigemptyset(&set);
        for (int s : CleanedSignals()) sigaddset(&set, s);
        pthread_sigmask(SIG_BLOCK, &set, &saved_);
    }
    ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &saved_, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t saved_;
};

// The temporary file until it is renamed: closed and removed on every way out but success.
struct TemporaryFile {
    std::string path;
    int fd = -1;
    bool kept = false;
    int slot = -1;
    ~TemporaryFile() {
        if (fd >= 0) close(fd);
        const SignalsHeld held;
        if (!kept) unlink(path.c_str());
        Forget();
    }
    // Called with the signals held.
    void Forget() {
        if (slot < 0) return;
        temporaryUsed[slot] = 0;
        slot = -1;
        if (--temporariesLive == 0) RestoreSignals();
    }
};

// Why Qt could not write a file, safe to print on the message's one line.
std::string Reason(const QFileDevice& file) {
    std::string reason = file.errorString().toStdString();
    for (char& c : reason) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    }
    return reason;
}

// Hidden, beside the target (so the rename stays on one file system), short enough for any name,
// known to the signal handler from the moment it exists.
void MakeTemporary(TemporaryFile& temp, const PictureTarget& target) {
    temp.path = FolderOf(target.path) + "/." + std::filesystem::path(target.path).filename().string().substr(0, 32) +
                ".XXXXXX";
    {
        const SignalsHeld held;
        temp.fd = mkostemp(temp.path.data(), O_CLOEXEC);
        if (temp.fd < 0) {
            temp.kept = true;   // nothing was created
        } else if (temp.path.size() < PATH_MAX) {
            for (int i = 0; i < kTemporarySlots; ++i) {
                if (temporaryUsed[i]) continue;
                std::memcpy(temporaryPaths[i], temp.path.c_str(), temp.path.size() + 1);
                temporaryUsed[i] = 1;
                temp.slot = i;
                if (temporariesLive++ == 0) CatchSignals();
                break;
            }
        }
    }
    if (temp.fd < 0) FailWrite(target, errno);
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
}

// Every byte on the disk and the file closed, ready to be renamed.
void SyncTemporary(TemporaryFile& temp, const PictureTarget& target) {
    if (fsync(temp.fd) != 0) FailWrite(target, errno);
    const int fd = temp.fd;
    temp.fd = -1;
    if (close(fd) != 0) FailWrite(target, errno);
}

// The file is complete and in place; syncing the folder only makes the new name durable sooner.
void SyncFolder(const std::string& path) {
    const int dir = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
}

// Writes through to a file descriptor, blanking the PDF stamps on the way: the last few hundred
// bytes wait for the next write, so a stamp split between two writes is still found whole.
class StampFilter : public QIODevice {
public:
    explicit StampFilter(int fd) : fd_(fd) { open(QIODevice::WriteOnly); }
    bool isSequential() const override { return true; }
    // 0, or the errno of the first write that failed.
    int Flush() {
        Send(pending_.size());
        return error_;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override {
        pending_.append(data, length);
        BlankPdfStamps(pending_);
        if (pending_.size() > 4 * kHold) Send(pending_.size() - kHold);
        return error_ ? -1 : length;
    }

private:
    static constexpr qsizetype kHold = 512;   // longer than any stamp
    void Send(qsizetype count) {
        for (qsizetype done = 0; done < count && !error_;) {
            const ssize_t n = ::write(fd_, pending_.constData() + done, static_cast<size_t>(count - done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) error_ = n < 0 ? errno : EIO;
            else done += n;
        }
        pending_.remove(0, count);
    }
    int fd_;
    int error_ = 0;
    QByteArray pending_;
};

}  // namespace

namespace {

long long documentDate = -1;
bool datedNow = false;

// YYYYMMDDhhmmss of the document's date.
std::string DateDigits() {
    const std::time_t seconds = documentDate >= 0 && !datedNow ? static_cast<std::time_t>(documentDate) : std::time(nullptr);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char digits[32];
    std::strftime(digits, sizeof digits, "%Y%m%d%H%M%S", &utc);
    return digits;
}

}  // namespace

void SetDocumentDate(long long seconds) { documentDate = seconds; }

void DateDocumentsNow(bool now) { datedNow = now; }

void BlankPdfStamps(QByteArray& pdf) {
    // A date's digits in order, then zeros (a zone offset of zero: the date is in UTC).
    const std::string date = DateDigits();
    const auto dated = [&pdf, &date](const QByteArray& start, char end) {
        for (qsizetype at = pdf.indexOf(start); at >= 0; at = pdf.indexOf(start, at + 1)) {
            const qsizetype from = at + start.size();
            const qsizetype to = pdf.indexOf(end, from);
            if (to < 0 || to - from > 64) continue;
            size_t digit = 0;
            for (qsizetype i = from; i < to; ++i) {
                if (std::isdigit(static_cast<unsigned char>(pdf[i]))) pdf[i] = digit < date.size() ? date[digit++] : '0';
            }
        }
    };
    const auto blank = [&pdf](const QByteArray& start, char end) {
        for (qsizetype at = pdf.indexOf(start); at >= 0; at = pdf.indexOf(start, at + 1)) {
            const qsizetype from = at + start.size();
            const qsizetype to = pdf.indexOf(end, from);
            // A stamp is short; /ID holds two hex-encoded ids of up to 36 characters each.
            if (to < 0 || to - from > 256) continue;
            for (qsizetype i = from; i < to; ++i) {
                if (std::isalnum(static_cast<unsigned char>(pdf[i]))) pdf[i] = '0';
            }
        }
    };
    dated("/CreationDate (D:", ')');
    dated("/ModDate (D:", ')');
    blank("/ID [<", ']');
    blank("/ID [ <", ']');
    // Qt 6.4 writes the metadata as elements, Qt 6.8 as attributes.
    for (const char* name : {"xmp:CreateDate", "xmp:ModifyDate", "xmp:MetadataDate"}) {
        dated(QByteArray("<") + name + ">", '<');
        dated(QByteArray(name) + "=\"", '"');
    }
    for (const char* name : {"xmpMM:DocumentID", "xmpMM:InstanceID"}) {
        blank(QByteArray("<") + name + ">uuid:", '<');
        blank(QByteArray(name) + "=\"uuid:", '"');
    }
}

struct StreamedOutput::Impl {
    PictureTarget target;
    TemporaryFile temp;
    int fd = -1;   // a device or pipe written directly
    std::unique_ptr<StampFilter> filter;
    ~Impl() {
        if (fd >= 0) close(fd);
    }
};

StreamedOutput::StreamedOutput(const PictureTarget& target) : impl_(std::make_unique<Impl>()) {
    impl_->target = target;
    if (target.replace) {
        MakeTemporary(impl_->temp, target);
        impl_->filter = std::make_unique<StampFilter>(impl_->temp.fd);
    } else {
        impl_->fd = open(target.path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (impl_->fd < 0) FailWrite(target, errno);
        impl_->filter = std::make_unique<StampFilter>(impl_->fd);
    }
}

StreamedOutput::~StreamedOutput() = default;

QIODevice& StreamedOutput::Device() { return *impl_->filter; }

void StreamedOutput::Commit() {
    StreamedOutput* const one[] = {this};
    CommitAll(one);
}

bool StreamedOutput::SameDestination(const StreamedOutput& other) const {
    // Device and inode of what is written: the open device, the file to be replaced, or for a
    // file still to be made its folder, with the name in it.
    const auto where = [](const Impl& d, struct stat& st, std::string& name) {
        if (!d.target.replace) return fstat(d.fd, &st) == 0;
        if (stat(d.target.path.c_str(), &st) == 0) return true;
        name = std::filesystem::path(d.target.path).filename().string();
        return stat(FolderOf(d.target.path).c_str(), &st) == 0;
    };
    struct stat a {}, b {};
    std::string nameA, nameB;
    if (!where(*impl_, a, nameA) || !where(*other.impl_, b, nameB)) return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && nameA == nameB;
}

void StreamedOutput::CommitAll(std::span<StreamedOutput* const> outputs) {
    for (StreamedOutput* output : outputs) {
        Impl& d = *output->impl_;
        if (const int error = d.filter->Flush()) FailWrite(d.target, error);
        if (d.target.replace) {
            SyncTemporary(d.temp, d.target);
        } else {
            const int fd = d.fd;
            d.fd = -1;
            if (close(fd) != 0) FailWrite(d.target, errno);
        }
    }
    // Renamed one after the other: when a later rename fails, the files placed before it are taken
    // back (the old file, kept under a second name until then, put back), so all or none are new.
    const SignalsHeld held;
    std::vector<std::string> kept(outputs.size());
    size_t placed = 0;
    try {
        for (; placed < outputs.size(); ++placed) {
            Impl& d = *outputs[placed]->impl_;
            if (!d.target.replace) continue;
            if (placed + 1 < outputs.size()) {
                // A second name for the old file; where the file system has no links (FAT), the
                // old file is moved aside instead, and the name is empty for that moment.
                const std::string old = d.temp.path + "-old";
                if (link(d.target.path.c_str(), old.c_str()) == 0 || (errno != ENOENT && rename(d.target.path.c_str(), old.c_str()) == 0)) {
                    kept[placed] = old;
                } else if (errno != ENOENT) {
                    FailWrite(d.target, errno);
                }
            }
            if (rename(d.temp.path.c_str(), d.target.path.c_str()) != 0) FailWrite(d.target, errno);
            d.temp.kept = true;
            d.temp.Forget();
        }
    } catch (...) {
        // The old file back under its name (a second link onto its own file renames nothing, so
        // that name goes too); a file that was new is removed.
        for (size_t i = 0; i < outputs.size(); ++i) {
            const Impl& d = *outputs[i]->impl_;
            if (!kept[i].empty()) {
                rename(kept[i].c_str(), d.target.path.c_str());
                unlink(kept[i].c_str());
            } else if (i < placed && d.target.replace) {
                unlink(d.target.path.c_str());
            }
        }
        throw;
    }
    for (size_t i = 0; i < outputs.size(); ++i) {
        if (!kept[i].empty()) unlink(kept[i].c_str());
        if (outputs[i]->impl_->target.replace) SyncFolder(outputs[i]->impl_->target.path);
    }
}

void WriteFilesTogether(const std::vector<PictureTarget>& targets, const std::function<QByteArray(size_t)>& bytes) {
    const SignalsHeld held;
    std::vector<std::string> temporaries, olds(targets.size());
    size_t placed = 0;
    try {
        for (const PictureTarget& target : targets) {
            std::string path = FolderOf(target.path) + "/." +
                               std::filesystem::path(target.path).filename().string().substr(0, 32) + ".XXXXXX";
            const int fd = mkostemp(path.data(), O_CLOEXEC);
            if (fd < 0) FailWrite(target, errno);
            temporaries.push_back(path);
            const mode_t mask = umask(0);
            umask(mask);
            struct stat st {};
            const mode_t mode = stat(target.path.c_str(), &st) == 0 ? st.st_mode & 0777 : 0666 & ~mask;
            try {
                if (fchmod(fd, mode) != 0) FailWrite(target, errno);
                WriteAll(bytes(temporaries.size() - 1), target, fd);
                if (fsync(fd) != 0) FailWrite(target, errno);
            } catch (...) {
                close(fd);
                throw;
            }
            if (close(fd) != 0) FailWrite(target, errno);
        }
        // The old files kept under a second name until every new one is in place.
        for (; placed < targets.size(); ++placed) {
            const PictureTarget& target = targets[placed];
            const std::string old = temporaries[placed] + "-old";
            if (link(target.path.c_str(), old.c_str()) == 0) olds[placed] = old;
            else if (errno != ENOENT) FailWrite(target, errno);
            if (rename(temporaries[placed].c_str(), target.path.c_str()) != 0) FailWrite(target, errno);
        }
    } catch (...) {
        for (size_t i = 0; i < targets.size(); ++i) {
            if (i < temporaries.size() && i >= placed) unlink(temporaries[i].c_str());
            if (!olds[i].empty()) {
                rename(olds[i].c_str(), targets[i].path.c_str());
                unlink(olds[i].c_str());
            } else if (i < placed) {
                unlink(targets[i].path.c_str());
            }
        }
        throw;
    }
    for (const std::string& old : olds) {
        if (!old.empty()) unlink(old.c_str());
    }
    if (!targets.empty()) SyncFolder(targets.front().path);
}

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

bool SameFile(const PictureTarget& a, const PictureTarget& b) {
    // The same file once it exists, through any links: device and inode.
    struct stat sa {}, sb {};
    if (stat(a.path.c_str(), &sa) == 0 && stat(b.path.c_str(), &sb) == 0) {
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    }
    // A file still to be made: the same name once "." and ".." and the folders' links are resolved.
    std::error_code error;
    const auto resolved = [&error](const std::string& path) {
        return std::filesystem::weakly_canonical(std::filesystem::absolute(path, error), error);
    };
    return resolved(a.path) == resolved(b.path);
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
    // with the mode the file has or a new file would get, and renames it over the target only when
    // every byte is in; on any failure it removes it and the old file stays. Unbuffered, and a short
    // write resumed, so that the write that fails says why (a full disk, a size limit). Its
    // temporary file has no name a signal handler could know, so the signals that end the tool wait
    // until it is renamed or gone. A name too long for a temporary beside it is written in place.
    const SignalsHeld held;
    QSaveFile file(QFile::decodeName(target.path.c_str()));
    file.setDirectWriteFallback(true);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    for (qint64 done = 0; written && done < bytes.size();) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        written = n > 0;
        done += n;
    }
    if (!written || !file.commit()) throw WriteError("cannot write " + Quoted(target.name) + ": " + Reason(file));
    SyncFolder(target.path);
}

}  // namespace quivra::tool
