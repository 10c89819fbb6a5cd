// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/qt_locale.h"

#include <langinfo.h>
#include <strings.h>

#include <clocale>
#include <cstdlib>
#include <string>

namespace quivra {

bool SpeaksChinese(const QStringList& uiLanguages) {
    for (QString name : uiLanguages) {
        name.replace('-', '_');
        const QString language = name.section('_', 0, 0);
        if (language == "zh" || language == "C" || language == "POSIX") return true;
        if (language == "en") return false;
    }
    return uiLanguages.isEmpty();
}

void UseUtf8CharacterType() {
    // Asks for the environment's character type and goes back to the "C" every program starts in:
    // the rest is Qt's to set, and the tool's numbers stay as they are.
    const char* asked = std::setlocale(LC_CTYPE, "");
    const char* set = asked != nullptr ? nl_langinfo(CODESET) : "";
    const bool utf8 = ::strcasecmp(set, "UTF-8") == 0 || ::strcasecmp(set, "utf8") == 0;
    std::string name = asked != nullptr ? asked : "C";
    name = name.substr(0, name.find_first_of(".@"));
    std::string chosen;
    if (!utf8) {
        // The same language in UTF-8 where it is installed, as Qt would pick.
        for (const std::string& candidate : {name + ".UTF-8", std::string("C.UTF-8"), std::string("C.utf8")}) {
            if (std::setlocale(LC_CTYPE, candidate.c_str()) != nullptr) {
                chosen = candidate;
                break;
            }
        }
    }
    std::setlocale(LC_CTYPE, "C");
    if (chosen.empty()) return;
    // LC_ALL would hide LC_CTYPE: its value goes to each other category instead.
    if (const char* value = std::getenv("LC_ALL"); value != nullptr && *value != 0) {
        const std::string all = value;
        for (const char* category : {"LC_COLLATE", "LC_MESSAGES", "LC_MONETARY", "LC_NUMERIC", "LC_TIME", "LC_ADDRESS",
                                     "LC_IDENTIFICATION", "LC_MEASUREMENT", "LC_NAME", "LC_PAPER", "LC_TELEPHONE"}) {
            ::setenv(category, all.c_str(), 1);
        }
        ::unsetenv("LC_ALL");
    }
    ::setenv("LC_CTYPE", chosen.c_str(), 1);
}

}  // namespace quivra
