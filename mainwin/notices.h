#pragma once
// What the operator is told when a change could not be kept. Each notice says what failed and
// what state the items are in now.
class QWidget;

namespace durava::mainwin {

// A settings-file write failed; the change was not made.
void ReportSettingsNotSaved(QWidget* owner);
// The history record could not be written; the item stays in use.
void ReportHistoryNotSaved(QWidget* owner);

}  // namespace durava::mainwin
