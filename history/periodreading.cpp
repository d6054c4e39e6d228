#include "history/periodreading.h"

#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>

#include "ui/screentext.h"

namespace durava::history {
namespace {

constexpr int kQuietMilliseconds = 500;

// Shared by the reading thread and the window thread.
struct Progress {
    std::atomic<std::size_t> done = 0, all = 1;
    std::atomic<bool> stopped = false;
    std::optional<PeriodTakings> result;  // written by the thread before it finishes
};

// Owned by the window: closing it stops the reading and waits for the thread.
class Reading : public QObject {
  public:
    Reading(QWidget* window, std::unique_ptr<QThread> thread, std::shared_ptr<Progress> progress)
        : QObject(window), m_thread(std::move(thread)), m_progress(std::move(progress)) {}
    ~Reading() override {
        m_progress->stopped = true;
        m_thread->wait();
    }
    QThread& Thread() { return *m_thread; }

  private:
    std::unique_ptr<QThread> m_thread;
    std::shared_ptr<Progress> m_progress;
};

}  // namespace

void ReadPeriod(QWidget* window, const std::filesystem::path& historyFolder,
                const core::CalendarTime& first, const core::CalendarTime& last,
                std::function<void(PeriodTakings)> shown) {
    auto progress = std::make_shared<Progress>();
    std::unique_ptr<QThread> thread(QThread::create([progress, historyFolder, first, last] {
        progress->result =
            ComputePeriod(historyFolder, first, last, [&](std::size_t done, std::size_t all) {
                progress->all = all;
                progress->done = done;
                return !progress->stopped;
            });
    }));
    auto* reading = new Reading(window, std::move(thread), progress);
    auto* dialog = new QProgressDialog(ui::ToScreen(std::u16string_view(u"正在读取月份文件……")),
                                       ui::ToScreen(std::u16string_view(u"取消")), 0, 1, window);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(kQuietMilliseconds);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setValue(0);
    QObject::connect(dialog, &QProgressDialog::canceled, reading,
                     [progress] { progress->stopped = true; });
    auto* ticks = new QTimer(dialog);
    QObject::connect(ticks, &QTimer::timeout, dialog, [dialog, progress] {
        dialog->setMaximum(static_cast<int>(progress->all));
        dialog->setValue(static_cast<int>(progress->done));
    });
    ticks->start(50);
    QObject::connect(&reading->Thread(), &QThread::finished, reading,
                     [reading, dialog, progress, shown = std::move(shown)] {
                         delete dialog;
                         reading->deleteLater();
                         if (progress->result && !progress->stopped) {
                             shown(std::move(*progress->result));
                         }
                     });
    reading->Thread().start();
}

}  // namespace durava::history
