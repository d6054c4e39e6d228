// SPDX-License-Identifier: MIT
// Every event that a window definition binds reaches a control or menu entry of that window and an
// operation the program registers.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/program.h"
#include "core/forms/forms.h"

namespace durava::app {
namespace {

using core::forms::Binding;
using core::forms::Window;

bool NamesAControlOrEntry(const Window& window, const Binding& binding) {
    if (binding.control.empty()) return true;
    if (binding.event == core::forms::Event::Chosen) {
        return std::ranges::any_of(window.menu, [&](const core::forms::MenuEntry& entry) {
            return entry.level > 0 && entry.text == binding.control;
        });
    }
    return std::ranges::any_of(window.controls, [&](const core::forms::Control& control) {
        return control.name == binding.control;
    });
}

TEST(BindingsTest, everyBindingOfEveryWindowReachesARegisteredHandler) {
    mainwin::Globals globals;
    RegisterHandlers(globals);
    int bindings = 0;
    for (const Window* window : core::forms::Windows()) {
        for (const Binding& binding : window->bindings) {
            EXPECT_TRUE(globals.handlers.Has(binding.operation))
                << window->name << ": " << binding.operation;
            EXPECT_TRUE(NamesAControlOrEntry(*window, binding))
                << window->name << ": " << binding.operation;
            ++bindings;
        }
    }
    EXPECT_EQ(bindings, 31);
}

}  // namespace
}  // namespace durava::app
