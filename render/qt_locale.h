// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What Qt needs of the process before it starts, for the game and the tool alike.

#include <QStringList>

namespace quivra {

// The one rule for the game's window and the tool's pages, over the desktop's languages best first
// (as QLocale::uiLanguages() gives them): Chinese, the game's own language, where the first that is
// Chinese or English is Chinese, or where no language is set (C, POSIX, none); English for every
// other desktop.
bool SpeaksChinese(const QStringList& uiLanguages);

// Qt takes a UTF-8 character set for granted and, where the locale has none (LANG unset, C,
// POSIX), switches to one and says so on stderr. Choosing the UTF-8 form of the locale's character
// type first (LC_CTYPE only: messages, numbers and the language stay) keeps the start quiet. Call it
// before the first QCoreApplication.
void UseUtf8CharacterType();

}  // namespace quivra
