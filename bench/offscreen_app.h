#pragma once
// One QApplication on the offscreen platform for the benchmarks that need windows.
#include <QObject>

namespace durava::bench {

void EnsureOffscreenApplication();
// Closes the windows the benchmarks left open and the application, while Qt's own statics, which
// the exit handlers destroy, are still there.
void CloseOffscreenApplication();
// Runs the posted layout and paint work; two passes, since the first lays out the rows and posts
// the showing of the scroll bar.
void Settle();

// Counts the paints of a widget on screen, so that a benchmark can tell that what it timed was
// painted.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QObject* widget);
    int paints = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace durava::bench
