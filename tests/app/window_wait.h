// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Waiting on the real window: its build run finished and its timer at rest.
#include <QtTest/QtTest>

#include "app/qt_form.h"

namespace quivra::test {

inline bool WaitForBuild(QtForm& w, int ms = 20000) {
    return QTest::qWaitFor([&] { return w.Form().State().build.buildStage == kStageFinished && !w.Timer1Enabled(); },
                           ms);
}

}  // namespace quivra::test
