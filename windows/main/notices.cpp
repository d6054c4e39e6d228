// SPDX-License-Identifier: MIT
#include "windows/main/notices.h"

#include "core/fixedtexts.h"
#include "store/settings/settings.h"
#include "ui/dialogs.h"

namespace durava::windows {
namespace {

void Tell(QWidget* owner, std::u16string_view text) {
    ui::ShowMessage(owner, core::Fixed(u"操作失败"), core::Fixed(text));
}

}  // namespace

void ReportSettingsNotSaved(QWidget* owner, const store::SettingsFile& settings) {
    switch (settings.LastWriteProblem()) {
        case store::FileProblem::Unreadable:
            return ReportSettingsNotRead(owner);
        case store::FileProblem::ReadOnly:
            return ReportSettingsReadOnly(owner);
        default:
            return Tell(owner,
                        u"无法写入设置文件 ROOMSETTING.ini，本次更改没有保存。\n"
                        u"列表显示的是文件中现有的内容。");
    }
}

void ReportSettingsReadOnly(QWidget* owner) {
    Tell(owner,
         u"设置文件 ROOMSETTING.ini 是只读的，本次更改没有保存。\n请取消它的只读属性后再试。");
}

void ReportSettingsNotRead(QWidget* owner) {
    Tell(owner,
         u"无法读取设置文件 ROOMSETTING.ini，本次更改没有保存。\n"
         u"请检查文件的权限，或它是否已被别的文件取代。");
}

void ReportStoreBusy(QWidget* owner) {
    Tell(owner, u"另一处的程序正在修改设置文件，本次操作没有执行。\n请稍后再试。");
}

void ReportStoreUnavailable(QWidget* owner) {
    Tell(owner,
         u"无法使用锁文件 ROOMSETTING.ini.lock，本次操作没有执行。\n请检查文档文件夹能否写入。");
}

void ReportSettingsUnreadable(QWidget* owner) {
    ui::ShowMessage(owner, core::Fixed(u"无法读取设置文件"),
                    core::Fixed(u"设置文件 ROOMSETTING.ini 存在，但无法读取，列表中没有项目。\n"
                                u"在它能够读取之前，任何更改都不会保存。"));
}

void ReportHistoryNotSaved(QWidget* owner) {
    Tell(owner,
         u"无法写入本月的历史记录文件，结账没有完成。\n该项目仍在使用中，请检查文档文件夹中的 "
         u"History 文件夹后再结账。");
}

}  // namespace durava::windows
