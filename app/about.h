// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Who made the game and where to find it; shown by About.
#include <QtGlobal>

#include <string>

#include "app/form_design.h"

namespace quivra {

inline const std::string kMakerEmail = "hello@quivra.dev";
inline const std::string kHomePage = "https://quivra.dev/";

// Title, and the text with its exact blanks: five after the caption, three before the maker. One literal with
// the address and home page written out, as the window translates the whole text; %1 is the version.
inline const std::string kAboutTitle = QT_TRANSLATE_NOOP("Quivra", "关于");
inline const std::string kAboutTextWithPlaceholder =
    QT_TRANSLATE_NOOP("Quivra", "Quivra V%1 3D版     邮箱：hello@quivra.dev   Brintel软件：https://quivra.dev/");
inline std::string AboutText() { return WithVersion(kAboutTextWithPlaceholder); }

}  // namespace quivra
