#include "offscreen_app.h"

#include <QApplication>

namespace durava::bench {

void EnsureOffscreenApplication() {
    static int argc = 1;
    static char name[] = "durava_bench";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
}

}  // namespace durava::bench
