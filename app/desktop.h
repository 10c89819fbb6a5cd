// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the game takes from the desktop it runs on: the bell sound and the player's language.
#include <QString>
#include <QStringList>

struct ca_context;

namespace quivra {

// The desktop's own "bell" event sound, as other desktop programs play it: the X bell is off on
// most desktops and Wayland has none, so a blocked move would otherwise be silent.
class DesktopBell {
public:
    DesktopBell();   // connects to the sound server once, so a key never waits for it
    ~DesktopBell();
    DesktopBell(const DesktopBell&) = delete;
    DesktopBell& operator=(const DesktopBell&) = delete;

    // Starts the sound and returns at once; false when there is no sound server or no bell sound,
    // in which case the caller falls back to the toolkit's beep.
    bool Ring();

private:
    ca_context* context_ = nullptr;
};

// The language of the game's own texts, as the toolkit's translations name it.
inline const QString kSourceLanguage = QStringLiteral("zh_CN");

// The language to speak to a player who reads the languages in this list, best first (as
// QLocale::uiLanguages() gives them), by the rule the tool's pages follow too (render/qt_locale.h):
// kSourceLanguage, or else the first the game has a translation for, else English.
QString ChooseLanguage(const QStringList& uiLanguages);

// Speaks that language from now on: the game's translation and the toolkit's own texts (standard
// buttons) in it, for the whole application, in place of an earlier choice. False when a file is missing.
bool UseLanguage(const QString& language);

// The language of the desktop's list.
bool UsePlayersLanguage();

}  // namespace quivra
