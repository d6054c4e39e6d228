// SPDX-License-Identifier: MIT
#pragma once
// The windows as plain data: every control with its kind, name, place, texts, font, colours
// and state, the list columns, status-bar parts, the pop-up menus, and which event of which control
// runs which operation. Texts are UTF-16 so they read as written; the screen takes them as they
// are, and handlers meet them as code page 936 texts through the window framework.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace durava::forms {

enum class ControlKind {
    Label,             // 标签
    TransparentLabel,  // 透明标签
    Button,            // 按钮
    PictureButton,     // 超级按钮
    EditBox,           // 编辑框
    ComboBox,          // 组合框
    ListBox,           // 列表框
    ListView,          // 超级列表框
    StatusBar,         // 状态条
    Timer,             // 时钟
    BarChart,          // 图表
    CheckBox,          // 选择框
};

enum class Align { Left, Centre, Right };

enum class Icon { None, Add, Refresh, Delete, Modify, History };

// Colours as 0x00RRGGBB, unlike the COLORREF values of the colouring document.
using Rgb = std::uint32_t;

struct Font {
    int pixels = 12;
    bool bold = false;
};

struct Column {
    std::u16string_view header;
    int width;
    Align align;
    // Its full text shows on hover, and Ctrl+C copies the chosen row's: for texts wider than it.
    bool wholeText = false;
};

struct StatusPart {
    int width;
    std::u16string_view text;
    bool hiddenWhileEmpty = false;  // shown only while a handler has given it a text
};

struct Control {
    ControlKind kind;
    std::u16string_view name;
    int left = 0, top = 0, width = 0, height = 0;
    std::u16string_view text = {};
    Font font = {};
    bool visible = true;
    bool enabled = true;
    bool tabStop = false;
    bool digitsOnly = false;  // edit boxes: typed printable characters other than 0-9 and "-" drop
    bool secret = false;      // edit boxes: what is typed shows as dots, as a password does
    bool border = true;       // labels
    std::optional<Rgb> textColour = {};
    std::optional<Rgb> backColour = {};  // none: the window's background (labels) or white
    Icon icon = Icon::None;
    std::span<const Column> columns = {};    // list views
    std::span<const StatusPart> parts = {};  // status bars
    int minimumDropHeight = 0;               // combo boxes: height of the opened list
    bool flatScrollBars = false;             // list views
    Align align = Align::Centre;             // labels and edit boxes
    std::string_view key = {};               // buttons: a key of the window that clicks it ("F5")
};

struct MenuEntry {
    int level;
    std::u16string_view text;  // empty: a separator
    bool visible = true;       // a hidden level-0 entry is a pop-up menu only, no menu bar
};

// Entered: Return in an edit box.
enum class Event {
    Created,
    Destroying,
    Click,
    Chosen,
    SelectionChanged,
    RightClick,
    Edited,
    Entered
};

// Which operation an event runs; `control` is empty for the window's own events and holds the
// entry's text for menu entries.
struct Binding {
    std::u16string_view control;
    Event event;
    std::string_view operation;
};

enum class Opening { NotModalNoOwner, ModalNoOwner, ModalOwnedByMain };

struct Window {
    std::string_view name;  // MainWindow, ItemDialog, ...
    std::u16string_view title;
    int outerWidth, outerHeight;
    bool minimizeBox;
    bool inTaskbar;
    Opening opening;
    std::span<const Control> controls;
    std::span<const MenuEntry> menu;
    std::span<const Binding> bindings;
    bool closesOnEscape = false;          // as its close box does
    std::u16string_view firstFocus = {};  // none: the first tab stop
};

// Outer size less the frame: 3 px each side and a 23 px caption.
inline constexpr int kFrameWidth = 6;
inline constexpr int kFrameHeight = 29;

const Window& MainWindow();
const Window& ItemDialog();
const Window& CheckoutWindow();
const Window& HistoryWindow();
const Window& SwitchWindow();
const Window& TakingsWindow();
// Ours, seen only once the owner has set a password or opens the owner's windows.
const Window& LoginWindow();
const Window& OwnerPrompt();
const Window& OwnerSettingsWindow();
const Window& ShiftWindow();
const Window& CheckWindow();

// Every window, the main window first.
std::span<const Window* const> Windows();
// Whether an event of some window runs this operation.
bool IsBound(std::string_view operation);

}  // namespace durava::forms
