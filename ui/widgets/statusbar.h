// SPDX-License-Identifier: MIT
#pragma once
// A window's status bar: parts of fixed width, each a program text that handlers set and read by
// its number, as the definition lists them.
#include <QStatusBar>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "forms/forms.h"

class QLabel;

namespace durava::ui {

class StatusBar : public QStatusBar {
    Q_OBJECT
  public:
    StatusBar(std::span<const forms::StatusPart> parts, const QFont& font);

    // A part beyond the definition's is ignored on write and reads as the empty text.
    void SetPart(int part, std::string_view text);
    std::string Part(int part) const;
    // A sentence after the parts, in the room they leave; the bar has none until the first.
    void ShowNotice(std::string_view text);
    std::string Notice() const;

  private:
    std::vector<QLabel*> m_parts;
    std::vector<QLabel*> m_hiddenWhileEmpty;
    QLabel* m_notice = nullptr;
};

}  // namespace durava::ui
