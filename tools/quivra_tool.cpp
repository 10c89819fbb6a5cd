// SPDX-License-Identifier: GPL-3.0-or-later
// quivra-tool: drives the game's maze code without a window. See tools/tool_cli.h.
#include <unistd.h>

#include <QHashFunctions>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "render/qt_locale.h"
#include "tools/tool_cli.h"

int main(int argc, char** argv) {
    // Qt's PDF writer keeps a document's fonts in a hash: with a seed of its own in each process,
    // the fonts would go into the file in another order on every run.
    QHashSeed::setDeterministicGlobalSeed();
    // A page's text makes a Qt application (FontsForText): without a UTF-8 locale Qt would pick one and warn.
    quivra::UseUtf8CharacterType();
    // A closed pipe and a file size limit then fail the write (EPIPE, EFBIG), which the tool reports
    // in its one line, instead of ending it without a word.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return quivra::tool::RunTool(args, std::cout, std::cerr, STDERR_FILENO);
}
