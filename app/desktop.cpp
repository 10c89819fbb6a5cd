// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop.h"

#include "render/qt_locale.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <canberra.h>

namespace quivra {

DesktopBell::DesktopBell() {
    if (ca_context_create(&context_) != CA_SUCCESS) {
        context_ = nullptr;
        return;
    }
    // Only the sound server: the ALSA backend prints its errors on stderr when there is no card.
    if (ca_context_set_driver(context_, "pulse") != CA_SUCCESS ||
        ca_context_change_props(context_, CA_PROP_APPLICATION_NAME, "Quivra", CA_PROP_APPLICATION_ID,
                                "dev.quivra.Quivra", nullptr) != CA_SUCCESS ||
        ca_context_open(context_) != CA_SUCCESS) {
        ca_context_destroy(context_);
        context_ = nullptr;
    }
}

DesktopBell::~DesktopBell() {
    if (context_ != nullptr) ca_context_destroy(context_);
}

bool DesktopBell::Ring() {
    if (context_ == nullptr) return false;
    return ca_context_play(context_, 0, CA_PROP_EVENT_ID, "bell", CA_PROP_EVENT_DESCRIPTION, "Blocked move",
                           nullptr) == CA_SUCCESS;
}

QString ChooseLanguage(const QStringList& uiLanguages) {
    if (SpeaksChinese(uiLanguages)) return kSourceLanguage;
    // Another language the game has a translation for, else English.
    for (QString name : uiLanguages) {
        name.replace('-', '_');   // "en-US" names the same file as "en_US"
        for (const QString& candidate : {name, name.section('_', 0, 0)}) {
            if (QFile::exists(QString(":/i18n/quivra_%1.qm").arg(candidate))) return candidate;
        }
    }
    return QStringLiteral("en");
}

bool UseLanguage(const QString& language) {
    // The game's texts and the toolkit's, each replacing the one of the earlier choice.
    static QTranslator* game = nullptr;
    static QTranslator* toolkit = nullptr;
    for (QTranslator** old : {&game, &toolkit}) {
        delete *old;   // a deleted translator leaves the application by itself
        *old = nullptr;
    }
    auto install = [](QTranslator*& slot, const QString& file, const QString& folder) {
        auto* loaded = new QTranslator(QCoreApplication::instance());
        if (!loaded->load(file, folder) || !QCoreApplication::installTranslator(loaded)) {
            delete loaded;
            return false;
        }
        slot = loaded;
        return true;
    };
    const bool ours = language == kSourceLanguage || install(game, "quivra_" + language, ":/i18n");
    // The toolkit's own texts are English (its qtbase_en is empty and does not load).
    const bool toolkits = language.section('_', 0, 0) == "en" ||
                          install(toolkit, "qtbase_" + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return ours && toolkits;
}

bool UsePlayersLanguage() { return UseLanguage(ChooseLanguage(QLocale::system().uiLanguages())); }

}  // namespace quivra
