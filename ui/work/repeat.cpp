// SPDX-License-Identifier: MIT
#include "ui/work/repeat.h"

#include <QTimer>

namespace durava::ui {

void Repeat(QObject& window, std::function<int()> run) {
    // A single-shot timer re-armed after each run; a child of the window, it goes with it.
    auto* timer = new QTimer(&window);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    auto tick = [timer, run = std::move(run)] { timer->start(run()); };
    QObject::connect(timer, &QTimer::timeout, timer, tick);
    tick();
}

}  // namespace durava::ui
