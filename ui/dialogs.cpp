// SPDX-License-Identifier: MIT
#include "ui/dialogs.h"

#include <QCursor>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include "ui/screenconversion.h"

namespace durava::ui {
namespace {

std::function<bool(const QString&, const QString&)>& MessageAnswer() {
    static std::function<bool(const QString&, const QString&)> answer;
    return answer;
}

std::function<QAction*(QMenu&)>& MenuChoice() {
    static std::function<QAction*(QMenu&)> choose;
    return choose;
}

std::function<QString(const QString&, const QString&)>& SaveFilePick() {
    static std::function<QString(const QString&, const QString&)> pick;
    return pick;
}

}  // namespace

bool ShowMessage(QWidget* owner, std::string_view caption, std::string_view text, Buttons buttons) {
    const QString screenCaption = ToScreen(caption);
    const QString screenText = ToScreen(text);
    if (MessageAnswer()) return MessageAnswer()(screenCaption, screenText);
    QMessageBox box(
        QMessageBox::NoIcon, screenCaption, screenText,
        buttons == Buttons::Ok ? QMessageBox::Ok : QMessageBox::Ok | QMessageBox::Cancel, owner);
    box.setObjectName(QStringLiteral("MessageBox"));
    // A name such as "<b>x</b>" shows as typed.
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setText(ToScreen(u"确定"));
    if (buttons == Buttons::OkCancel) box.button(QMessageBox::Cancel)->setText(ToScreen(u"取消"));
    return box.exec() == QMessageBox::Ok;
}

QAction* ShowPopupMenu(QMenu& menu) {
    if (MenuChoice()) return MenuChoice()(menu);
    return menu.exec(QCursor::pos());
}

QString AskSaveFile(QWidget* owner, std::string_view caption, const QString& suggested,
                    const QString& filter) {
    const QString screenCaption = ToScreen(caption);
    if (SaveFilePick()) return SaveFilePick()(screenCaption, suggested);
    return QFileDialog::getSaveFileName(owner, screenCaption, suggested, filter);
}

void AnswerMessagesWith(std::function<bool(const QString&, const QString&)> answer) {
    MessageAnswer() = std::move(answer);
}

void ChooseMenuEntriesWith(std::function<QAction*(QMenu&)> choose) {
    MenuChoice() = std::move(choose);
}

void PickSaveFilesWith(std::function<QString(const QString&, const QString&)> pick) {
    SaveFilePick() = std::move(pick);
}

}  // namespace durava::ui
