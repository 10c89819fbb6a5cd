// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>

#include "app/desktop.h"
#include "app/qt_form.h"
#include "app/session.h"

int main(int argc, char** argv) {
    // The X11 window class and the Wayland app id, so desktops match the window to its menu entry.
    QApplication::setApplicationName("Quivra");
    QApplication::setApplicationVersion("3.05");
    QApplication::setDesktopFileName("dev.quivra.Quivra");

    // --help and --version must work without a display, so they are read before Qt's GUI starts.
    QStringList args;
    for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Walk through a random maze drawn in 3D, in squares or a honeycomb.\n"
        "Needs a graphical session (X11 or Wayland, or Xvfb). See quivra(6).");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    // Qt's own -platform and -display, which the display check must see as Qt will.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption platform("platform", "Qt's platform plugin (as QT_QPA_PLATFORM).", "name");
    const QCommandLineOption display("display", "The X display (as DISPLAY).", "display");
    parser.addOptions({platform, display});
    const bool parsed = parser.parse(args);
    if (parsed && (parser.isSet(help) || parser.isSet("help-all") || parser.isSet(version))) {
        QCoreApplication cli(argc, argv);  // only so that the texts name the program; this path exits
        parser.process(cli);
    }
    if (!parsed || !parser.positionalArguments().isEmpty()) {
        const QString error = parsed ? "Unexpected argument '" + parser.positionalArguments().constFirst() + "'."
                                     : parser.errorText();
        std::fprintf(stderr, "quivra: %s See quivra --help.\n", qPrintable(error));
        return 2;
    }
    if (parser.isSet(platform)) qputenv("QT_QPA_PLATFORM", parser.value(platform).toLocal8Bit());
    if (parser.isSet(display)) qputenv("DISPLAY", parser.value(display).toLocal8Bit());

    if (!quivra::GraphicalSessionReachable()) {
        std::fputs("quivra: needs a graphical session (X11 or Wayland, or Xvfb); no display could be opened\n",
                   stderr);
        return 1;
    }
    quivra::EnsurePrivateRuntimeDir();

    QApplication app(argc, argv);
    quivra::UseChineseToolkitTexts();
    quivra::QtForm window;
    window.show();
    return app.exec();
}
