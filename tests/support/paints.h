// SPDX-License-Identifier: MIT
#pragma once
// Paints of widgets on the offscreen platform, delivered and counted without waiting on a clock.
#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace durava::testing {

// Runs the posted layout and paint work. Several rounds, since a layout can post the showing of a
// scroll bar, and that its own paint.
inline void DeliverPendingPaints() {
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// Counts the paints a widget receives from now on.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QObject* widget) : QObject(widget) { widget->installEventFilter(this); }
    int count = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

}  // namespace durava::testing
