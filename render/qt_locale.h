// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What Qt needs of the process before it starts, for the game and the tool alike.

namespace quivra {

// Qt takes a UTF-8 character set for granted and, where the locale has none (LANG unset, C,
// POSIX), switches to one and says so on stderr. Choosing the UTF-8 form of the locale's character
// type first (LC_CTYPE only: messages, numbers and the language stay) keeps the start quiet. Call it
// before the first QCoreApplication.
void UseUtf8CharacterType();

}  // namespace quivra
