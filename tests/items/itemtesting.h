#pragma once
// Helpers for the item windows' tests: acting on controls by name, and a write failure that
// binds root too.
#include <QLineEdit>
#include <QPointer>

#include <sys/resource.h>

#include <csignal>
#include <functional>

#include "support/program_fixture.h"
#include "ui/form.h"

namespace durava::testing {

// As the program sets a box, past the tariff boxes' rule for what the operator enters: texts that
// only a settings file can bring.
inline void Type(ui::Form& window, std::u16string_view box, const QString& text) {
    qobject_cast<QLineEdit*>(window.Control(box))->setText(text);
}

// Runs `act` on the named window once it opens and closes it afterwards if `act` left it open, so
// that a failed check inside `act` cannot leave a modal loop waiting.
inline void WhenOpenThenClose(const char* windowName, std::function<void(ui::Form&)> act) {
    ProgramFixture::WhenOpen(windowName, [act = std::move(act)](ui::Form& window) {
        QPointer<ui::Form> open(&window);
        act(window);
        if (open && open->isVisible()) open->close();
    });
}

// Every write that would grow a file beyond `bytes` fails while this lives, as on a full disk.
// Unlike file permissions it binds root too.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
        // The write then fails with EFBIG instead of the process being killed.
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

}  // namespace durava::testing
