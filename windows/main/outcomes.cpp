// SPDX-License-Identifier: MIT
#include "windows/main/outcomes.h"

#include <string>

#include "audit/checktexts.h"
#include "core/fixedtexts.h"
#include "journal/journaltexts.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/widgets/statusbar.h"
#include "ui/windowstate.h"
#include "windows/main/itemlist.h"
#include "windows/main/liststate.h"
#include "windows/main/notices.h"

namespace durava::windows {
namespace {

using operations::Outcome;

// "项目【item】" and what follows it.
struct Message {
    std::u16string_view caption, after;
};

// The refusals: the files changed since the window showed them. Failures of the stores are told
// by the notices.
Message MessageFor(Operation operation, Outcome outcome) {
    switch (outcome) {
        case Outcome::AlreadyBilled:
            return {u"已经结账", u"的这次使用已有结账记录，没有再次记账。\n该项目已设为空闲。"};
        case Outcome::StartedAgain:
            return {u"无法结账",
                    u"的开始时间已经改变，可能已在别处结账并重新开始计时。\n"
                    u"没有写入记录，请重新结账。"};
        case Outcome::BilledThisSecond:
            if (operation == Operation::Switch) {
                return {
                    u"无法切换",
                    u"有一次与这次计时同一秒开始的使用已经结账，切换过去后这次计时将无法结账。\n"
                    u"请选择其他项目。"};
            }
            return {u"无法开始计时",
                    u"在这一秒内刚刚结过账，同一秒内不能再次开始计时。\n请稍等片刻再开始计时。"};
        case Outcome::NoLongerInUse:
            if (operation == Operation::Switch) {
                return {u"无法切换", u"已不在使用中，没有可切换的计时。"};
            }
            return {u"无法结账", u"已不在使用中，可能已在别处结账。\n没有写入记录。"};
        case Outcome::NoLongerIdle:
            switch (operation) {
                case Operation::Save:
                    return {u"无法保存",
                            u"正在使用中，保存会中断它的计时。\n请先为它结账，或换一个名称。"};
                case Operation::Modify:
                    return {u"无法保存",
                            u"正在使用中，修改会中断它的计时。\n请先为它结账，再修改。"};
                case Operation::Delete:
                    return {u"无法删除", u"正在使用中，不能删除。\n请先为它结账。"};
                case Operation::Switch:
                    return {u"无法切换", u"已不是空闲状态。\n请重新选择要切换到的项目。"};
                default:
                    return {u"无法开始计时", u"已不是空闲状态，没有开始计时。"};
            }
        default:
            return {};
    }
}

// Without an owner password the action went on; the operator hears once that it went unjournaled.
void TellJournalTrouble(Globals& globals) {
    const operations::Journaling* journaling = globals.journaling.get();
    if (!journaling || !journaling->problem || globals.journalTroubleTold || !globals.MainWindow) {
        return;
    }
    const ListState* list = ui::Kept<ListState>(*globals.MainWindow);
    if (!list || !list->statusBar) return;
    list->statusBar->ShowNotice(journal::ProblemText(*journaling->problem));
    globals.journalTroubleTold = true;
}

}  // namespace

void ReportFailure(Globals& globals, QWidget* owner, Outcome outcome) {
    switch (outcome) {
        case Outcome::SettingsNotRead:
            ReportSettingsNotRead(owner);
            break;
        case Outcome::SettingsNotWritten:
            ReportSettingsNotSaved(owner, globals.app.Settings);
            break;
        case Outcome::SettingsReadOnly:
            ReportSettingsReadOnly(owner);
            break;
        case Outcome::RecordNotWritten:
            ReportHistoryNotSaved(owner);
            break;
        case Outcome::StoreBusy:
            ReportStoreBusy(owner);
            break;
        case Outcome::StoreUnavailable:
            ReportStoreUnavailable(owner);
            break;
        case Outcome::JournalNotWritten:
            if (globals.journaling && globals.journaling->problem) {
                ui::ShowMessage(owner, core::Fixed(u"操作失败"),
                                journal::ProblemText(*globals.journaling->problem));
            }
            break;
        default:
            break;
    }
}

void ReportOutcome(Globals& globals, QWidget* owner, Operation operation, Outcome outcome,
                   std::string_view item) {
    ReportFailure(globals, owner, outcome);
    const Message message = MessageFor(operation, outcome);
    if (!message.caption.empty()) {
        // Named as the file spells it: 【B】, not the 【b】 that was typed.
        ui::ShowMessage(owner, core::Fixed(message.caption),
                        core::Fixed(u"项目【") + globals.app.Settings.SpellingOf(item) +
                            core::Fixed(u"】") + core::Fixed(message.after));
    }
    TellJournalTrouble(globals);
    if (globals.MainWindow) FillItemList(globals, *globals.MainWindow);
}

}  // namespace durava::windows
