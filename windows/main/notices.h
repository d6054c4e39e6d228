// SPDX-License-Identifier: MIT
#pragma once
// What the operator is told when a change could not be kept. Each notice says what failed and
// what state the items are in now.
class QWidget;

namespace durava::store {
class SettingsFile;
}

namespace durava::windows {

// A write of `settings` failed; the change was not made. Says why, as far as the file tells.
void ReportSettingsNotSaved(QWidget* owner, const store::SettingsFile& settings);
// The settings file is read-only, or its folder takes no file; the change was not made.
void ReportSettingsReadOnly(QWidget* owner);
// The settings file cannot be read just now; the change was not made.
void ReportSettingsNotRead(QWidget* owner);
// Another copy of the program held the stores too long; nothing was done.
void ReportStoreBusy(QWidget* owner);
// The lock file beside the settings file cannot be used; nothing was done.
void ReportStoreUnavailable(QWidget* owner);
// The settings file exists but cannot be read: the list is empty and nothing will be saved.
void ReportSettingsUnreadable(QWidget* owner);
// The history record could not be written; the item stays in use.
void ReportHistoryNotSaved(QWidget* owner);

}  // namespace durava::windows
