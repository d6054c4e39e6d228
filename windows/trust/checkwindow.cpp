// SPDX-License-Identifier: MIT
#include "windows/trust/checkwindow.h"

#include <memory>

#include "audit/check.h"
#include "audit/checktexts.h"
#include "core/fixedtexts.h"
#include "core/numbers.h"
#include "forms/formnames.h"
#include "forms/forms.h"
#include "history/takingstexts.h"
#include "people/protection.h"
#include "ui/form.h"
#include "ui/windowstate.h"
#include "ui/work/backgroundwork.h"
#include "windows/trust/ownerprompt.h"

namespace durava::windows {
namespace {

using namespace forms::check_window;

struct Checked {
    audit::CheckReport report;
    std::string title;
};

std::string LineText(std::size_t line) {
    return line == 0 ? std::string() : core::IntegerToText(static_cast<std::int64_t>(line));
}

void InitCheck(ui::Form& window) {
    const Checked* kept = ui::Kept<Checked>(window);
    if (!kept) return;
    const Checked& checked = *kept;
    const audit::CheckReport& report = checked.report;
    window.SetTitle(core::Fixed(u"核对记录 ") + checked.title);
    for (const std::string& line : audit::SummaryLines(report)) {
        window.AppendEntry(kSummaryList, line);
    }
    std::vector<std::vector<std::string>> findings;
    for (const audit::Finding& finding : report.findings) {
        findings.push_back({finding.time, finding.item, finding.file, LineText(finding.line),
                            audit::FindingText(finding)});
    }
    window.SetRows(kFindingTable, std::move(findings));
    std::vector<std::vector<std::string>> operators, actions;
    for (const audit::OperatorActivity& activity : report.operators) {
        const std::string name =
            activity.name.empty() ? core::Fixed(u"（没有操作员）") : activity.name;
        operators.push_back(
            {name, core::IntegerToText(activity.checkouts), history::YuanText(activity.yuan)});
        for (const audit::NotedAction& action : activity.actions) {
            actions.push_back({action.time, name, journal::ActionText(action.action), action.item,
                               journal::DetailsText(action.details)});
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
    const people::OwnerRules rules = people::ReadOwnerRules(globals.app.SettingsPath());
    std::optional<people::Owner> owner;
    if (!answer.password.empty()) owner = rules.owner.content;
    auto input = std::make_shared<audit::CheckInput>(
        audit::CheckInput{globals.app.HistoryFolder, rules.folder, first, last, std::nullopt});
    auto report = std::make_shared<audit::CheckReport>();
    ui::RunInBackground(
        &from, u"正在核对记录",
        [input, report, owner = std::move(owner), password = answer.password](const ui::GoOn&) {
            // The one slow derivation: every chain the owner began opens with its keys.
            if (owner) audit::OpenWith(*input, people::OpenOwnerChains(*owner, password));
            *report = audit::CheckJournal(*input);
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
