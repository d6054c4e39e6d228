#pragma once
// What the operator is told when a change could not be kept. Each notice says what failed and
// what state the items are in now.
class QWidget;

namespace durava::core {
class SettingsFile;
}

namespace durava::mainwin {

// A write of `settings` failed; the change was not made. Says why, as far as the file tells.
void ReportSettingsNotSaved(QWidget* owner, const core::SettingsFile& settings);
// The settings file exists but cannot be read: the list is empty and nothing will be saved.
void ReportSettingsUnreadable(QWidget* owner);
// The history record could not be written; the item stays in use.
void ReportHistoryNotSaved(QWidget* owner);

}  // namespace durava::mainwin
