// SPDX-License-Identifier: MIT
#pragma once
// Message boxes, pop-up menus and the save-file dialog, the places where the program waits for an
// answer. Tests
// answer them in advance instead of clicking.
#include <QString>

#include <functional>
#include <string_view>

class QMenu;
class QAction;
class QWidget;

namespace durava::ui {

enum class Buttons { Ok, OkCancel };

// True when the operator chose OK. Texts are program texts; no icon, as the system's own.
bool ShowMessage(QWidget* owner, std::string_view caption, std::string_view text,
                 Buttons buttons = Buttons::Ok);
// The chosen entry, or nullptr. Shown at the mouse position.
QAction* ShowPopupMenu(QMenu& menu);
// The file the operator picks to save into, starting from `suggested`; empty when cancelled.
QString AskSaveFile(QWidget* owner, std::string_view caption, const QString& suggested,
                    const QString& filter);

// Test seams: while set, they answer in place of the operator.
void AnswerMessagesWith(std::function<bool(const QString& caption, const QString& text)> answer);
void ChooseMenuEntriesWith(std::function<QAction*(QMenu& menu)> choose);
void PickSaveFilesWith(
    std::function<QString(const QString& caption, const QString& suggested)> pick);

}  // namespace durava::ui
