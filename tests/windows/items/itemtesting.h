// SPDX-License-Identifier: MIT
#pragma once
// Helpers for the item windows' tests: acting on controls by name, and a full disk.
#include <QLineEdit>
#include <QPointer>

#include <cerrno>
#include <functional>

#include "store/files/fileio_faults.h"
#include "support/program_fixture.h"
#include "ui/form.h"

namespace durava::testing {

// As the program sets a box, past the tariff boxes' rule for what the operator enters: texts that
// only a settings file can bring.
inline void Type(ui::Form& window, forms::EditName box, const QString& text) {
    window.Control(box)->setText(text);
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

// The settings file cannot be written while this lives, as on a full disk: the write of its
// replacement fails half-way. Unlike file permissions it binds root too, on every platform.
class DiskFull {
  public:
    DiskFull() { store::FailFileStep(store::FileStep::WriteTemporary, ENOSPC); }
    ~DiskFull() { store::ClearFileFaults(); }
    DiskFull(const DiskFull&) = delete;
    DiskFull& operator=(const DiskFull&) = delete;
};

}  // namespace durava::testing
