// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/session.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QPluginLoader>
#include <QStringList>

#include "game/code_check.h"
#include "render/qt_locale.h"
#include "quivra_version.h"

namespace quivra {
namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Connects to a local stream socket; abstract names start with '\0'.
bool SocketAnswers(const std::string& path) {
    sockaddr_un addr{};
    if (path.size() >= sizeof addr.sun_path) return false;
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.data(), path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool ok =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&addr),
                  static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size())) == 0;
    ::close(fd);
    return ok;
}

// DISPLAY is [host]:number[.screen]; only the local forms are probed, as libxcb would connect.
bool XDisplayAnswers() {
    const std::string display = Env("DISPLAY");
    const auto colon = display.rfind(':');
    if (colon == std::string::npos) return false;
    const std::string host = display.substr(0, colon);
    if (!host.empty() && host != "unix") return true;  // TCP or a socket path: let Qt try
    const std::string number = display.substr(colon + 1, display.find('.', colon) - colon - 1);
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) return false;
    const std::string socket = "/tmp/.X11-unix/X" + number;
    return SocketAnswers(std::string(1, '\0') + socket) || SocketAnswers(socket);
}

bool WaylandAnswers() {
    std::string name = Env("WAYLAND_DISPLAY");
    if (name.empty()) return false;
    if (name.front() != '/') {
        const std::string runtime = Env("XDG_RUNTIME_DIR");
        if (runtime.empty()) return false;
        name = runtime + "/" + name;
    }
    const QString plugins = QLibraryInfo::path(QLibraryInfo::PluginsPath);
    return QFileInfo::exists(plugins + "/platforms/libqwayland-generic.so") && SocketAnswers(name);
}

bool PlatformUsable(std::string_view platform) {
    const std::string_view name = platform.substr(0, platform.find(':'));
    if (name == "xcb") return XDisplayAnswers();
    if (name.starts_with("wayland")) return WaylandAnswers();
    return !name.empty();  // offscreen, vnc, eglfs...: no display to look for
}

// A value in a one-line message: printable ASCII as it is, anything else as \xNN, cut long ones.
std::string QuotedValue(std::string_view s) {
    static const char hex[] = "0123456789abcdef";
    std::string q = "'";
    for (size_t i = 0; i < s.size() && i < 64; ++i) {
        const auto u = static_cast<unsigned char>(s[i]);
        if (u == '\\') {
            q += "\\\\";
        } else if (u >= 0x20 && u < 0x7f) {
            q += static_cast<char>(u);
        } else {
            q += "\\x";
            q += hex[u >> 4];
            q += hex[u & 15];
        }
    }
    q += '\'';
    if (s.size() > 64) q += "\xe2\x80\xa6";   // an ellipsis
    return q;
}

bool Usable(const std::string& dir) {
    struct stat st {};
    return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
           (st.st_mode & 0777) == 0700;
}

}  // namespace

bool GraphicalSessionReachable() {
    const std::string platforms = Env("QT_QPA_PLATFORM");
    if (platforms.empty()) return XDisplayAnswers() || WaylandAnswers();
    // A list such as "wayland;xcb" is tried in order.
    std::string_view rest = platforms;
    while (!rest.empty()) {
        const auto end = rest.find(';');
        if (PlatformUsable(rest.substr(0, end))) return true;
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return false;
}

void EnsurePrivateRuntimeDir() {
    if (Usable(Env("XDG_RUNTIME_DIR"))) return;
    const std::string tmp = Env("TMPDIR").empty() ? "/tmp" : Env("TMPDIR");
    std::string dir = tmp + "/runtime-quivra-" + std::to_string(::geteuid());
    ::mkdir(dir.c_str(), 0700);
    if (!Usable(dir)) {  // someone else's, or not a folder: a fresh one
        std::string pattern = tmp + "/runtime-quivra-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) return;
        dir = pattern;
    }
    ::setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
}

namespace {

// Digits only, as the tool reads numbers: no blanks, no sign but a minus, nothing after.
std::optional<int> WholeNumber(const QString& text) {
    const std::string s = text.toStdString();
    int value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return value;
}

// --cells takes two values, which Qt's parser cannot: they are read here, and the option is left
// with its first value for the parser to see. A one-line reason when they are no square maze's.
std::optional<std::string> TakeCells(QStringList& args, std::optional<SizeChoice>& cells) {
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == "--") break;
        if (args[i] != "--cells" && args[i] != "-cells") continue;
        if (i + 2 >= args.size()) return "--cells needs two values: cells across and down";
        const std::optional<int> x = WholeNumber(args[i + 1]), y = WholeNumber(args[i + 2]);
        if (!x || !y) return "--cells " + QuotedValue(args[i + 1].toStdString()) + " " +
                             QuotedValue(args[i + 2].toStdString()) + ": not whole numbers (digits only, no blanks)";
        // Every game starts square: the cells must be a square maze's.
        if (const auto refusal = CheckCells(MazeStyle::Square, *x, *y)) {
            const bool across = refusal->text == &kCellsAcrossRange;
            return std::string("--cells: cells ") + (across ? "X" : "Y") + " must be in " +
                   std::to_string(refusal->lo) + ".." + std::to_string(refusal->hi);
        }
        cells = SizeChoice::Custom(*x, *y);
        args.removeAt(i + 2);
        for (qsizetype j = i + 1; j < args.size() && args[j] != "--"; ++j) {
            if (args[j] == "--cells" || args[j] == "-cells") return "--cells is given twice: give it once";
        }
        return std::nullopt;
    }
    return std::nullopt;
}

// The platform plugins Qt has, by the names their metadata gives (read without loading them).
QStringList PlatformNames() {
    QStringList dirs;
    for (const QString& dir : qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH").split(':', Qt::SkipEmptyParts)) {
        dirs << dir;
    }
    dirs << QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms";
    QStringList names;
    for (const QString& dir : dirs) {
        for (const QFileInfo& file : QDir(dir).entryInfoList({"*.so"}, QDir::Files)) {
            const QJsonArray keys =
                QPluginLoader(file.absoluteFilePath()).metaData().value("MetaData").toObject().value("Keys").toArray();
            for (const QJsonValue& key : keys) names << key.toString().toLower();
        }
    }
    return names;
}

// A platform list ("wayland;xcb", each maybe with ":options") of which Qt has none aborts Qt
// itself, with lines of its own: refused here in one.
std::optional<std::string> UnknownPlatform(const QString& platforms) {
    const QStringList names = PlatformNames();
    if (names.isEmpty()) return std::nullopt;   // a Qt built with its plugins inside: let it choose
    for (const QString& entry : platforms.split(';', Qt::SkipEmptyParts)) {
        if (names.contains(entry.section(':', 0, 0).toLower())) return std::nullopt;
    }
    return "the toolkit has no platform " + QuotedValue(platforms.toStdString()) + " (it has " +
           names.join(", ").toStdString() + ")";
}

}  // namespace

std::optional<int> CheckBeforeGui(int argc, char** argv, StartRequest& start) {
    std::optional<NamedMaze>& code = start.code;
    UseUtf8CharacterType();
    // The names --version prints; on X11 the window class is the executable's name anyway.
    QCoreApplication::setApplicationName("Quivra");
    QCoreApplication::setApplicationVersion(kVersion);
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
    const QCommandLineOption codeOption("code", "Play the maze this code names (as quivra-tool prints it).", "code");
    const QCommandLineOption viewOption("view", "Start in this view: overview (the default), first-person or plan.",
                                        "view");
    const QCommandLineOption cellsOption(
        "cells", "Carve new mazes of X cells across and Y down (square 2..400 each), not to fit the window.", "X Y");
    const QCommandLineOption resumeOption("resume", "Resume the game kept when the game last closed.");
    parser.addOptions({platform, display, codeOption, cellsOption, resumeOption, viewOption});
    const std::optional<std::string> cellsError = TakeCells(args, start.cells);
    if (cellsError) {
        std::fprintf(stderr, "quivra: %s\n", cellsError->c_str());
        return 2;
    }
    const bool parsed = parser.parse(args);
    if (parsed) {
        // Each option once: a second one would silently win or lose.
        QStringList seen;
        for (const QString& name : parser.optionNames()) {
            if (seen.contains(name)) {
                std::fprintf(stderr, "quivra: --%s is given twice: give it once\n", qPrintable(name));
                return 2;
            }
            seen << name;
        }
    }
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
    if (parser.isSet(codeOption)) {
        // The same reasons as quivra-tool gives, before any window.
        const std::string text = parser.value(codeOption).toLocal8Bit().toStdString();
        const MazeCodeResult parsedCode = CheckPlayableCode(text);
        if (!parsedCode.maze) {
            std::fprintf(stderr, "quivra: maze code %s %s\n", QuotedValue(text).c_str(),
                         RefusalWords(parsedCode).c_str());
            return 2;
        }
        code = parsedCode.maze;
    }
    if (parser.isSet(viewOption)) {
        const std::string name = parser.value(viewOption).toLocal8Bit().toStdString();
        if (name != "overview" && name != "first-person" && name != "plan") {
            std::fprintf(stderr, "quivra: unknown view %s (overview, first-person or plan)\n", QuotedValue(name).c_str());
            return 2;
        }
        start.view = name;
    }
    start.resume = parser.isSet(resumeOption);
    if (static_cast<int>(code.has_value()) + static_cast<int>(start.cells.has_value()) + static_cast<int>(start.resume) > 1) {
        std::fputs("quivra: --code, --cells and --resume each choose the first maze: give one of them\n", stderr);
        return 2;
    }
    if (parser.isSet(platform)) qputenv("QT_QPA_PLATFORM", parser.value(platform).toLocal8Bit());
    if (const QString platforms = qEnvironmentVariable("QT_QPA_PLATFORM"); !platforms.isEmpty()) {
        if (const auto unknown = UnknownPlatform(platforms)) {
            std::fprintf(stderr, "quivra: %s%s\n", unknown->c_str(),
                         parser.isSet(platform) ? "" : ", as QT_QPA_PLATFORM asks");
            return 2;
        }
    }
    if (parser.isSet(display)) qputenv("DISPLAY", parser.value(display).toLocal8Bit());

    if (!GraphicalSessionReachable()) {
        std::fputs("quivra: needs a graphical session (X11 or Wayland, or Xvfb); no display could be opened\n",
                   stderr);
        return 1;
    }
    EnsurePrivateRuntimeDir();
    return std::nullopt;
}

}  // namespace quivra
