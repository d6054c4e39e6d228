// SPDX-License-Identifier: MIT
#include "forms/forms.h"

#include "core/fixedtexts.h"
#include "forms/formnames.h"

namespace durava::forms {
namespace {

using enum ControlKind;
namespace mw = main_window;
namespace idl = item_dialog;
namespace cw = checkout_window;
namespace hw = history_window;
namespace sw = switch_window;
namespace tw = takings_window;
namespace lw = login_window;
namespace op_ = owner_prompt;
namespace os = owner_settings;
namespace shw = shift_window;
namespace chw = check_window;
namespace op = operation;

// One control a line, in the order the windows create them.
// clang-format off

constexpr Rgb kBlack = 0x000000;
constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kGrey = 0x606060;
constexpr Rgb kRed = 0xFF0000;

constexpr Column kMainColumns[] = {
    {u"ID", 35, Align::Left},         {u"名称", 100, Align::Centre},
    {u"状态", 80, Align::Centre},     {u"开始时间", 180, Align::Centre},
    {u"时长", 120, Align::Centre},    {u"费用", 100, Align::Centre},
    {u"最小单位", 80, Align::Centre}, {u"超时单价", 80, Align::Centre},
};

constexpr StatusPart kMainStatusParts[] = {
    {50, u"总项目："}, {50, u"0"}, {40, u"空闲："}, {50, u"0"}, {50, u"使用："}, {50, u"0"},
    {40, u"", true},   {90, u"", true},
};

constexpr Control kMainControls[] = {
    {.kind = PictureButton, .name = mw::kAddButton, .left = 5, .top = 5, .width = 85, .height = 30, .text = u"增加项目", .icon = Icon::Add},
    {.kind = PictureButton, .name = mw::kRefreshButton, .left = 95, .top = 5, .width = 85, .height = 30, .text = u"刷新列表", .icon = Icon::Refresh, .key = "F5"},
    {.kind = PictureButton, .name = u"超级按钮3", .left = 185, .top = 5, .width = 85, .height = 30, .text = u"删除项目", .visible = false, .icon = Icon::Delete},
    {.kind = PictureButton, .name = u"超级按钮2", .left = 275, .top = 5, .width = 85, .height = 30, .text = u"修改项目", .visible = false, .icon = Icon::Modify},
    {.kind = Label, .name = mw::kHiddenLabel, .left = 620, .top = 5, .width = 85, .height = 30, .text = u"标签", .visible = false},
    {.kind = Button, .name = mw::kShiftButton, .left = 530, .top = 5, .width = 85, .height = 30, .text = u"交班", .visible = false},
    {.kind = PictureButton, .name = mw::kHistoryButton, .left = 770, .top = 5, .width = 85, .height = 30, .text = u"历史记录", .icon = Icon::History},
    {.kind = ListView, .name = mw::kList, .left = 5, .top = 40, .width = 850, .height = 508, .font = {14}, .columns = kMainColumns, .flatScrollBars = true},
    {.kind = StatusBar, .name = mw::kStatusBar, .left = 0, .top = 533, .width = 841, .height = 20, .parts = kMainStatusParts},
    // Interval 0 and never started: its tick never comes, so nothing is bound to it.
    {.kind = Timer, .name = u"时钟", .enabled = false},
};

constexpr MenuEntry kMainMenu[] = {
    {0, u"列表操作", false}, {1, mw::kStartEntry}, {1, mw::kCheckoutEntry}, {1, u""},
    {1, mw::kSwitchEntry},        {1, u""},         {1, mw::kModifyEntry}, {1, mw::kDeleteEntry},
};

constexpr Binding kMainBindings[] = {
    {u"", Event::Created, op::kInitMainWindow},
    {u"", Event::Destroying, op::kCloseMainWindow},
    {mw::kAddButton, Event::Click, op::kOpenAddDialog},
    {mw::kRefreshButton, Event::Click, op::kFillItemList},
    {mw::kHistoryButton, Event::Click, op::kOpenHistory},
    {mw::kList, Event::RightClick, op::kUpdateListMenu},
    {mw::kStartEntry, Event::Chosen, op::kStartTiming},
    {mw::kCheckoutEntry, Event::Chosen, op::kEndAndBill},
    {mw::kSwitchEntry, Event::Chosen, op::kOpenSwitchWindow},
    {mw::kModifyEntry, Event::Chosen, op::kModifyItem},
    {mw::kDeleteEntry, Event::Chosen, op::kDeleteItem},
    {mw::kShiftButton, Event::Click, op::kOpenShiftClose},
};

constexpr Control kItemControls[] = {
    {.kind = Label, .name = u"标签1", .left = 10, .top = 10, .width = 110, .height = 35, .text = u"项目名称", .font = {14}},
    {.kind = EditBox, .name = idl::kNameBox, .left = 119, .top = 10, .width = 151, .height = 35, .font = {14}, .tabStop = true},
    {.kind = Label, .name = idl::kPeriodLabel, .left = 10, .top = 50, .width = 110, .height = 35, .text = u"初始时段", .font = {14}},
    {.kind = EditBox, .name = idl::kPeriodBox, .left = 119, .top = 50, .width = 151, .height = 35, .font = {14}, .tabStop = true, .digitsOnly = true},
    {.kind = TransparentLabel, .name = u"透明标签1", .left = 10, .top = 86, .width = 255, .height = 20, .text = u"单位：？分钟；未超出该时长则不算超时", .border = false, .textColour = kGrey, .align = Align::Right},
    {.kind = Label, .name = idl::kInitialFeeLabel, .left = 10, .top = 110, .width = 110, .height = 35, .text = u"初始费用", .font = {14}},
    {.kind = EditBox, .name = idl::kInitialFeeBox, .left = 119, .top = 110, .width = 151, .height = 35, .font = {14}, .tabStop = true, .digitsOnly = true},
    {.kind = TransparentLabel, .name = u"透明标签2", .left = 15, .top = 146, .width = 255, .height = 20, .text = u"单位：？元/时；未满初始时段时最低消费", .border = false, .textColour = kGrey, .align = Align::Right},
    {.kind = Label, .name = idl::kUnitLabel, .left = 10, .top = 170, .width = 110, .height = 35, .text = u"最小单位", .font = {14}},
    {.kind = EditBox, .name = idl::kUnitBox, .left = 119, .top = 170, .width = 151, .height = 35, .font = {14}, .tabStop = true, .digitsOnly = true},
    {.kind = TransparentLabel, .name = u"透明标签3", .left = 15, .top = 206, .width = 255, .height = 20, .text = u"单位：？分钟；最小计费单位", .border = false, .textColour = kGrey, .align = Align::Right},
    {.kind = Label, .name = idl::kPriceLabel, .left = 10, .top = 230, .width = 110, .height = 35, .text = u"超时单价", .font = {14}},
    {.kind = EditBox, .name = idl::kPriceBox, .left = 119, .top = 230, .width = 151, .height = 35, .font = {14}, .tabStop = true, .digitsOnly = true},
    {.kind = TransparentLabel, .name = u"透明标签4", .left = 15, .top = 266, .width = 255, .height = 20, .text = u"单位：？元/时；超时后按此单价收费", .border = false, .textColour = kGrey, .align = Align::Right},
    {.kind = Button, .name = idl::kDefaultButton, .left = 110, .top = 291, .width = 50, .height = 35, .text = u"默认", .tabStop = true},
    {.kind = Button, .name = idl::kSaveButton, .left = 170, .top = 291, .width = 100, .height = 35, .text = u"确定添加", .font = {14}, .tabStop = true},
};

constexpr Binding kItemBindings[] = {
    {u"", Event::Created, op::kInitItemDialog},
    {u"", Event::Destroying, op::kCloseItemDialog},
    {idl::kSaveButton, Event::Click, op::kSaveItem},
    {idl::kDefaultButton, Event::Click, op::kFillDefaultTariff},
};

constexpr int kCaptionWidth = 110;
constexpr int kValueWidth = 241;

constexpr Control Caption(std::u16string_view name, int left, int top, int height,
                          std::u16string_view text) {
    return {.kind = Label,
            .name = name,
            .left = left,
            .top = top,
            .width = kCaptionWidth,
            .height = height,
            .text = text,
            .font = {14},
            .textColour = kBlack};
}

// The texts are filled in by the window's created handler.
constexpr Control Value(std::u16string_view name, int left, int top, int height, Font font,
                        Rgb text = kBlack, Rgb back = kWhite) {
    return {.kind = Label,
            .name = name,
            .left = left,
            .top = top,
            .width = kValueWidth,
            .height = height,
            .font = font,
            .textColour = text,
            .backColour = back};
}

constexpr Control kCheckoutControls[] = {
    Caption(u"标签1", 10, 10, 35, u"项目名称"),
    Value(cw::kValueLabels[0], 119, 10, 35, {19, true}),
    Caption(u"标签3", 10, 55, 35, u"开始时间"),
    Value(cw::kValueLabels[1], 119, 55, 35, {19}),
    Caption(u"标签13", 10, 89, 35, u"结束时间"),
    Value(cw::kValueLabels[2], 119, 89, 35, {19}),
    Caption(u"标签15", 10, 123, 35, u"使用时长"),
    Value(cw::kValueLabels[3], 119, 123, 35, {19}),
    Caption(u"标签8", 10, 157, 35, u"初始时段"),
    Value(cw::kValueLabels[4], 119, 157, 35, {19}),
    Caption(u"标签9", 10, 191, 35, u"超时时长"),
    Value(cw::kValueLabels[5], 119, 191, 35, {19}),
    Caption(u"标签12", 11, 236, 35, u"最小计费单位"),
    Value(cw::kValueLabels[6], 120, 236, 35, {19}),
    Caption(u"标签24", 11, 270, 35, u"超时单价"),
    Value(cw::kValueLabels[7], 120, 270, 35, {19}),
    Caption(u"标签5", 10, 315, 35, u"初始费用"),
    Value(cw::kValueLabels[8], 119, 315, 35, {21, true}, 0x008000),
    Caption(u"标签21", 10, 349, 35, u"超时费用"),
    Value(cw::kValueLabels[9], 119, 349, 35, {21, true}, 0xAF4749),
    Caption(u"标签20", 10, 383, 75, u"总费用"),
    Value(cw::kValueLabels[10], 119, 383, 75, {43, true}, 0xFFFF00, 0xFF0000),
    {.kind = Button, .name = cw::kConfirmButton, .left = 260, .top = 467, .width = 100, .height = 35, .text = u"确定结账", .font = {14}, .tabStop = true},
};

constexpr Binding kCheckoutBindings[] = {
    {u"", Event::Created, op::kInitCheckout},
    {cw::kConfirmButton, Event::Click, op::kConfirmCheckout},
};

// The record's fields under the captions the history file code gives them.
constexpr Column kHistoryColumns[] = {
    {core::kFieldCaptions[0], 80, Align::Left},  {core::kFieldCaptions[1], 150, Align::Left},
    {core::kFieldCaptions[2], 150, Align::Left}, {core::kFieldCaptions[3], 120, Align::Left},
    {core::kFieldCaptions[4], 90, Align::Left},  {core::kFieldCaptions[5], 90, Align::Left},
    {core::kFieldCaptions[6], 75, Align::Left},  {core::kFieldCaptions[7], 90, Align::Left},
    {core::kFieldCaptions[8], 75, Align::Left},  {core::kFieldCaptions[9], 75, Align::Left},
    {core::kFieldCaptions[10], 90, Align::Left},
};

constexpr Control kHistoryControls[] = {
    {.kind = ListBox, .name = hw::kMonthList, .left = 9, .top = 10, .width = 140, .height = 370, .font = {14}, .tabStop = true},
    {.kind = ListView, .name = hw::kMonthTable, .left = 157, .top = 10, .width = 1103, .height = 621, .tabStop = true, .columns = kHistoryColumns},
    {.kind = Label, .name = hw::kCountLabel, .left = 10, .top = 600, .width = 140, .height = 30, .text = u"共 0 条记录", .border = false},
    {.kind = Button, .name = hw::kTakingsButton, .left = 9, .top = 390, .width = 140, .height = 35, .text = u"营业统计", .font = {14}, .tabStop = true},
};

constexpr MenuEntry kHistoryMenu[] = {
    {0, u"记录操作", false}, {1, hw::kReceiptEntry},
};

constexpr Binding kHistoryBindings[] = {
    {u"", Event::Created, op::kListHistoryFiles},
    {hw::kMonthList, Event::SelectionChanged, op::kShowHistoryMonth},
    {hw::kTakingsButton, Event::Click, op::kOpenTakings},
    {hw::kMonthTable, Event::RightClick, op::kUpdateRecordMenu},
    {hw::kReceiptEntry, Event::Chosen, op::kPrintReceipt},
};

constexpr Control Figure(std::u16string_view name, int left, int top, int width,
                         std::u16string_view caption = {}) {
    return {.kind = Label,
            .name = name,
            .left = left,
            .top = top,
            .width = width,
            .height = 30,
            .text = caption,
            .font = {14},
            .textColour = kBlack,
            .backColour = caption.empty() ? std::optional<Rgb>(kWhite) : std::nullopt};
}

constexpr Column kDayColumns[] = {
    {u"日期", 110, Align::Left}, {u"营业额", 100, Align::Right}, {u"次数", 70, Align::Right},
};

constexpr Column kItemTakingsColumns[] = {
    {u"名称", 150, Align::Left},     {u"次数", 70, Align::Right},
    {u"使用时长", 120, Align::Right}, {u"营业额", 110, Align::Right},
};

constexpr Column kOperatorTakingsColumns[] = {
    {u"操作员", 150, Align::Left}, {u"次数", 70, Align::Right}, {u"营业额", 110, Align::Right},
};

constexpr Column kUnreadableColumns[] = {
    {u"行号", 60, Align::Right}, {u"原因", 140, Align::Left}, {u"记录", 600, Align::Left, true},
};

// Captions on the left of their figures, which the window's created handler fills in.
constexpr Control kTakingsControls[] = {
    Figure(tw::kPeriodCaption, 10, 10, 71, u"月份"),
    Figure(tw::kMonthLabel, 80, 10, 110),
    Figure(u"标签3", 200, 10, 71, u"营业额"),
    Figure(tw::kTakingsLabel, 270, 10, 120),
    Figure(u"标签5", 400, 10, 71, u"使用次数"),
    Figure(tw::kUsesLabel, 470, 10, 90),
    Figure(u"标签7", 570, 10, 71, u"使用时长"),
    Figure(tw::kHoursLabel, 640, 10, 130),
    Figure(u"标签9", 780, 10, 71, u"平均每次"),
    Figure(tw::kAverageLabel, 850, 10, 134),
    Figure(u"标签11", 10, 50, 91, u"今日营业额"),
    Figure(tw::kTodayLabel, 100, 50, 120),
    Figure(u"标签13", 230, 50, 71, u"在用项目"),
    Figure(tw::kInUseLabel, 300, 50, 90),
    Figure(u"标签15", 400, 50, 71, u"在用应收"),
    Figure(tw::kOwedLabel, 470, 50, 120),
    Figure(u"标签17", 600, 50, 71, u"无法读取"),
    Figure(tw::kUnreadableLabel, 670, 50, 100),
    Figure(tw::kOtherMonthsLabel, 780, 50, 204),
    {.kind = ListView, .name = tw::kDayTable, .left = 10, .top = 90, .width = 300, .height = 330, .tabStop = true, .columns = kDayColumns},
    {.kind = BarChart, .name = tw::kDayChart, .left = 320, .top = 90, .width = 664, .height = 330},
    {.kind = ListView, .name = tw::kItemTable, .left = 10, .top = 430, .width = 480, .height = 210, .tabStop = true, .columns = kItemTakingsColumns},
    {.kind = ListView, .name = tw::kUnreadableTable, .left = 500, .top = 430, .width = 484, .height = 210, .tabStop = true, .columns = kUnreadableColumns},
    {.kind = ListView, .name = tw::kOperatorTable, .left = 500, .top = 540, .width = 484, .height = 100, .visible = false, .tabStop = true, .columns = kOperatorTakingsColumns},
    {.kind = ComboBox, .name = tw::kYearChoice, .left = 10, .top = 650, .width = 80, .height = 30, .font = {14}, .tabStop = true, .minimumDropHeight = 160},
    {.kind = Button, .name = tw::kYearButton, .left = 95, .top = 650, .width = 90, .height = 30, .text = u"查看全年", .font = {14}, .tabStop = true},
    {.kind = EditBox, .name = tw::kRangeFromBox, .left = 200, .top = 650, .width = 100, .height = 30, .font = {14}, .tabStop = true},
    {.kind = Label, .name = u"标签20", .left = 300, .top = 650, .width = 24, .height = 30, .text = u"至", .font = {14}, .border = false},
    {.kind = EditBox, .name = tw::kRangeToBox, .left = 324, .top = 650, .width = 100, .height = 30, .font = {14}, .tabStop = true},
    {.kind = Button, .name = tw::kRangeButton, .left = 429, .top = 650, .width = 90, .height = 30, .text = u"查看区间", .font = {14}, .tabStop = true},
    {.kind = Button, .name = tw::kDaySlipButton, .left = 654, .top = 650, .width = 110, .height = 30, .text = u"打印日结单", .font = {14}, .tabStop = true},
    {.kind = Button, .name = tw::kExportRecordsButton, .left = 774, .top = 650, .width = 100, .height = 30, .text = u"导出记录", .font = {14}, .tabStop = true},
    {.kind = Button, .name = tw::kExportTotalsButton, .left = 884, .top = 650, .width = 100, .height = 30, .text = u"导出汇总", .font = {14}, .tabStop = true},
    {.kind = Button, .name = tw::kCheckButton, .left = 774, .top = 690, .width = 100, .height = 30, .text = u"核对记录", .font = {14}, .tabStop = true},
    {.kind = Button, .name = tw::kOwnerSettingsButton, .left = 884, .top = 690, .width = 100, .height = 30, .text = u"店主设置", .font = {14}, .tabStop = true},
};

constexpr Binding kTakingsBindings[] = {
    {u"", Event::Created, op::kInitTakings},
    {tw::kExportRecordsButton, Event::Click, op::kExportTakingsRecords},
    {tw::kExportTotalsButton, Event::Click, op::kExportTakingsTotals},
    {tw::kYearButton, Event::Click, op::kShowTakingsYear},
    {tw::kRangeButton, Event::Click, op::kShowTakingsRange},
    {tw::kDaySlipButton, Event::Click, op::kPrintDaySlip},
    {tw::kCheckButton, Event::Click, op::kOpenCheck},
    {tw::kOwnerSettingsButton, Event::Click, op::kOpenOwnerSettings},
};

constexpr Control kLoginControls[] = {
    Figure(u"标签1", 10, 15, 71, u"操作员"),
    {.kind = ComboBox, .name = lw::kOperatorChoice, .left = 85, .top = 15, .width = 170, .height = 30, .font = {14}, .tabStop = true, .minimumDropHeight = 160},
    Figure(u"标签2", 10, 55, 71, u"PIN"),
    {.kind = EditBox, .name = lw::kPinBox, .left = 85, .top = 55, .width = 170, .height = 30, .font = {14}, .tabStop = true, .digitsOnly = true, .secret = true},
    {.kind = Label, .name = lw::kMessageLabel, .left = 10, .top = 92, .width = 245, .height = 25, .border = false, .textColour = kRed, .align = Align::Left},
    {.kind = Button, .name = lw::kLoginButton, .left = 155, .top = 122, .width = 100, .height = 35, .text = u"登录", .font = {14}, .tabStop = true},
    {.kind = Button, .name = lw::kReprintButton, .left = 10, .top = 122, .width = 100, .height = 35, .text = u"补打交班单", .visible = false, .tabStop = true},
};

constexpr Binding kLoginBindings[] = {
    {u"", Event::Created, op::kInitLogin},
    {lw::kLoginButton, Event::Click, op::kLogIn},
    {lw::kPinBox, Event::Entered, op::kLogIn},
    {lw::kReprintButton, Event::Click, op::kReprintShiftSlip},
};

constexpr Control kOwnerPromptControls[] = {
    {.kind = Label, .name = op_::kAskLabel, .left = 10, .top = 10, .width = 300, .height = 25, .font = {14}, .border = false, .align = Align::Left},
    {.kind = EditBox, .name = op_::kPasswordBox, .left = 10, .top = 40, .width = 300, .height = 30, .font = {14}, .tabStop = true, .secret = true},
    {.kind = Label, .name = op_::kMessageLabel, .left = 10, .top = 75, .width = 300, .height = 25, .border = false, .textColour = kRed, .align = Align::Left},
    {.kind = Button, .name = op_::kForgotButton, .left = 10, .top = 105, .width = 100, .height = 35, .text = u"忘记密码", .tabStop = true},
    {.kind = Button, .name = op_::kConfirmButton, .left = 210, .top = 105, .width = 100, .height = 35, .text = u"确定", .font = {14}, .tabStop = true},
};

constexpr Binding kOwnerPromptBindings[] = {
    {u"", Event::Created, op::kInitOwnerPrompt},
    {op_::kConfirmButton, Event::Click, op::kCheckOwnerPassword},
    {op_::kPasswordBox, Event::Entered, op::kCheckOwnerPassword},
    {op_::kForgotButton, Event::Click, op::kForgetOwnerPassword},
};

constexpr Control Box(std::u16string_view name, int left, int top, int width, bool secret = false,
                      bool digits = false) {
    return {.kind = EditBox, .name = name, .left = left, .top = top, .width = width, .height = 30,
            .font = {14}, .tabStop = true, .digitsOnly = digits, .secret = secret};
}

constexpr Control OwnerOnlyBox(int index) {
    return {.kind = CheckBox, .name = os::kOwnerOnlyBoxes[index], .left = 480, .top = 40 + 30 * index,
            .width = 200, .height = 26, .font = {14}, .tabStop = true};
}

// The password on the left, the operators in the middle, what asks for the password on the right.
constexpr Control kOwnerSettingsControls[] = {
    Figure(u"标签1", 10, 10, 71, u"旧密码"),
    Box(os::kOldPasswordBox, 80, 10, 150, true),
    Figure(u"标签2", 10, 50, 71, u"新密码"),
    Box(os::kNewPasswordBox, 80, 50, 150, true),
    Figure(u"标签3", 10, 90, 71, u"再输一次"),
    Box(os::kRepeatBox, 80, 90, 150, true),
    {.kind = Button, .name = os::kPasswordButton, .left = 80, .top = 130, .width = 150, .height = 30, .text = u"设置店主密码", .font = {14}, .tabStop = true},
    {.kind = ListBox, .name = os::kOperatorList, .left = 245, .top = 10, .width = 220, .height = 150, .font = {14}, .tabStop = true},
    Figure(u"标签4", 245, 170, 51, u"名称"),
    Box(os::kNameBox, 295, 170, 170),
    Figure(u"标签5", 245, 210, 51, u"PIN"),
    Box(os::kPinBox, 295, 210, 170, true, true),
    {.kind = Button, .name = os::kAddButton, .left = 245, .top = 250, .width = 70, .height = 30, .text = u"添加", .font = {14}, .tabStop = true},
    {.kind = Button, .name = os::kPinButton, .left = 320, .top = 250, .width = 70, .height = 30, .text = u"改PIN", .font = {14}, .tabStop = true},
    {.kind = Button, .name = os::kRemoveButton, .left = 395, .top = 250, .width = 70, .height = 30, .text = u"删除", .font = {14}, .tabStop = true},
    {.kind = Label, .name = u"标签6", .left = 480, .top = 10, .width = 200, .height = 26, .text = u"需要店主密码的操作", .font = {14}, .border = false, .align = Align::Left},
    OwnerOnlyBox(0), OwnerOnlyBox(1), OwnerOnlyBox(2), OwnerOnlyBox(3), OwnerOnlyBox(4),
    OwnerOnlyBox(5), OwnerOnlyBox(6),
    {.kind = Button, .name = os::kSaveOwnerOnlyButton, .left = 580, .top = 250, .width = 100, .height = 30, .text = u"保存", .font = {14}, .tabStop = true},
    {.kind = Label, .name = os::kMessageLabel, .left = 10, .top = 290, .width = 670, .height = 25, .border = false, .textColour = kRed, .align = Align::Left},
};

constexpr Binding kOwnerSettingsBindings[] = {
    {u"", Event::Created, op::kInitOwnerSettings},
    {os::kPasswordButton, Event::Click, op::kSetOwnerPassword},
    {os::kRepeatBox, Event::Entered, op::kSetOwnerPassword},
    {os::kAddButton, Event::Click, op::kAddOperator},
    {os::kPinButton, Event::Click, op::kChangePin},
    {os::kRemoveButton, Event::Click, op::kRemoveOperator},
    {os::kSaveOwnerOnlyButton, Event::Click, op::kSaveOwnerOnly},
};

constexpr Column kRunningColumns[] = {
    {u"名称", 100, Align::Left}, {u"开始时间", 160, Align::Left}, {u"时长", 110, Align::Right},
    {u"费用", 90, Align::Right},
};

constexpr Control kShiftControls[] = {
    Figure(u"标签1", 10, 10, 71, u"当班"),
    Figure(shw::kOperatorLabel, 80, 10, 150),
    Figure(u"标签3", 240, 10, 71, u"开始"),
    Figure(shw::kSinceLabel, 310, 10, 170),
    Figure(u"标签5", 10, 50, 71, u"应收"),
    Figure(shw::kExpectedLabel, 80, 50, 150),
    Figure(u"标签7", 240, 50, 71, u"实收"),
    Box(shw::kCountedBox, 310, 50, 170, false, true),
    Figure(u"标签8", 10, 90, 71, u"差额"),
    Figure(shw::kDifferenceLabel, 80, 90, 150),
    {.kind = Label, .name = u"标签10", .left = 10, .top = 130, .width = 470, .height = 25, .text = u"交给下一班的在用项目", .font = {14}, .border = false, .align = Align::Left},
    {.kind = ListView, .name = shw::kRunningTable, .left = 10, .top = 158, .width = 470, .height = 200, .tabStop = true, .columns = kRunningColumns},
    {.kind = Button, .name = shw::kCloseButton, .left = 330, .top = 368, .width = 150, .height = 35, .text = u"交班并打印", .font = {14}, .tabStop = true},
};

constexpr Binding kShiftBindings[] = {
    {u"", Event::Created, op::kInitShiftClose},
    {shw::kCountedBox, Event::Edited, op::kCountCash},
    {shw::kCloseButton, Event::Click, op::kCloseShift},
};

constexpr Column kFindingColumns[] = {
    {u"时间", 150, Align::Left}, {u"项目", 90, Align::Left}, {u"文件", 150, Align::Left},
    {u"行号", 60, Align::Right}, {u"情况", 504, Align::Left, true},
};

constexpr Column kActivityColumns[] = {
    {u"操作员", 120, Align::Left}, {u"结账次数", 80, Align::Right}, {u"营业额", 100, Align::Right},
};

constexpr Column kNotedColumns[] = {
    {u"时间", 150, Align::Left}, {u"操作员", 90, Align::Left}, {u"操作", 60, Align::Left},
    {u"项目", 80, Align::Left}, {u"内容", 260, Align::Left, true},
};

constexpr Control kCheckControls[] = {
    // Tall enough for every line of the summary, the verdict among them, without a scroll bar.
    {.kind = ListBox, .name = chw::kSummaryList, .left = 10, .top = 10, .width = 960, .height = 132, .font = {14}, .tabStop = true},
    {.kind = ListView, .name = chw::kFindingTable, .left = 10, .top = 152, .width = 960, .height = 260, .tabStop = true, .columns = kFindingColumns},
    {.kind = ListView, .name = chw::kOperatorTable, .left = 10, .top = 422, .width = 310, .height = 200, .tabStop = true, .columns = kActivityColumns},
    {.kind = ListView, .name = chw::kActionTable, .left = 330, .top = 422, .width = 640, .height = 200, .tabStop = true, .columns = kNotedColumns},
};

constexpr Binding kCheckBindings[] = {
    {u"", Event::Created, op::kInitCheck},
};

constexpr Control kSwitchControls[] = {
    {.kind = ComboBox, .name = sw::kChoices, .left = 15, .top = 20, .width = 190, .height = 20, .font = {20}, .tabStop = true, .minimumDropHeight = 160},
    {.kind = Button, .name = sw::kConfirmButton, .left = 60, .top = 66, .width = 100, .height = 40, .text = u"确认切换", .font = {16, true}, .enabled = false, .tabStop = true},
};

constexpr Binding kSwitchBindings[] = {
    {u"", Event::Created, op::kListIdleItems},
    {sw::kChoices, Event::SelectionChanged, op::kEnableSwitchButton},
    {sw::kConfirmButton, Event::Click, op::kConfirmSwitch},
};

// clang-format on

}  // namespace

const Window& MainWindow() {
    static constexpr Window window{.name = "MainWindow",
                                   .title = u"Durava V1.2",
                                   .outerWidth = 866,
                                   .outerHeight = 604,
                                   .minimizeBox = true,
                                   .inTaskbar = true,
                                   .opening = Opening::NotModalNoOwner,
                                   .controls = kMainControls,
                                   .menu = kMainMenu,
                                   .bindings = kMainBindings,
                                   // Up and Down move through the items from the start.
                                   .firstFocus = mw::kList};
    return window;
}

const Window& ItemDialog() {
    // The title only stands until the dialog opens and names its mode.
    static constexpr Window window{.name = "ItemDialog",
                                   .title = u"添加项目",
                                   .outerWidth = 286,
                                   .outerHeight = 365,
                                   .minimizeBox = true,
                                   .inTaskbar = true,
                                   .opening = Opening::ModalNoOwner,
                                   .controls = kItemControls,
                                   .menu = {},
                                   .bindings = kItemBindings,
                                   .closesOnEscape = true};
    return window;
}

const Window& CheckoutWindow() {
    // Owned by the main window, so it gets no taskbar entry of its own.
    static constexpr Window window{.name = "CheckoutWindow",
                                   .title = u"结账统计",
                                   .outerWidth = 376,
                                   .outerHeight = 540,
                                   .minimizeBox = false,
                                   .inTaskbar = false,
                                   .opening = Opening::ModalOwnedByMain,
                                   .controls = kCheckoutControls,
                                   .menu = {},
                                   .bindings = kCheckoutBindings,
                                   .closesOnEscape = true};
    return window;
}

const Window& HistoryWindow() {
    static constexpr Window window{.name = "HistoryWindow",
                                   .title = u"历史记录",
                                   .outerWidth = 1276,
                                   .outerHeight = 669,
                                   .minimizeBox = true,
                                   .inTaskbar = true,
                                   .opening = Opening::NotModalNoOwner,
                                   .controls = kHistoryControls,
                                   .menu = kHistoryMenu,
                                   .bindings = kHistoryBindings,
                                   .closesOnEscape = true};
    return window;
}

const Window& SwitchWindow() {
    static constexpr Window window{.name = "SwitchWindow",
                                   .title = u"切换项目",
                                   .outerWidth = 226,
                                   .outerHeight = 150,
                                   .minimizeBox = false,
                                   .inTaskbar = false,
                                   .opening = Opening::ModalOwnedByMain,
                                   .controls = kSwitchControls,
                                   .menu = {},
                                   .bindings = kSwitchBindings,
                                   .closesOnEscape = true};
    return window;
}

// Opened from the history window for the month it shows, beside it.
const Window& TakingsWindow() {
    static constexpr Window window{.name = "TakingsWindow",
                                   .title = u"营业统计",
                                   .outerWidth = 1000,
                                   .outerHeight = 760,
                                   .minimizeBox = true,
                                   .inTaskbar = true,
                                   .opening = Opening::NotModalNoOwner,
                                   .controls = kTakingsControls,
                                   .menu = {},
                                   .bindings = kTakingsBindings,
                                   .closesOnEscape = true};
    return window;
}

const Window& LoginWindow() {
    static constexpr Window window{.name = "LoginWindow",
                                   .title = u"登录",
                                   .outerWidth = 271,
                                   .outerHeight = 196,
                                   .minimizeBox = false,
                                   .inTaskbar = true,
                                   .opening = Opening::ModalNoOwner,
                                   .controls = kLoginControls,
                                   .menu = {},
                                   .bindings = kLoginBindings,
                                   .closesOnEscape = true,
                                   .firstFocus = lw::kPinBox};
    return window;
}

const Window& OwnerPrompt() {
    static constexpr Window window{.name = "OwnerPrompt",
                                   .title = u"店主密码",
                                   .outerWidth = 326,
                                   .outerHeight = 179,
                                   .minimizeBox = false,
                                   .inTaskbar = false,
                                   .opening = Opening::ModalNoOwner,
                                   .controls = kOwnerPromptControls,
                                   .menu = {},
                                   .bindings = kOwnerPromptBindings,
                                   .closesOnEscape = true,
                                   .firstFocus = op_::kPasswordBox};
    return window;
}

const Window& OwnerSettingsWindow() {
    static constexpr Window window{.name = "OwnerSettingsWindow",
                                   .title = u"店主设置",
                                   .outerWidth = 696,
                                   .outerHeight = 354,
                                   .minimizeBox = false,
                                   .inTaskbar = true,
                                   .opening = Opening::ModalNoOwner,
                                   .controls = kOwnerSettingsControls,
                                   .menu = {},
                                   .bindings = kOwnerSettingsBindings,
                                   .closesOnEscape = true};
    return window;
}

const Window& ShiftWindow() {
    static constexpr Window window{.name = "ShiftWindow",
                                   .title = u"交班",
                                   .outerWidth = 496,
                                   .outerHeight = 442,
                                   .minimizeBox = false,
                                   .inTaskbar = false,
                                   .opening = Opening::ModalOwnedByMain,
                                   .controls = kShiftControls,
                                   .menu = {},
                                   .bindings = kShiftBindings,
                                   .closesOnEscape = true,
                                   .firstFocus = shw::kCountedBox};
    return window;
}

const Window& CheckWindow() {
    static constexpr Window window{.name = "CheckWindow",
                                   .title = u"核对记录",
                                   .outerWidth = 986,
                                   .outerHeight = 661,
                                   .minimizeBox = true,
                                   .inTaskbar = true,
                                   .opening = Opening::NotModalNoOwner,
                                   .controls = kCheckControls,
                                   .menu = {},
                                   .bindings = kCheckBindings,
                                   .closesOnEscape = true};
    return window;
}

std::span<const Window* const> Windows() {
    static const Window* const windows[] = {
        &MainWindow(),          &ItemDialog(),    &CheckoutWindow(), &HistoryWindow(),
        &SwitchWindow(),        &TakingsWindow(), &LoginWindow(),    &OwnerPrompt(),
        &OwnerSettingsWindow(), &ShiftWindow(),   &CheckWindow()};
    return windows;
}

bool IsBound(std::string_view operation) {
    for (const Window* window : Windows()) {
        for (const Binding& binding : window->bindings) {
            if (binding.operation == operation) return true;
        }
    }
    return false;
}

}  // namespace durava::forms
