// SPDX-License-Identifier: MIT
#pragma once
// The names by which handlers, tests and the window definitions reach each window's controls, menu
// entries and operations, written once. A control's name carries its kind, so that asking a list
// for its text, or a button for its rows, does not compile.
#include <string_view>

#include "forms/forms.h"

namespace durava::forms {

// The name of a control of one of `Kinds`. It stands wherever the definitions take a plain name;
// a plain name never stands for it.
template <ControlKind... Kinds>
struct ControlName {
    std::u16string_view text;
    static constexpr ControlKind kinds[] = {Kinds...};

    constexpr explicit ControlName(std::u16string_view name) : text(name) {}
    constexpr operator std::u16string_view() const { return text; }
};

using LabelName = ControlName<ControlKind::Label, ControlKind::TransparentLabel>;
using ButtonName = ControlName<ControlKind::Button, ControlKind::PictureButton>;
using EditName = ControlName<ControlKind::EditBox>;
using ComboName = ControlName<ControlKind::ComboBox>;
using ListBoxName = ControlName<ControlKind::ListBox>;
using ListName = ControlName<ControlKind::ListView>;
using StatusBarName = ControlName<ControlKind::StatusBar>;
using ChartName = ControlName<ControlKind::BarChart>;
using CheckBoxName = ControlName<ControlKind::CheckBox>;

// A pop-up menu's entry, named by its text.
struct MenuEntryName {
    std::u16string_view text;

    constexpr explicit MenuEntryName(std::u16string_view entry) : text(entry) {}
    constexpr operator std::u16string_view() const { return text; }
};

namespace main_window {
inline constexpr ButtonName kAddButton{u"超级按钮1"};
inline constexpr ButtonName kRefreshButton{u"超级按钮4"};
inline constexpr ButtonName kHistoryButton{u"超级按钮5"};
// A label that is never shown.
inline constexpr LabelName kHiddenLabel{u"标签1"};
inline constexpr ListName kList{u"超级列表"};
inline constexpr StatusBarName kStatusBar{u"状态条"};
// The status bar's parts that name who is on duty, empty and hidden without operators.
inline constexpr int kOnDutyCaptionPart = 6;
inline constexpr int kOnDutyPart = 7;
// Shown only while operators take turns at the desk.
inline constexpr ButtonName kShiftButton{u"超级按钮6"};
// Entries of the list's pop-up menu, named by their texts.
inline constexpr MenuEntryName kStartEntry{u"开始计时"};
inline constexpr MenuEntryName kCheckoutEntry{u"结束记账"};
inline constexpr MenuEntryName kSwitchEntry{u"切换项目"};
inline constexpr MenuEntryName kModifyEntry{u"修改项目"};
inline constexpr MenuEntryName kDeleteEntry{u"删除项目"};
}  // namespace main_window

namespace item_dialog {
inline constexpr EditName kNameBox{u"编辑框1"};
inline constexpr LabelName kPeriodLabel{u"标签2"};
inline constexpr EditName kPeriodBox{u"编辑框2"};
inline constexpr LabelName kInitialFeeLabel{u"标签3"};
inline constexpr EditName kInitialFeeBox{u"编辑框3"};
inline constexpr LabelName kUnitLabel{u"标签4"};
inline constexpr EditName kUnitBox{u"编辑框4"};
inline constexpr LabelName kPriceLabel{u"标签5"};
inline constexpr EditName kPriceBox{u"编辑框5"};
inline constexpr ButtonName kSaveButton{u"按钮1"};
inline constexpr ButtonName kDefaultButton{u"按钮2"};
}  // namespace item_dialog

namespace checkout_window {
// The value labels, in the order of the bill's fields.
inline constexpr LabelName kValueLabels[] = {
    LabelName{u"标签2"}, LabelName{u"标签4"},  LabelName{u"标签14"}, LabelName{u"标签16"},
    LabelName{u"标签7"}, LabelName{u"标签10"}, LabelName{u"标签11"}, LabelName{u"标签23"},
    LabelName{u"标签6"}, LabelName{u"标签22"}, LabelName{u"标签19"}};
inline constexpr ButtonName kConfirmButton{u"按钮1"};
}  // namespace checkout_window

namespace history_window {
inline constexpr ListBoxName kMonthList{u"列表框1"};
inline constexpr ListName kMonthTable{u"超级列表框1"};
inline constexpr LabelName kCountLabel{u"标签1"};
inline constexpr ButtonName kTakingsButton{u"按钮1"};
// The record list's pop-up menu entry, named by its text.
inline constexpr MenuEntryName kReceiptEntry{u"打印小票"};
}  // namespace history_window

namespace switch_window {
inline constexpr ComboName kChoices{u"组合框1"};
inline constexpr ButtonName kConfirmButton{u"按钮1"};
}  // namespace switch_window

namespace takings_window {
// Names what kMonthLabel shows: a month, a year or a span.
inline constexpr LabelName kPeriodCaption{u"标签1"};
inline constexpr LabelName kMonthLabel{u"标签2"};
inline constexpr LabelName kTakingsLabel{u"标签4"};
inline constexpr LabelName kUsesLabel{u"标签6"};
inline constexpr LabelName kHoursLabel{u"标签8"};
inline constexpr LabelName kAverageLabel{u"标签10"};
inline constexpr LabelName kTodayLabel{u"标签12"};
inline constexpr LabelName kInUseLabel{u"标签14"};
inline constexpr LabelName kOwedLabel{u"标签16"};
inline constexpr LabelName kUnreadableLabel{u"标签18"};
// Records of the month file that ended in another month, which the file's total includes.
inline constexpr LabelName kOtherMonthsLabel{u"标签19"};
inline constexpr ListName kDayTable{u"超级列表框1"};
inline constexpr ChartName kDayChart{u"图表1"};
inline constexpr ListName kItemTable{u"超级列表框2"};
inline constexpr ListName kUnreadableTable{u"超级列表框3"};
inline constexpr ButtonName kExportRecordsButton{u"按钮1"};
inline constexpr ButtonName kExportTotalsButton{u"按钮2"};
inline constexpr ComboName kYearChoice{u"组合框1"};
inline constexpr ButtonName kYearButton{u"按钮3"};
inline constexpr EditName kRangeFromBox{u"编辑框1"};
inline constexpr EditName kRangeToBox{u"编辑框2"};
inline constexpr ButtonName kRangeButton{u"按钮4"};
inline constexpr ButtonName kDaySlipButton{u"按钮5"};
inline constexpr ButtonName kCheckButton{u"按钮6"};
inline constexpr ButtonName kOwnerSettingsButton{u"按钮7"};
// Takings per operator: shown, below a shorter unreadable table, while there are operators.
inline constexpr ListName kOperatorTable{u"超级列表框4"};
}  // namespace takings_window

namespace login_window {
inline constexpr ComboName kOperatorChoice{u"组合框1"};
inline constexpr EditName kPinBox{u"编辑框1"};
inline constexpr LabelName kMessageLabel{u"标签3"};
inline constexpr ButtonName kLoginButton{u"按钮1"};
// Shown while the slip of this desk's last shift close can be printed again.
inline constexpr ButtonName kReprintButton{u"按钮2"};
}  // namespace login_window

namespace owner_prompt {
// Names the action that asks for the password.
inline constexpr LabelName kAskLabel{u"标签1"};
inline constexpr EditName kPasswordBox{u"编辑框1"};
inline constexpr LabelName kMessageLabel{u"标签2"};
inline constexpr ButtonName kForgotButton{u"按钮1"};
inline constexpr ButtonName kConfirmButton{u"按钮2"};
}  // namespace owner_prompt

namespace owner_settings {
inline constexpr EditName kOldPasswordBox{u"编辑框1"};
inline constexpr EditName kNewPasswordBox{u"编辑框2"};
inline constexpr EditName kRepeatBox{u"编辑框3"};
inline constexpr ButtonName kPasswordButton{u"按钮1"};
inline constexpr ListBoxName kOperatorList{u"列表框1"};
inline constexpr EditName kNameBox{u"编辑框4"};
inline constexpr EditName kPinBox{u"编辑框5"};
inline constexpr ButtonName kAddButton{u"按钮2"};
inline constexpr ButtonName kPinButton{u"按钮3"};
inline constexpr ButtonName kRemoveButton{u"按钮4"};
// One box a line, in the order of people::kOwnerActions.
inline constexpr CheckBoxName kOwnerOnlyBoxes[] = {
    CheckBoxName{u"选择框1"}, CheckBoxName{u"选择框2"}, CheckBoxName{u"选择框3"},
    CheckBoxName{u"选择框4"}, CheckBoxName{u"选择框5"}, CheckBoxName{u"选择框6"},
    CheckBoxName{u"选择框7"}};
inline constexpr ButtonName kSaveOwnerOnlyButton{u"按钮5"};
inline constexpr LabelName kMessageLabel{u"标签7"};
}  // namespace owner_settings

namespace shift_window {
inline constexpr LabelName kOperatorLabel{u"标签2"};
inline constexpr LabelName kSinceLabel{u"标签4"};
inline constexpr LabelName kExpectedLabel{u"标签6"};
inline constexpr EditName kCountedBox{u"编辑框1"};
inline constexpr LabelName kDifferenceLabel{u"标签9"};
inline constexpr ListName kRunningTable{u"超级列表框1"};
inline constexpr ButtonName kCloseButton{u"按钮1"};
}  // namespace shift_window

namespace check_window {
inline constexpr ListBoxName kSummaryList{u"列表框1"};
inline constexpr ListName kFindingTable{u"超级列表框1"};
inline constexpr ListName kOperatorTable{u"超级列表框2"};
inline constexpr ListName kActionTable{u"超级列表框3"};
}  // namespace check_window

// The operations that window events run.
namespace operation {
inline constexpr std::string_view kInitMainWindow = "InitMainWindow";
inline constexpr std::string_view kCloseMainWindow = "CloseMainWindow";
inline constexpr std::string_view kOpenAddDialog = "OpenAddDialog";
inline constexpr std::string_view kFillItemList = "FillItemList";
inline constexpr std::string_view kOpenHistory = "OpenHistory";
inline constexpr std::string_view kUpdateListMenu = "UpdateListMenu";
inline constexpr std::string_view kStartTiming = "StartTiming";
inline constexpr std::string_view kEndAndBill = "EndAndBill";
inline constexpr std::string_view kOpenSwitchWindow = "OpenSwitchWindow";
inline constexpr std::string_view kModifyItem = "ModifyItem";
inline constexpr std::string_view kDeleteItem = "DeleteItem";
inline constexpr std::string_view kInitItemDialog = "InitItemDialog";
inline constexpr std::string_view kCloseItemDialog = "CloseItemDialog";
inline constexpr std::string_view kSaveItem = "SaveItem";
inline constexpr std::string_view kFillDefaultTariff = "FillDefaultTariff";
inline constexpr std::string_view kInitCheckout = "InitCheckout";
inline constexpr std::string_view kConfirmCheckout = "ConfirmCheckout";
inline constexpr std::string_view kListHistoryFiles = "ListHistoryFiles";
inline constexpr std::string_view kShowHistoryMonth = "ShowHistoryMonth";
inline constexpr std::string_view kOpenTakings = "OpenTakings";
inline constexpr std::string_view kUpdateRecordMenu = "UpdateRecordMenu";
inline constexpr std::string_view kPrintReceipt = "PrintReceipt";
inline constexpr std::string_view kInitTakings = "InitTakings";
inline constexpr std::string_view kExportTakingsRecords = "ExportTakingsRecords";
inline constexpr std::string_view kExportTakingsTotals = "ExportTakingsTotals";
inline constexpr std::string_view kShowTakingsYear = "ShowTakingsYear";
inline constexpr std::string_view kShowTakingsRange = "ShowTakingsRange";
inline constexpr std::string_view kPrintDaySlip = "PrintDaySlip";
inline constexpr std::string_view kListIdleItems = "ListIdleItems";
inline constexpr std::string_view kEnableSwitchButton = "EnableSwitchButton";
inline constexpr std::string_view kConfirmSwitch = "ConfirmSwitch";
inline constexpr std::string_view kOpenShiftClose = "OpenShiftClose";
inline constexpr std::string_view kOpenCheck = "OpenCheck";
inline constexpr std::string_view kOpenOwnerSettings = "OpenOwnerSettings";
inline constexpr std::string_view kInitLogin = "InitLogin";
inline constexpr std::string_view kLogIn = "LogIn";
inline constexpr std::string_view kInitOwnerPrompt = "InitOwnerPrompt";
inline constexpr std::string_view kCheckOwnerPassword = "CheckOwnerPassword";
inline constexpr std::string_view kForgetOwnerPassword = "ForgetOwnerPassword";
inline constexpr std::string_view kInitOwnerSettings = "InitOwnerSettings";
inline constexpr std::string_view kSetOwnerPassword = "SetOwnerPassword";
inline constexpr std::string_view kAddOperator = "AddOperator";
inline constexpr std::string_view kChangePin = "ChangePin";
inline constexpr std::string_view kRemoveOperator = "RemoveOperator";
inline constexpr std::string_view kSaveOwnerOnly = "SaveOwnerOnly";
inline constexpr std::string_view kInitShiftClose = "InitShiftClose";
inline constexpr std::string_view kCountCash = "CountCash";
inline constexpr std::string_view kCloseShift = "CloseShift";
inline constexpr std::string_view kReprintShiftSlip = "ReprintShiftSlip";
inline constexpr std::string_view kInitCheck = "InitCheck";
}  // namespace operation

}  // namespace durava::forms
