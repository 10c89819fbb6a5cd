// SPDX-License-Identifier: GPL-3.0-or-later
// Records N wins in the store's folder (XDG_DATA_HOME), as a window that wins N times would.
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

#include "app/game_store.h"

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName("Quivra");
    const int count = argc > 1 ? std::atoi(argv[1]) : 1;
    quivra::GameStore store;
    for (int i = 0; i < count; ++i) {
        if (!store.RecordWin("square small", 20 + i % 3, 20, 10.0 + i)) {
            std::fprintf(stderr, "record_wins: %s\n", store.Problem().c_str());
            return 1;
        }
    }
    return 0;
}
