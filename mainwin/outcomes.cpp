#include "mainwin/outcomes.h"

#include <string>

#include "core/texts.h"
#include "mainwin/itemlist.h"
#include "ui/dialogs.h"

namespace durava::mainwin {
namespace {

using operations::Outcome;

struct Message {
    std::u16string_view caption;
    std::u16string_view before, after;  // around "【item】"; no item when `after` is empty
};

constexpr std::u16string_view kFailed = u"操作失败";

Message MessageFor(Operation operation, Outcome outcome) {
    switch (outcome) {
        case Outcome::Done:
            return {};
        case Outcome::SettingsNotRead:
            return {
                kFailed, u"无法读取设置文件 ROOMSETTING.ini，本次操作没有执行。\n请稍后再试。", {}};
        case Outcome::SettingsNotWritten:
            return {kFailed,
                    u"无法写入设置文件 ROOMSETTING.ini，本次更改没有保存。\n"
                    u"列表显示的是文件中现有的内容。",
                    {}};
        case Outcome::RecordNotWritten:
            return {kFailed,
                    u"无法写入本月的历史记录文件，结账没有完成。\n该项目仍在使用中，"
                    u"请检查文档文件夹中的 History 文件夹后再结账。",
                    {}};
        case Outcome::StoreBusy:
            return {kFailed, u"另一处的程序正在修改设置文件，本次操作没有执行。\n请稍后再试。", {}};
        case Outcome::StoreUnavailable:
            return {kFailed,
                    u"无法使用锁文件 ROOMSETTING.ini.lock，本次操作没有执行。\n"
                    u"请检查文档文件夹能否写入。",
                    {}};
        case Outcome::AlreadyBilled:
            return {u"已经结账", u"项目",
                    u"的这次使用已有结账记录，没有再次记账。\n该项目已设为空闲。"};
        case Outcome::StartedAgain:
            return {u"无法结账", u"项目",
                    u"的开始时间已经改变，可能已在别处结账并重新开始计时。\n"
                    u"没有写入记录，请重新结账。"};
        case Outcome::NoLongerInUse:
            if (operation == Operation::Switch) {
                return {u"无法切换", u"项目", u"已不在使用中，没有可切换的计时。"};
            }
            return {u"无法结账", u"项目", u"已不在使用中，可能已在别处结账。\n没有写入记录。"};
        case Outcome::NoLongerIdle:
            switch (operation) {
                case Operation::Save:
                    return {u"无法保存", u"项目",
                            u"正在使用中，保存会中断它的计时。\n请先为它结账，或换一个名称。"};
                case Operation::Delete:
                    return {u"无法删除", u"项目", u"正在使用中，不能删除。\n请先为它结账。"};
                case Operation::Switch:
                    return {u"无法切换", u"项目", u"已不是空闲状态。\n请重新选择要切换到的项目。"};
                default:
                    return {u"无法开始计时", u"项目", u"已不是空闲状态，没有开始计时。"};
            }
    }
    return {};
}

}  // namespace

void ReportOutcome(Globals& globals, QWidget* owner, Operation operation, Outcome outcome,
                   std::string_view item) {
    const Message message = MessageFor(operation, outcome);
    if (!message.caption.empty()) {
        std::string text = core::Fixed(message.before);
        if (!message.after.empty()) {
            text += core::Fixed(u"【") + std::string(item) + core::Fixed(u"】") +
                    core::Fixed(message.after);
        }
        ui::ShowMessage(owner, core::Fixed(message.caption), text);
    }
    FillItemList(globals);
}

}  // namespace durava::mainwin
