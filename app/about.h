// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Who made the game and where to find it; shown by About.
#include <string>

namespace quivra {

inline const std::string kMakerEmail = "hello@quivra.dev";
inline const std::string kHomePage = "https://quivra.dev/";

// Title, and the text with its exact blanks: five after the caption, three before the maker.
inline const std::string kAboutTitle = "关于";
inline std::string AboutText() {
    return "Quivra V3.05 3D版" + std::string(5, ' ') + "邮箱：" + kMakerEmail + std::string(3, ' ') +
           "Brintel软件：" + kHomePage;
}

}  // namespace quivra
