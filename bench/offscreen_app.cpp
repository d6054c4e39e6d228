#include "offscreen_app.h"

#include <QApplication>
#include <QEvent>

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

void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

PaintCounter::PaintCounter(QObject* widget) : QObject(widget) {
    widget->installEventFilter(this);
}

bool PaintCounter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) ++paints;
    return QObject::eventFilter(watched, event);
}

}  // namespace durava::bench
