// SPDX-License-Identifier: MIT
#include "ui/work/backgroundwork.h"

#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>

#include "ui/screenconversion.h"

namespace durava::ui {
namespace {

constexpr int kQuietMilliseconds = 500;

// Shared by the working thread and the window thread.
struct Progress {
    std::atomic<std::size_t> done = 0, all = 1;
    std::atomic<bool> stopped = false;
};

// Owned by the window: closing it stops the work and waits for the thread.
class Work : public QObject {
  public:
    Work(QWidget* window, std::unique_ptr<QThread> thread, std::shared_ptr<Progress> progress)
        : QObject(window), m_thread(std::move(thread)), m_progress(std::move(progress)) {}
    ~Work() override {
        m_progress->stopped = true;
        m_thread->wait();
    }
    QThread& Thread() { return *m_thread; }

  private:
    std::unique_ptr<QThread> m_thread;
    std::shared_ptr<Progress> m_progress;
};

}  // namespace

void RunInBackground(QWidget* window, std::u16string_view caption,
                     std::function<void(const GoOn& goOn)> work, std::function<void()> finished) {
    auto progress = std::make_shared<Progress>();
    std::unique_ptr<QThread> thread(QThread::create([progress, work = std::move(work)] {
        work([&](std::size_t done, std::size_t all) {
            progress->all = all;
            progress->done = done;
            return !progress->stopped;
        });
    }));
    auto* running = new Work(window, std::move(thread), progress);
    auto* dialog = new QProgressDialog(ToScreen(caption), ToScreen(std::u16string_view(u"取消")), 0,
                                       1, window);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(kQuietMilliseconds);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setValue(0);
    QObject::connect(dialog, &QProgressDialog::canceled, running,
                     [progress] { progress->stopped = true; });
    auto* ticks = new QTimer(dialog);
    QObject::connect(ticks, &QTimer::timeout, dialog, [dialog, progress] {
        dialog->setMaximum(static_cast<int>(progress->all));
        dialog->setValue(static_cast<int>(progress->done));
    });
    ticks->start(50);
    QObject::connect(&running->Thread(), &QThread::finished, running,
                     [running, dialog, progress, finished = std::move(finished)] {
                         delete dialog;
                         running->deleteLater();
                         if (!progress->stopped) finished();
                     });
    running->Thread().start();
}

}  // namespace durava::ui
