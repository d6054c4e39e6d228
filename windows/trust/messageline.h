// SPDX-License-Identifier: MIT
#pragma once
// The line under the buttons of the owner's windows: a fault in red, what was done in the window's
// own colour, so that a success never reads as a fault.
#include <string_view>

#include "forms/formnames.h"

namespace durava::ui {
class Form;
}

namespace durava::windows {

enum class Tone { Fault, Done };

void Say(ui::Form& window, forms::LabelName line, std::string_view text, Tone tone = Tone::Fault);

}  // namespace durava::windows
