// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>

#include "app/desktop.h"
#include "app/qt_form.h"
#include "app/quit_signals.h"
#include "app/session.h"
#include "quivra_version.h"

int main(int argc, char** argv) {
    // --help, --version and a missing display are answered before Qt's GUI can abort.
    quivra::StartRequest start;
    if (const auto status = quivra::CheckBeforeGui(argc, argv, start)) return *status;
    QApplication app(argc, argv);
    // The X11 window class and the Wayland app id, so desktops match the window to its menu entry.
    QApplication::setApplicationName("Quivra");
    QApplication::setApplicationVersion(quivra::kVersion);
    QApplication::setDesktopFileName("dev.quivra.Quivra");
    quivra::UsePlayersLanguage();
    quivra::QtForm window;
    window.UseStore();
    // A logout, a shutdown or Ctrl+C in a terminal ends the game as its Quit does, keeping it.
    quivra::QuitOnSignals(&window, [&window] { window.Form().mnuActionItem_Click(quivra::kExit); });
    if (start.code) window.Form().StartWithCode(*start.code);
    if (start.cells) window.Form().StartWithSize(*start.cells);
    if (start.code || start.cells) window.GrowForNextMaze();
    if (start.resume) window.ResumeAtStart();
    if (start.view == "first-person") window.Form().ShowIn(quivra::FrmMain::View::FirstPerson);
    if (start.view == "plan") window.Form().ShowIn(quivra::FrmMain::View::Plan);
    window.show();
    return app.exec();
}
