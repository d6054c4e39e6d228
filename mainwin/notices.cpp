#include "mainwin/notices.h"

#include "core/texts.h"
#include "ui/dialogs.h"

namespace durava::mainwin {
namespace {

void Tell(QWidget* owner, std::u16string_view text) {
    ui::ShowMessage(owner, core::Fixed(u"操作失败"), core::Fixed(text));
}

}  // namespace

void ReportSettingsNotSaved(QWidget* owner) {
    Tell(owner,
         u"无法写入设置文件 ROOMSETTING.ini，本次更改没有保存。\n列表显示的是文件中现有的内容。");
}

void ReportHistoryNotSaved(QWidget* owner) {
    Tell(owner,
         u"无法写入本月的历史记录文件，结账没有完成。\n该项目仍在使用中，请检查文档文件夹中的 "
         u"History 文件夹后再结账。");
}

}  // namespace durava::mainwin
