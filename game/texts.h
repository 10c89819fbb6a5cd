// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The status line's texts. They stay Chinese here: the real window translates them as it shows
// them (translations/quivra_*.ts, context "Quivra"); the tool reports them as they are. The marker
// is Qt's when a Qt header came first, and a plain one here, so the game model needs no Qt.
#include <string>

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, sourceText) sourceText
#endif

namespace quivra {

inline const std::string kTooSmall = QT_TRANSLATE_NOOP("Quivra", "窗口太小!");
inline const std::string kCongratulation = QT_TRANSLATE_NOOP("Quivra", "恭喜!");
inline const std::string kSquareHint = QT_TRANSLATE_NOOP("Quivra", "请使用方向键来行走");
inline const std::string kHexHint =
    QT_TRANSLATE_NOOP("Quivra", "请使用键： Home键, 上、下方向键, PgUp键, End键, 及 PgDn键 来行走。");

// Over the view from inside, whatever the style.
inline const std::string kFirstPersonHint = QT_TRANSLATE_NOOP("Quivra", "请用方向键前进、后退和转身");

}  // namespace quivra
