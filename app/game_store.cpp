// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/game_store.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QLockFile>
#include <QStandardPaths>

#include <algorithm>
#include <cctype>
#include <vector>

#include "app/safe_file.h"

namespace quivra {

namespace {

constexpr size_t kMaxKeptBytes = 1 << 22;       // far beyond any walk: a stranger file is not read whole
constexpr size_t kMaxRecordsBytes = 1 << 20;
constexpr size_t kMaxSettingsBytes = 1 << 16;
constexpr int kKeptSlots = 99;                  // windows closed mid-walk, each keeping its own
constexpr int kLockWaitMs = 10000;              // a window writing records takes milliseconds

std::string Trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(s.substr(first, s.find_last_not_of(" \t") - first + 1));
}

// An INI file as the settings have always been written: [group] lines and name=value lines. Any
// other line, or a control character, means it is not such a file.
std::optional<std::map<std::string, std::map<std::string, std::string>>> ParseIni(std::string_view text) {
    std::map<std::string, std::map<std::string, std::string>> sections;
    std::string section = "General";
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        for (const char c : line) {
            if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7f) return std::nullopt;
        }
        const std::string trimmed = Trimmed(line);
        if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#') continue;
        if (trimmed.front() == '[') {
            if (trimmed.back() != ']' || trimmed.size() < 3) return std::nullopt;
            section = trimmed.substr(1, trimmed.size() - 2);
            continue;
        }
        const auto equals = trimmed.find('=');
        if (equals == std::string::npos || equals == 0) return std::nullopt;
        sections[section][Trimmed(std::string_view(trimmed).substr(0, equals))] =
            Trimmed(std::string_view(trimmed).substr(equals + 1));
    }
    return sections;
}

std::string IniText(const std::map<std::string, std::map<std::string, std::string>>& sections) {
    std::string text;
    for (const auto& [section, values] : sections) {
        if (values.empty()) continue;
        text += "[" + section + "]\n";
        for (const auto& [name, value] : values) text += name + "=" + value + "\n";
        text += "\n";
    }
    return text;
}

// Record keys are written as they always were: percent-encoded, then escaped once more as an INI key.
std::string Encoded(std::string_view s) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u) != 0 || c == '_' || c == '-' || c == '.') {
            out += c;
        } else {
            out += '%';
            out += hex[u >> 4];
            out += hex[u & 15];
        }
    }
    return out;
}

std::string Decoded(std::string_view s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() && std::isxdigit(static_cast<unsigned char>(s[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(s[i + 2]))) {
            out += static_cast<char>(std::stoi(std::string(s.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::pair<std::string, std::string> SectionAndName(const std::string& key) {
    const auto slash = key.find('/');
    if (slash == std::string::npos) return {"General", key};
    return {key.substr(0, slash), key.substr(slash + 1)};
}

// Which file stands at `path`: its inode and its change time, since a removed file's inode is soon
// another's. Empty when no regular file is there.
GameStore::FileId IdOf(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
    return {static_cast<unsigned long long>(st.st_ino), static_cast<long long>(st.st_ctim.tv_sec),
            static_cast<long long>(st.st_ctim.tv_nsec)};
}

struct KeptFile {
    std::string path;
    struct timespec changed {};
    GameStore::FileId id;
};

bool IsKeptName(const std::string& name) {
    if (name == "kept-game.txt") return true;
    if (!name.starts_with("kept-game-") || !name.ends_with(".txt")) return false;
    const std::string number = name.substr(10, name.size() - 14);
    return !number.empty() && number.size() <= 2 && number.find_first_not_of("0123456789") == std::string::npos;
}

std::string KeptSlot(const std::string& dir, int slot) {
    return dir + (slot == 1 ? "/kept-game.txt" : "/kept-game-" + std::to_string(slot) + ".txt");
}

// The kept games there are, the most recent first; anything else under their names in `strangers`.
std::vector<KeptFile> KeptFiles(const std::string& dir, std::vector<std::string>* strangers) {
    std::vector<KeptFile> files;
    DIR* folder = ::opendir(dir.c_str());
    if (folder == nullptr) return files;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        if (!IsKeptName(name)) continue;
        const std::string path = dir + "/" + name;
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) continue;
        if (const std::string what = safe_file::Stranger(path); !what.empty()) {
            if (strangers != nullptr) strangers->push_back(path + " is " + what + ", not a kept game: it is left as it is");
            continue;
        }
        files.push_back({path, st.st_mtim, IdOf(path)});
    }
    ::closedir(folder);
    std::sort(files.begin(), files.end(), [](const KeptFile& a, const KeptFile& b) {
        if (a.changed.tv_sec != b.changed.tv_sec) return a.changed.tv_sec > b.changed.tv_sec;
        if (a.changed.tv_nsec != b.changed.tv_nsec) return a.changed.tv_nsec > b.changed.tv_nsec;
        return a.path < b.path;
    });
    return files;
}


}  // namespace

GameStore::GameStore()
    : dataDir_(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString()),
      settingsPath_(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() +
                    "/quivra/quivra.ini") {}

void GameStore::Report(const std::string& line) {
    if (line.empty()) return;
    problem_ += problem_.empty() ? line : "; " + line;
}

std::string GameStore::KeptGamePath() const { return KeptSlot(dataDir_, 1); }

bool GameStore::HasKeptGame() const { return !KeptFiles(dataDir_, nullptr).empty(); }

int GameStore::OtherKeptGames() const {
    const auto files = KeptFiles(dataDir_, nullptr);
    if (taken_.empty()) return std::max(0, static_cast<int>(files.size()) - 1);
    return static_cast<int>(std::count_if(files.begin(), files.end(),
                                          [this](const KeptFile& f) { return f.path != taken_; }));
}

bool GameStore::Keep(const KeptGame& kept) {
    problem_.clear();
    if (!safe_file::MakeFolders(dataDir_)) {
        problem_ = "the game could not be kept: " + dataDir_ + " is not a folder that takes files";
        return false;
    }
    const std::string text = WriteKeptGame(kept);
    // Replaces only this window's own kept game; any other window's stays beside it.
    if (!ownKept_.empty() && IdOf(ownKept_) == ownId_) {
        if (const auto failed = safe_file::WriteWhole(ownKept_, text, safe_file::Replace::Yes)) {
            problem_ = "the game could not be kept: " + *failed;
            return false;
        }
        ownId_ = IdOf(ownKept_);
        return true;
    }
    for (int slot = 1; slot <= kKeptSlots; ++slot) {
        const std::string path = KeptSlot(dataDir_, slot);
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0) continue;
        const auto failed = safe_file::WriteWhole(path, text, safe_file::Replace::No);
        if (!failed) {
            ownKept_ = path;
            ownId_ = IdOf(path);
            return true;
        }
        if (::lstat(path.c_str(), &st) != 0) {   // not another window taking the name first
            problem_ = "the game could not be kept: " + *failed;
            return false;
        }
    }
    problem_ = "the game could not be kept: " + dataDir_ + " holds " + std::to_string(kKeptSlots) + " kept games";
    return false;
}

std::optional<KeptGame> GameStore::ReadKept() {
    problem_.clear();
    taken_.clear();
    keptBroken_ = false;
    std::vector<std::string> strangers;
    const auto files = KeptFiles(dataDir_, &strangers);
    for (const std::string& line : strangers) Report(line);
    if (files.empty()) return std::nullopt;
    const std::string& path = files.front().path;
    const safe_file::ReadResult read = safe_file::ReadOwn(path, kMaxKeptBytes);
    if (read.kind == safe_file::ReadResult::Kind::NotOurs || read.kind == safe_file::ReadResult::Kind::Missing) {
        Report(read.problem);
        return std::nullopt;
    }
    const KeptGameResult game = read.kind == safe_file::ReadResult::Kind::Read
                                    ? ReadKeptGame(read.bytes)
                                    : KeptGameResult{std::nullopt, read.problem};
    if (game.game) {
        taken_ = path;
        takenId_ = files.front().id;
        return game.game;
    }
    // Nothing is lost: the file goes aside, where a player (or a bug report) can still find it.
    keptBroken_ = true;
    const std::string aside = safe_file::SetAside(path);
    Report("the kept game could not be resumed (" + game.error + "); " +
           (aside.empty() ? "it stays in " + path : "it was set aside as " + aside));
    return std::nullopt;
}

bool GameStore::RemoveKept() {
    problem_.clear();
    if (taken_.empty()) return false;
    // Only the file that was read: a name another window has kept a game under since is left.
    const bool same = !(takenId_ == FileId{}) && IdOf(taken_) == takenId_;
    const bool removed = same && ::unlink(taken_.c_str()) == 0;
    if (!removed && same) Report("the resumed game's file " + taken_ + " could not be removed");
    if (ownKept_ == taken_) ownKept_.clear();
    taken_.clear();
    return removed;
}

std::optional<GameStore::Sections> GameStore::ReadIni(const std::string& path, const char* what, size_t maxBytes) {
    const safe_file::ReadResult read = safe_file::ReadOwn(path, maxBytes);
    switch (read.kind) {
        case safe_file::ReadResult::Kind::Missing: return Sections{};
        case safe_file::ReadResult::Kind::NotOurs: Report(read.problem); return std::nullopt;
        case safe_file::ReadResult::Kind::Read:
            if (auto sections = ParseIni(read.bytes)) return sections;
            [[fallthrough]];
        case safe_file::ReadResult::Kind::Failed: break;
    }
    return SetAsideUnreadable(path, what);
}

// The file goes aside whole, so that nothing is written over it: then nothing is read from it.
std::optional<GameStore::Sections> GameStore::SetAsideUnreadable(const std::string& path, const char* what) {
    const std::string aside = safe_file::SetAside(path);
    if (aside.empty()) {
        Report(std::string("the ") + what + " in " + path + " cannot be read; it is left as it is");
        return std::nullopt;
    }
    Report(std::string("the ") + what + " in " + path + " cannot be read; set aside as " + aside);
    return Sections{};
}

std::optional<Records> GameStore::ReadRecordsFile() {
    const auto sections = ReadIni(RecordsPath(), "records", kMaxRecordsBytes);
    if (!sections) return std::nullopt;
    Records records;
    const auto group = sections->find("records");
    if (group == sections->end()) return records;
    for (const auto& [key, value] : group->second) {
        const auto entry = Records::ReadEntry(value);
        if (!entry) {   // a line the game cannot read
            if (!SetAsideUnreadable(RecordsPath(), "records")) return std::nullopt;
            return Records();
        }
        records.Set(Decoded(Decoded(key)), *entry);
    }
    return records;
}

Records GameStore::LoadRecords() {
    problem_.clear();
    return ReadRecordsFile().value_or(Records());
}

bool GameStore::SaveRecords(const Records& records) {
    problem_.clear();
    if (!safe_file::MakeFolders(dataDir_)) {
        problem_ = "the records could not be written: " + dataDir_ + " is not a folder that takes files";
        return false;
    }
    Sections sections;
    for (const auto& [key, entry] : records.Entries()) sections["records"][Encoded(Encoded(key))] = Records::WriteEntry(entry);
    if (const auto failed = safe_file::WriteWhole(RecordsPath(), IniText(sections), safe_file::Replace::Yes)) {
        problem_ = "the records could not be written: " + *failed;
        return false;
    }
    return true;
}

std::optional<WinReport> GameStore::RecordWin(const std::string& key, int steps, int shortest, double seconds) {
    problem_.clear();
    if (!safe_file::MakeFolders(dataDir_)) {
        problem_ = "the win could not be recorded: " + dataDir_ + " is not a folder that takes files";
        return std::nullopt;
    }
    // Read, add and write inside the lock: two windows winning at once both count.
    QLockFile lock(QString::fromStdString(RecordsPath() + ".lock"));
    if (!lock.tryLock(kLockWaitMs)) {
        problem_ = "the win could not be recorded: " + RecordsPath() + ".lock " +
                   (lock.error() == QLockFile::LockFailedError ? "is held by another window"
                                                                : "could not be made (a full or read-only disk?)");
        return std::nullopt;
    }
    std::optional<Records> records = ReadRecordsFile();
    if (!records) return std::nullopt;
    const WinReport report = records->Add(key, steps, shortest, seconds);
    const std::string before = problem_;
    if (!SaveRecords(*records)) {
        problem_ = before.empty() ? problem_ : before + "; " + problem_;
        return std::nullopt;
    }
    problem_ = before;
    return report;
}

std::string GameStore::Setting(const std::string& key) {
    if (!settingsRead_) {
        problem_.clear();
        settingsRead_ = true;
        auto sections = ReadIni(settingsPath_, "settings", kMaxSettingsBytes);
        settingsBlocked_ = !sections;
        settings_ = sections.value_or(Sections{});
    }
    const auto [section, name] = SectionAndName(key);
    const auto group = settings_.find(section);
    if (group == settings_.end()) return {};
    const auto value = group->second.find(name);
    return value == group->second.end() ? std::string() : value->second;
}

QByteArray GameStore::Bytes(const std::string& key) {
    return QByteArray::fromBase64(QByteArray::fromStdString(Setting(key)));
}

bool GameStore::SetSetting(const std::string& key, const std::string& value) {
    if (settingsBlocked_) {   // said once, when it was found
        problem_.clear();
        return false;
    }
    // Another window may have changed other settings since: they are read again first.
    settingsRead_ = false;
    Setting(key);
    if (settingsBlocked_) return false;
    if (value.find_first_of("\r\n") != std::string::npos) {
        Report("the setting " + key + " cannot hold a line break");
        return false;
    }
    const auto [section, name] = SectionAndName(key);
    settings_[section][name] = Trimmed(value);
    const auto slash = settingsPath_.rfind('/');
    if (!safe_file::MakeFolders(settingsPath_.substr(0, slash))) {
        Report("the settings could not be written: " + settingsPath_.substr(0, slash) + " is not a folder");
        return false;
    }
    if (const auto failed = safe_file::WriteWhole(settingsPath_, IniText(settings_), safe_file::Replace::Yes)) {
        Report("the settings could not be written: " + *failed);
        return false;
    }
    return true;
}

bool GameStore::SetBytes(const std::string& key, const QByteArray& value) {
    return SetSetting(key, value.toBase64().toStdString());
}

}  // namespace quivra
