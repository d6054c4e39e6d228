// SPDX-License-Identifier: MIT
// Every event that a window definition binds reaches a control or menu entry of that window and an
// operation the program registers.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/program.h"
#include "forms/forms.h"

namespace durava::app {
namespace {

using forms::Binding;
using forms::Window;

bool NamesAControlOrEntry(const Window& window, const Binding& binding) {
    if (binding.control.empty()) return true;
    if (binding.event == forms::Event::Chosen) {
        return std::ranges::any_of(window.menu, [&](const forms::MenuEntry& entry) {
            return entry.level > 0 && entry.text == binding.control;
        });
    }
    return std::ranges::any_of(window.controls, [&](const forms::Control& control) {
        return control.name == binding.control;
    });
}

TEST(BindingsTest, everyBindingOfEveryWindowReachesARegisteredHandler) {
    windows::Globals globals;
    RegisterHandlers(globals);
    int bindings = 0;
    for (const Window* window : forms::Windows()) {
        for (const Binding& binding : window->bindings) {
            EXPECT_TRUE(globals.handlers.Has(binding.operation))
                << window->name << ": " << binding.operation;
            EXPECT_TRUE(NamesAControlOrEntry(*window, binding))
                << window->name << ": " << binding.operation;
            ++bindings;
        }
    }
    EXPECT_EQ(bindings, 53);
}

}  // namespace
}  // namespace durava::app
