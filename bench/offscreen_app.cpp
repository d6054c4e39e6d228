// SPDX-License-Identifier: MIT
#include "offscreen_app.h"

#include <QApplication>

namespace durava::bench {

void EnsureOffscreenApplication() {
    static int argc = 1;
    static char name[] = "durava_bench";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(argc, argv);
}

void CloseOffscreenApplication() {
    delete QApplication::instance();
}

}  // namespace durava::bench
