// SPDX-License-Identifier: MIT
#include "windows/trust/messageline.h"

#include "ui/form.h"

namespace durava::windows {

void Say(ui::Form& window, forms::LabelName line, std::string_view text, Tone tone) {
    window.SetTextColour(line, tone == Tone::Fault ? 0xFF0000 : 0x000000);
    window.SetText(line, text);
}

}  // namespace durava::windows
