// SPDX-License-Identifier: MIT
#include "windows/trust/checkwindow.h"

#include <memory>

#include "core/fixedtexts.h"
#include "core/numbers.h"
#include "forms/formnames.h"
#include "forms/forms.h"
#include "history/takingstexts.h"
#include "trust/check.h"
#include "trust/checktexts.h"
#include "trust/protection.h"
#include "ui/backgroundwork.h"
#include "ui/form.h"
#include "ui/windowstate.h"
#include "windows/trust/ownerprompt.h"

namespace durava::windows {
namespace {

using namespace forms::check_window;

struct Checked {
    trust::CheckReport report;
    std::string title;
};

std::string LineText(std::size_t line) {
    return line == 0 ? std::string() : core::IntegerToText(static_cast<std::int64_t>(line));
}

void InitCheck(ui::Form& window) {
    const Checked& checked = *ui::Kept<Checked>(window);
    const trust::CheckReport& report = checked.report;
    window.SetTitle(core::Fixed(u"核对记录 ") + checked.title);
    for (const std::string& line : trust::SummaryLines(report)) {
        window.AppendEntry(kSummaryList, line);
    }
    std::vector<std::vector<std::string>> findings;
    for (const trust::Finding& finding : report.findings) {
        findings.push_back({finding.time, finding.item, finding.file, LineText(finding.line),
                            trust::FindingText(finding)});
    }
    window.SetRows(kFindingTable, std::move(findings));
    std::vector<std::vector<std::string>> operators, actions;
    for (const trust::OperatorActivity& activity : report.operators) {
        const std::string name =
            activity.name.empty() ? core::Fixed(u"（没有操作员）") : activity.name;
        operators.push_back(
            {name, core::IntegerToText(activity.checkouts), history::YuanText(activity.yuan)});
        for (const trust::NotedAction& action : activity.actions) {
            actions.push_back({action.time, name, trust::ActionText(action.action), action.item,
                               trust::DetailsText(action.details)});
        }
    }
    window.SetRows(kOperatorTable, std::move(operators));
    window.SetRows(kActionTable, std::move(actions));
}

}  // namespace

void OpenCheck(Globals& globals, ui::Form& from, core::CalendarTime first, core::CalendarTime last,
               std::string title) {
    const OwnerAnswer answer = AskOwnerPassword(globals, core::Fixed(u"核对记录"));
    if (!answer.allowed) return;
    const trust::OwnerRules rules = trust::ReadOwnerRules(globals.app.SettingsPath());
    std::optional<trust::JournalSalt> salt;
    if (!answer.password.empty() && rules.owner.content) salt = rules.owner.content->journalSalt;
    auto input = std::make_shared<trust::CheckInput>(
        trust::CheckInput{globals.app.HistoryFolder, rules.folder, first, last, std::nullopt});
    auto report = std::make_shared<trust::CheckReport>();
    ui::RunInBackground(
        &from, u"正在核对记录",
        [input, report, salt, password = answer.password](const ui::GoOn&) {
            // The one slow derivation: every chain the owner began opens with this key.
            if (salt) input->ownerKey = trust::DeriveJournalKey(password, *salt);
            *report = trust::CheckJournal(*input);
        },
        [&globals, report, title = std::move(title)] {
            ui::Form::Open(forms::CheckWindow(), globals.handlers, nullptr, [&](ui::Form& window) {
                ui::Keep(window, Checked{std::move(*report), title});
            });
        });
}

void RegisterCheckWindow(Globals& globals) {
    globals.handlers.Add(forms::operation::kInitCheck, [](ui::Form& window) { InitCheck(window); });
}

}  // namespace durava::windows
