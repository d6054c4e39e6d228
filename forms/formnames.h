// SPDX-License-Identifier: MIT
#pragma once
// The names by which handlers, tests and the window definitions reach each window's controls, menu
// entries and operations, written once.
#include <string_view>

namespace durava::forms {

namespace main_window {
inline constexpr std::u16string_view kAddButton = u"超级按钮1";
inline constexpr std::u16string_view kRefreshButton = u"超级按钮4";
inline constexpr std::u16string_view kHistoryButton = u"超级按钮5";
// A label that is never shown.
inline constexpr std::u16string_view kHiddenLabel = u"标签1";
inline constexpr std::u16string_view kList = u"超级列表";
inline constexpr std::u16string_view kStatusBar = u"状态条";
// Entries of the list's pop-up menu, named by their texts.
inline constexpr std::u16string_view kStartEntry = u"开始计时";
inline constexpr std::u16string_view kCheckoutEntry = u"结束记账";
inline constexpr std::u16string_view kSwitchEntry = u"切换项目";
inline constexpr std::u16string_view kModifyEntry = u"修改项目";
inline constexpr std::u16string_view kDeleteEntry = u"删除项目";
}  // namespace main_window

namespace item_dialog {
inline constexpr std::u16string_view kNameBox = u"编辑框1";
inline constexpr std::u16string_view kPeriodLabel = u"标签2";
inline constexpr std::u16string_view kPeriodBox = u"编辑框2";
inline constexpr std::u16string_view kInitialFeeLabel = u"标签3";
inline constexpr std::u16string_view kInitialFeeBox = u"编辑框3";
inline constexpr std::u16string_view kUnitLabel = u"标签4";
inline constexpr std::u16string_view kUnitBox = u"编辑框4";
inline constexpr std::u16string_view kPriceLabel = u"标签5";
inline constexpr std::u16string_view kPriceBox = u"编辑框5";
inline constexpr std::u16string_view kSaveButton = u"按钮1";
inline constexpr std::u16string_view kDefaultButton = u"按钮2";
}  // namespace item_dialog

namespace checkout_window {
// The value labels, in the order of the bill's fields.
inline constexpr std::u16string_view kValueLabels[] = {u"标签2", u"标签4",  u"标签14", u"标签16",
                                                       u"标签7", u"标签10", u"标签11", u"标签23",
                                                       u"标签6", u"标签22", u"标签19"};
inline constexpr std::u16string_view kConfirmButton = u"按钮1";
}  // namespace checkout_window

namespace history_window {
inline constexpr std::u16string_view kMonthList = u"列表框1";
inline constexpr std::u16string_view kMonthTable = u"超级列表框1";
inline constexpr std::u16string_view kCountLabel = u"标签1";
inline constexpr std::u16string_view kTakingsButton = u"按钮1";
// The record list's pop-up menu entry, named by its text.
inline constexpr std::u16string_view kReceiptEntry = u"打印小票";
}  // namespace history_window

namespace switch_window {
inline constexpr std::u16string_view kChoices = u"组合框1";
inline constexpr std::u16string_view kConfirmButton = u"按钮1";
}  // namespace switch_window

namespace takings_window {
inline constexpr std::u16string_view kMonthLabel = u"标签2";
inline constexpr std::u16string_view kTakingsLabel = u"标签4";
inline constexpr std::u16string_view kUsesLabel = u"标签6";
inline constexpr std::u16string_view kHoursLabel = u"标签8";
inline constexpr std::u16string_view kAverageLabel = u"标签10";
inline constexpr std::u16string_view kTodayLabel = u"标签12";
inline constexpr std::u16string_view kInUseLabel = u"标签14";
inline constexpr std::u16string_view kOwedLabel = u"标签16";
inline constexpr std::u16string_view kUnreadableLabel = u"标签18";
// Records of the month file that ended in another month, which the file's total includes.
inline constexpr std::u16string_view kOtherMonthsLabel = u"标签19";
inline constexpr std::u16string_view kDayTable = u"超级列表框1";
inline constexpr std::u16string_view kDayChart = u"图表1";
inline constexpr std::u16string_view kItemTable = u"超级列表框2";
inline constexpr std::u16string_view kUnreadableTable = u"超级列表框3";
inline constexpr std::u16string_view kExportRecordsButton = u"按钮1";
inline constexpr std::u16string_view kExportTotalsButton = u"按钮2";
inline constexpr std::u16string_view kYearChoice = u"组合框1";
inline constexpr std::u16string_view kYearButton = u"按钮3";
inline constexpr std::u16string_view kRangeFromBox = u"编辑框1";
inline constexpr std::u16string_view kRangeToBox = u"编辑框2";
inline constexpr std::u16string_view kRangeButton = u"按钮4";
inline constexpr std::u16string_view kDaySlipButton = u"按钮5";
}  // namespace takings_window

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
}  // namespace operation

}  // namespace durava::forms
