// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>

#include "app/desktop.h"
#include "app/qt_form.h"
#include "app/session.h"
#include "quivra_version.h"

int main(int argc, char** argv) {
    // --help, --version and a missing display are answered before Qt's GUI can abort.
    std::optional<quivra::NamedMaze> code;
    std::string view;
    if (const auto status = quivra::CheckBeforeGui(argc, argv, code, &view)) return *status;
    QApplication app(argc, argv);
    // The X11 window class and the Wayland app id, so desktops match the window to its menu entry.
    QApplication::setApplicationName("Quivra");
    QApplication::setApplicationVersion(quivra::kVersion);
    QApplication::setDesktopFileName("dev.quivra.Quivra");
    quivra::UsePlayersLanguage();
    quivra::QtForm window;
    if (code) window.Form().StartWithCode(*code);
    if (view == "first-person") window.Form().ShowIn(quivra::FrmMain::View::FirstPerson);
    if (view == "plan") window.Form().ShowIn(quivra::FrmMain::View::Plan);
    window.show();
    return app.exec();
}
