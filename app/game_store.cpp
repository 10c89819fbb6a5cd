// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/game_store.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

namespace quivra {

namespace {

constexpr qint64 kMaxKeptBytes = 1 << 22;   // far beyond any walk: a stranger file is not read whole

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Named outright: the application's organisation is left unset, so that the data folder is
// ~/.local/share/Quivra rather than Quivra/Quivra.
constexpr const char* kSettingsName = "quivra";

}  // namespace

GameStore::GameStore()
    : dataDir_(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString()) {}

std::string GameStore::KeptGamePath() const { return dataDir_ + "/kept-game.txt"; }

bool GameStore::HasKeptGame() const { return QFile::exists(Q(KeptGamePath())); }

bool GameStore::Keep(const KeptGame& kept) {
    problem_.clear();
    QDir().mkpath(Q(dataDir_));
    QSaveFile file(Q(KeptGamePath()));
    const std::string text = WriteKeptGame(kept);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), static_cast<qint64>(text.size())) !=
                                                static_cast<qint64>(text.size()) || !file.commit()) {
        problem_ = "the game could not be kept in " + dataDir_ + ": " + file.errorString().toStdString();
        return false;
    }
    return true;
}

std::optional<KeptGame> GameStore::ReadKept() {
    problem_.clear();
    QFile file(Q(KeptGamePath()));
    if (!file.open(QIODevice::ReadOnly)) {
        if (file.exists()) problem_ = "the kept game could not be read: " + file.errorString().toStdString();
        return std::nullopt;
    }
    const QByteArray bytes = file.read(kMaxKeptBytes + 1);
    file.close();
    KeptGameResult read = bytes.size() > kMaxKeptBytes
                              ? KeptGameResult{std::nullopt, "too long"}
                              : ReadKeptGame(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (read.game) return read.game;
    // Nothing is lost: the file goes aside, where a player (or a bug report) can still find it.
    const QString aside =
        file.fileName() + ".broken-" + QDateTime::currentDateTime().toString("yyyyMMdd-hhmmss");
    const bool moved = QFile::rename(file.fileName(), aside);
    problem_ = "the kept game could not be resumed (" + read.error + "); " +
               (moved ? "it was set aside as " + aside.toStdString() : "it stays in " + KeptGamePath());
    return std::nullopt;
}

bool GameStore::RemoveKept() {
    problem_.clear();
    QFile file(Q(KeptGamePath()));
    if (!file.exists() || file.remove()) return true;
    problem_ = "the kept game could not be removed: " + file.errorString().toStdString();
    return false;
}

std::optional<WinReport> GameStore::RecordWin(const std::string& key, int steps, int shortest, double seconds) {
    Records records = LoadRecords();
    const WinReport report = records.Add(key, steps, shortest, seconds);
    if (!SaveRecords(records)) return std::nullopt;
    return report;
}

bool GameStore::Synced(QSettings& settings, const char* what) {
    settings.sync();
    if (settings.status() == QSettings::NoError) return true;
    problem_ = std::string("the ") + what + " could not be written in " +
               QFileInfo(settings.fileName()).absolutePath().toStdString();
    return false;
}

Records GameStore::LoadRecords() const {
    QSettings file(Q(dataDir_ + "/records.ini"), QSettings::IniFormat);
    Records records;
    file.beginGroup("records");
    for (const QString& key : file.childKeys()) {
        if (const auto entry = Records::ReadEntry(file.value(key).toString().toStdString())) {
            records.Set(QString::fromUtf8(QByteArray::fromPercentEncoding(key.toUtf8())).toStdString(), *entry);
        }
    }
    return records;
}

bool GameStore::SaveRecords(const Records& records) {
    problem_.clear();
    QDir().mkpath(Q(dataDir_));
    QSettings file(Q(dataDir_ + "/records.ini"), QSettings::IniFormat);
    file.beginGroup("records");
    for (const auto& [key, entry] : records.Entries()) {
        // Keys with blanks are percent-encoded: an INI key keeps only plain characters.
        file.setValue(QString::fromLatin1(Q(key).toUtf8().toPercentEncoding()), Q(Records::WriteEntry(entry)));
    }
    file.endGroup();
    return Synced(file, "records");
}

QVariant GameStore::Value(const std::string& key) const {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, kSettingsName, kSettingsName).value(Q(key));
}

std::string GameStore::Setting(const std::string& key) const { return Value(key).toString().toStdString(); }
QByteArray GameStore::Bytes(const std::string& key) const { return Value(key).toByteArray(); }

bool GameStore::SetSetting(const std::string& key, const std::string& value) {
    problem_.clear();
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, kSettingsName, kSettingsName);
    settings.setValue(Q(key), Q(value));
    return Synced(settings, "settings");
}

bool GameStore::SetBytes(const std::string& key, const QByteArray& value) {
    problem_.clear();
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, kSettingsName, kSettingsName);
    settings.setValue(Q(key), value);
    return Synced(settings, "settings");
}

}  // namespace quivra
