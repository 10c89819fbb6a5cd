// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a game that lasts is kept: the settings (the toolkit's settings store), and under the
// user's data folder the kept game (written whole, through a temporary file) and the records.
// Every failure is one line of text, and the game plays on.
#include <QByteArray>
#include <QVariant>

#include <optional>
#include <string>

#include "game/game_life.h"
#include "game/lasting.h"

class QSettings;

namespace quivra {

class GameStore : public RecordsStore {
public:
    // The data folder is QStandardPaths' AppDataLocation (test mode moves it, and the settings).
    GameStore();

    // A kept game to resume.
    bool HasKeptGame() const;
    // Writes it whole; false with Problem() set when the folder takes no file.
    bool Keep(const KeptGame& kept);
    // The most recent kept game, read and left in place until the game resumed from it stands. One
    // that cannot be read is set aside under another name (Problem() says why and where), and
    // nothing comes back.
    std::optional<KeptGame> ReadKept();
    // Removes what ReadKept returned.
    bool RemoveKept();

    Records LoadRecords() const;
    bool SaveRecords(const Records& records);
    // A win added to the records (loaded, added, saved); nothing when they could not be kept.
    std::optional<WinReport> RecordWin(const std::string& key, int steps, int shortest, double seconds) override;

    // Settings: a value by key, or empty; false with Problem() when they cannot be written.
    std::string Setting(const std::string& key) const;
    QByteArray Bytes(const std::string& key) const;
    bool SetSetting(const std::string& key, const std::string& value);
    bool SetBytes(const std::string& key, const QByteArray& value);

    // The last failure, in one line; empty when the last call went well.
    const std::string& Problem() const { return problem_; }
    std::string KeptGamePath() const;

private:
    bool Synced(QSettings& settings, const char* what);
    QVariant Value(const std::string& key) const;

    std::string dataDir_;
    std::string problem_;
};

}  // namespace quivra
