// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop.h"

#include <QCoreApplication>
#include <QLibraryInfo>
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

bool UseChineseToolkitTexts() {
    static QTranslator* translator = nullptr;
    if (translator != nullptr) return true;
    auto* loaded = new QTranslator(QCoreApplication::instance());
    if (!loaded->load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(loaded)) {
        delete loaded;
        return false;
    }
    translator = loaded;
    return true;
}

}  // namespace quivra
