// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a game that lasts is kept: the settings (quivra.ini under the user's settings folder), and
// under the user's data folder the kept games and the records. Every file is written whole or not
// at all, and only regular files of ours are read or replaced: anything else in their place is
// left alone, and a file that cannot be read is set aside, never written over. Every failure is
// one line of text (Problem()), and the game plays on with defaults.
#include <QByteArray>

#include <map>
#include <optional>
#include <string>

#include "game/game_life.h"
#include "game/lasting.h"

namespace quivra {

class GameStore : public RecordsStore {
public:
    // The data folder is QStandardPaths' AppDataLocation, the settings under GenericConfigLocation
    // (test mode moves both).
    GameStore();

    // Kept games: one per window that closed mid-walk, so that two windows never drop each other's.
    bool HasKeptGame() const;
    // Kept games besides the one ReadKept returned (or, before it, the most recent).
    int OtherKeptGames() const;
    // Writes the game whole, as this window's kept game (replacing only the one it kept before);
    // false with Problem() set when it could not be kept, the old files untouched.
    bool Keep(const KeptGame& kept);
    // The most recent kept game, read and left in place. One that cannot be read is set aside under
    // another name (Problem() says why and where), and nothing comes back.
    std::optional<KeptGame> ReadKept();
    // Whether the last ReadKept found a kept game it could not read (and set it aside, or tried to).
    bool KeptGameBroken() const { return keptBroken_; }
    // Removes the kept game ReadKept returned, once the resumed game stands.
    bool RemoveKept();

    // The records, for showing. A file that cannot be read is set aside (Problem() says so).
    Records LoadRecords();
    // A win, added to the records read, under a lock shared by every window; nothing when the
    // records could not be kept.
    std::optional<WinReport> RecordWin(const std::string& key, int steps, int shortest, double seconds) override;
    // Writes these records whole (no lock: for tests and tools that own the folder).
    bool SaveRecords(const Records& records);

    // Settings: a value by key ("group/name"), or empty; false with Problem() when they cannot be
    // written (Problem() stays empty after the first report of a file not of ours).
    std::string Setting(const std::string& key);
    QByteArray Bytes(const std::string& key);
    bool SetSetting(const std::string& key, const std::string& value);
    bool SetBytes(const std::string& key, const QByteArray& value);

    // The last failure, in one line; empty when the last call went well.
    const std::string& Problem() const { return problem_; }
    // The first kept game's file, where a single window keeps its game.
    std::string KeptGamePath() const;
    std::string RecordsPath() const { return dataDir_ + "/records.ini"; }
    std::string SettingsPath() const { return settingsPath_; }

    // A file as it stood when the store last saw it.
    struct FileId {
        unsigned long long inode = 0;
        long long changedSeconds = 0, changedNanoseconds = 0;
        bool operator==(const FileId&) const = default;
    };

private:
    using Sections = std::map<std::string, std::map<std::string, std::string>>;
    std::optional<Sections> ReadIni(const std::string& path, const char* what, size_t maxBytes);
    std::optional<Sections> SetAsideUnreadable(const std::string& path, const char* what);
    std::optional<Records> ReadRecordsFile();
    void Report(const std::string& line);

    std::string dataDir_;
    std::string settingsPath_;
    std::string problem_;
    std::string ownKept_;          // the file this store kept its game in, while it is that file
    FileId ownId_;
    std::string taken_;            // the file ReadKept returned
    FileId takenId_;
    bool keptBroken_ = false;
    bool settingsRead_ = false;
    bool settingsBlocked_ = false;   // a stranger in the settings' place: reported once, left alone
    Sections settings_;
};

}  // namespace quivra
