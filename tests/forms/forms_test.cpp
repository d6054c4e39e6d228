// SPDX-License-Identifier: MIT
#include "forms/forms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "core/codepage.h"
#include "core/fixedtexts.h"
#include "forms/formnames.h"

namespace durava::forms {
namespace {

const std::span<const Window* const> kWindows = Windows();

// Failure messages name the window and the control.
std::string Describe(const Window& window, std::u16string_view name) {
    return std::string(window.name) + " " + testing::PrintToString(std::u16string(name));
}

const Control* Find(const Window& window, std::u16string_view name) {
    const auto it = std::ranges::find(window.controls, name, &Control::name);
    return it == window.controls.end() ? nullptr : &*it;
}

const Control& Get(const Window& window, std::u16string_view name) {
    const Control* control = Find(window, name);
    EXPECT_NE(control, nullptr) << Describe(window, name);
    static const Control kMissing{.kind = ControlKind::Timer, .name = u""};
    return control ? *control : kMissing;
}

// The timer has no place; the status bar's is only a design position, as the framework docks
// it to the bottom of the client area at the full width.
bool HasOwnPlace(const Control& control) {
    return control.kind != ControlKind::Timer && control.kind != ControlKind::StatusBar;
}

int ClientWidth(const Window& window) {
    return window.outerWidth - kFrameWidth;
}
int ClientHeight(const Window& window) {
    return window.outerHeight - kFrameHeight;
}

bool Handles(ControlKind kind, Event event) {
    switch (event) {
        case Event::Click:
            return kind == ControlKind::Button || kind == ControlKind::PictureButton;
        case Event::SelectionChanged:
            return kind == ControlKind::ListBox || kind == ControlKind::ComboBox;
        case Event::RightClick:
            return kind == ControlKind::ListView;
        case Event::Edited:
        case Event::Entered:
            return kind == ControlKind::EditBox;
        default:
            return false;
    }
}

TEST(Forms, controlNamesAreUniqueWithinAWindow) {
    for (const Window* window : kWindows) {
        std::set<std::u16string_view> names;
        for (const Control& control : window->controls) {
            EXPECT_TRUE(names.insert(control.name).second) << Describe(*window, control.name);
        }
    }
}

TEST(Forms, everyBindingReachesAnExistingTargetThatRaisesItsEvent) {
    for (const Window* window : kWindows) {
        int created = 0;
        for (const Binding& binding : window->bindings) {
            SCOPED_TRACE(Describe(*window, binding.control) + " " + std::string(binding.operation));
            EXPECT_FALSE(binding.operation.empty());
            if (binding.control.empty()) {
                EXPECT_TRUE(binding.event == Event::Created || binding.event == Event::Destroying);
                created += binding.event == Event::Created;
            } else if (binding.event == Event::Chosen) {
                EXPECT_TRUE(std::ranges::any_of(window->menu, [&](const MenuEntry& entry) {
                    return entry.level > 0 && entry.text == binding.control;
                }));
            } else {
                const Control& control = Get(*window, binding.control);
                EXPECT_TRUE(Handles(control.kind, binding.event));
                // 交班 shows only while operators take turns, 补打交班单 only after a shift close.
                EXPECT_TRUE(control.visible || binding.control == main_window::kShiftButton ||
                            binding.control == login_window::kReprintButton);
            }
        }
        EXPECT_EQ(created, 1) << window->name;
    }
}

TEST(Forms, everyMenuEntryRunsAnOperationAndTheMenuBarStaysHidden) {
    for (const Window* window : {&MainWindow(), &HistoryWindow()}) {
        ASSERT_FALSE(window->menu.empty());
        EXPECT_EQ(window->menu.front().level, 0);
        EXPECT_FALSE(window->menu.front().visible);
        for (const MenuEntry& entry : window->menu.subspan(1)) {
            EXPECT_EQ(entry.level, 1);
            if (entry.text.empty()) continue;
            EXPECT_EQ(std::ranges::count(window->bindings, entry.text, &Binding::control), 1)
                << Describe(*window, entry.text);
        }
    }
}

TEST(Forms, controlsLieInsideTheClientArea) {
    for (const Window* window : kWindows) {
        for (const Control& control : window->controls) {
            if (!HasOwnPlace(control)) continue;
            SCOPED_TRACE(Describe(*window, control.name));
            EXPECT_GE(control.left, 0);
            EXPECT_GE(control.top, 0);
            EXPECT_GT(control.width, 0);
            EXPECT_GT(control.height, 0);
            EXPECT_LE(control.left + control.width, ClientWidth(*window));
            EXPECT_LE(control.top + control.height, ClientHeight(*window));
        }
    }
}

// Neighbouring boxes may share a one-pixel border line, never more.
TEST(Forms, controlsOverlapAtMostByTheirBorderLine) {
    for (const Window* window : kWindows) {
        const auto& controls = window->controls;
        for (auto a = controls.begin(); a != controls.end(); ++a) {
            for (auto b = a + 1; b != controls.end(); ++b) {
                if (!HasOwnPlace(*a) || !HasOwnPlace(*b)) continue;
                // The handler that shows a hidden control makes room for it.
                if (!a->visible || !b->visible) continue;
                const int across =
                    std::min(a->left + a->width, b->left + b->width) - std::max(a->left, b->left);
                const int down =
                    std::min(a->top + a->height, b->top + b->height) - std::max(a->top, b->top);
                EXPECT_TRUE(across <= 1 || down <= 1)
                    << Describe(*window, a->name) << " " << Describe(*window, b->name);
            }
        }
    }
}

TEST(Forms, dockedStatusBarCoversNoOtherControl) {
    const Window& main = MainWindow();
    const Control& bar = Get(main, main_window::kStatusBar);
    for (const Control& control : main.controls) {
        if (!HasOwnPlace(control)) continue;
        EXPECT_LE(control.top + control.height, ClientHeight(main) - bar.height)
            << Describe(main, control.name);
    }
}

TEST(CheckoutWindow, rowsFormAGridInFourGroupsTenPixelsApart) {
    const Window& window = CheckoutWindow();
    const auto controls = window.controls;
    ASSERT_EQ(controls.size(), 23u);
    int groups = 1;
    for (std::size_t row = 0; row < 11; ++row) {
        const Control& caption = controls[2 * row];
        const Control& value = controls[2 * row + 1];
        SCOPED_TRACE(Describe(window, caption.name));
        EXPECT_EQ(caption.kind, ControlKind::Label);
        EXPECT_EQ(value.kind, ControlKind::Label);
        EXPECT_TRUE(caption.border && value.border);
        EXPECT_EQ(caption.top, value.top);
        EXPECT_EQ(caption.height, value.height);
        EXPECT_EQ(caption.left + caption.width - value.left, 1);
        EXPECT_FALSE(caption.text.empty());
        EXPECT_TRUE(value.text.empty());
        EXPECT_FALSE(caption.backColour.has_value());
        EXPECT_TRUE(value.backColour.has_value());
        if (row == 0) continue;
        const Control& above = controls[2 * row - 2];
        const int gap = caption.top - (above.top + above.height);
        EXPECT_TRUE(gap == -1 || gap == 10) << gap;
        groups += gap == 10;
    }
    EXPECT_EQ(groups, 4);
}

TEST(ItemDialog, tariffCaptionsAreTheSettingsKeys) {
    const Window& dialog = ItemDialog();
    const core::FixedTexts& texts = core::Texts();
    EXPECT_EQ(core::WideToText(Get(dialog, item_dialog::kPeriodLabel).text), texts.initialPeriod);
    EXPECT_EQ(core::WideToText(Get(dialog, item_dialog::kInitialFeeLabel).text), texts.initialFee);
    EXPECT_EQ(core::WideToText(Get(dialog, item_dialog::kUnitLabel).text), texts.minimumUnit);
    EXPECT_EQ(core::WideToText(Get(dialog, item_dialog::kPriceLabel).text), texts.overtimePrice);
}

TEST(Forms, onlyTariffPinAndCashBoxesTakeDigitsOnly) {
    const std::set<std::pair<const Window*, std::u16string_view>> digitBoxes = {
        {&ItemDialog(), item_dialog::kPeriodBox},
        {&ItemDialog(), item_dialog::kInitialFeeBox},
        {&ItemDialog(), item_dialog::kUnitBox},
        {&ItemDialog(), item_dialog::kPriceBox},
        {&LoginWindow(), login_window::kPinBox},
        {&OwnerSettingsWindow(), owner_settings::kPinBox},
        {&ShiftWindow(), shift_window::kCountedBox},
    };
    for (const Window* window : kWindows) {
        for (const Control& control : window->controls) {
            EXPECT_EQ(control.digitsOnly, digitBoxes.contains({window, control.name}))
                << Describe(*window, control.name);
        }
    }
}

TEST(MainWindow, showsExactlyThreePictureButtonsEachWithItsOwnIcon) {
    const Window& main = MainWindow();
    std::set<Icon> icons;
    int visible = 0;
    for (const Control& control : main.controls) {
        if (control.kind != ControlKind::PictureButton) {
            EXPECT_EQ(control.icon, Icon::None) << Describe(main, control.name);
            continue;
        }
        EXPECT_NE(control.icon, Icon::None) << Describe(main, control.name);
        icons.insert(control.icon);
        visible += control.visible;
    }
    EXPECT_EQ(visible, 3);
    EXPECT_EQ(icons.size(), 5u);
}

TEST(SwitchWindow, confirmButtonStartsDisabled) {
    EXPECT_FALSE(Get(SwitchWindow(), switch_window::kConfirmButton).enabled);
    EXPECT_TRUE(Get(SwitchWindow(), switch_window::kChoices).enabled);
}

}  // namespace
}  // namespace durava::forms
