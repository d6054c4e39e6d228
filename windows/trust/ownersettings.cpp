// SPDX-License-Identifier: MIT
#include "windows/trust/ownersettings.h"

#include <memory>

#include "core/codepage.h"
#include "core/fixedtexts.h"
#include "forms/formnames.h"
#include "forms/forms.h"
#include "journal/journaltexts.h"
#include "operations/operations.h"
#include "people/protection.h"
#include "people/texts.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/windowstate.h"
#include "ui/work/backgroundwork.h"
#include "windows/main/outcomes.h"
#include "windows/trust/login.h"
#include "windows/trust/messageline.h"
#include "windows/trust/ownerprompt.h"
#include "windows/trust/secretcheck.h"

namespace durava::windows {
namespace {

using namespace forms::owner_settings;

struct Opened {
    bool startOver;
    bool* passwordSet;
};

// What a new password does: each is journaled and told as itself.
enum class PasswordChange { First, Changed, StartOver };

std::filesystem::path Folder(const Globals& globals) {
    return journal::DuravaFolder(globals.app.SettingsPath());
}

void Tell(ui::Form& window, std::string_view text, Tone tone = Tone::Fault) {
    Say(window, kMessageLabel, text, tone);
}

// Everything as the files hold it now: another desk may have changed them.
void Fill(Globals& globals, ui::Form& window) {
    const Opened* opened = ui::Kept<Opened>(window);
    if (!opened) return;
    const bool startOver = opened->startOver;
    const people::OwnerRules rules = people::ReadOwnerRules(globals.app.SettingsPath());
    const bool on = rules.On() && !startOver;
    window.SetEnabled(kOldPasswordBox, on);
    window.SetText(kPasswordButton, core::Fixed(startOver ? u"重新设置店主密码"
                                                : on      ? u"修改店主密码"
                                                          : u"设置店主密码"));
    // Operators and what asks for the password come with a password.
    const bool owned = on && rules.owner.content;
    for (const forms::ButtonName button :
         {kAddButton, kPinButton, kRemoveButton, kSaveOwnerOnlyButton}) {
        window.SetEnabled(button, owned);
    }
    window.SetEnabled(kNameBox, owned);
    window.SetEnabled(kPinBox, owned);
    window.ClearEntries(kOperatorList);
    if (rules.operators.content) {
        for (const people::Operator& person : rules.operators.content->List()) {
            window.AppendEntry(kOperatorList, person.name);
        }
    }
    const std::set<people::OwnerAction> ownerOnly =
        rules.owner.content ? rules.owner.content->ownerOnly : people::DefaultOwnerOnly();
    for (std::size_t i = 0; i < std::size(people::kOwnerActions); ++i) {
        window.SetText(kOwnerOnlyBoxes[i], people::OwnerActionCaption(people::kOwnerActions[i]));
        window.SetChecked(kOwnerOnlyBoxes[i], ownerOnly.contains(people::kOwnerActions[i]));
        window.SetEnabled(kOwnerOnlyBoxes[i], owned);
    }
}

// A change made under the lock, told in the window; true when it was made.
bool Change(Globals& globals, ui::Form& window, bool newChain,
            const std::function<operations::OurChange()>& change) {
    operations::Store store = globals.Store();
    std::optional<journal::FileTrouble> trouble;
    const operations::Outcome outcome =
        operations::ChangeOurFiles(store, newChain, change, trouble);
    if (outcome == operations::Outcome::OwnFileNotWritten && trouble) {
        ui::ShowMessage(&window, core::Fixed(u"没有保存"), journal::FileTroubleText(*trouble));
    } else {
        ReportFailure(globals, &window, outcome);
    }
    Fill(globals, window);
    return outcome == operations::Outcome::Done;
}

// Argon2id runs off the window thread; `done` hears the result on it.
template <typename Result>
void Slowly(ui::Form& window, std::function<Result()> work, std::function<void(Result)> done) {
    auto result = std::make_shared<Result>();
    ui::RunInBackground(
        &window, u"请稍候", [result, work = std::move(work)](const ui::GoOn&) { *result = work(); },
        [result, done = std::move(done)] { done(std::move(*result)); });
}

void ApplyPassword(Globals& globals, ui::Form& window, const people::NewPassword& password,
                   PasswordChange change) {
    Opened* kept = ui::Kept<Opened>(window);
    if (!kept) return;
    Opened& opened = *kept;
    const journal::ChainReason reason =
        change == PasswordChange::StartOver ? journal::ChainReason::OwnerRestart
        : change == PasswordChange::Changed ? journal::ChainReason::OwnerPasswordChanged
                                            : journal::ChainReason::OwnerPassword;
    const std::filesystem::path folder = Folder(globals);
    const bool set = Change(globals, window, true, [&]() -> operations::OurChange {
        const std::optional<core::DateTime> restartedAt =
            change == PasswordChange::StartOver ? std::optional(core::CurrentTime()) : std::nullopt;
        if (std::optional<journal::FileTrouble> trouble =
                people::SetOwnerPassword(folder, password, restartedAt)) {
            return {{}, trouble};
        }
        if (std::optional<journal::FileTrouble> problem =
                globals.journal->StartChain(password.firstJournalKey, reason, core::CurrentTime(),
                                            globals.journaling->operatorName)) {
            // Whatever stopped it, the owner hears that the chain could not be written.
            problem->state = journal::FileState::NotWritten;
            return {{}, std::move(problem)};
        }
        return {};
    });
    if (!set) return;
    *opened.passwordSet = true;
    opened.startOver = false;
    Fill(globals, window);
    Tell(window,
         core::Fixed(change == PasswordChange::Changed
                         ? u"店主密码已更改。请记住它：忘记了无法找回。"
                         : u"店主密码已设置。请记住它：忘记了无法找回。"),
         Tone::Done);
}

void SetPassword(Globals& globals, ui::Form& window) {
    const Opened* opened = ui::Kept<Opened>(window);
    if (!opened) return;
    const std::u16string old = window.TypedText(kOldPasswordBox);
    const std::u16string typed = window.TypedText(kNewPasswordBox);
    const std::u16string repeated = window.TypedText(kRepeatBox);
    for (const forms::EditName box : {kOldPasswordBox, kNewPasswordBox, kRepeatBox}) {
        window.SetText(box, "");
    }
    if (const people::PasswordFault fault = people::CheckOwnerPassword(typed);
        fault != people::PasswordFault::None) {
        return Tell(window, people::PasswordFaultText(fault));
    }
    if (typed != repeated) return Tell(window, core::Fixed(u"两次输入的密码不一样，请重新输入。"));
    // A change keeps the chains begun with the old password open to the new one.
    auto make = [&globals, &window, typed](PasswordChange change, std::optional<people::Owner> was,
                                           std::u16string old) {
        Slowly<std::optional<people::NewPassword>>(
            window,
            [typed, was = std::move(was),
             old = std::move(old)]() -> std::optional<people::NewPassword> {
                std::optional<people::NewPassword> password = people::MakePassword(typed);
                if (password && was && !people::KeepEarlierKeys(*password, *was, old)) {
                    return std::nullopt;
                }
                return password;
            },
            [&globals, &window, change](std::optional<people::NewPassword> password) {
                if (!password) return Tell(window, core::Fixed(u"内存不足，没有设置密码。"));
                ApplyPassword(globals, window, *password, change);
            });
    };
    const people::OwnerRules rules = people::ReadOwnerRules(globals.app.SettingsPath());
    if (opened->startOver) return make(PasswordChange::StartOver, std::nullopt, {});
    if (!rules.On()) return make(PasswordChange::First, std::nullopt, {});
    if (!rules.owner.content) {
        return Tell(window, journal::FileTroubleText(
                                {people::OwnerFile(Folder(globals)), rules.owner.state}));
    }
    CheckSecret(
        globals, window, {kOldPasswordBox, kMessageLabel},
        {people::Secret::OwnerPassword, rules.owner.content->passwordHash, old, {}},
        [make, owner = *rules.owner.content, old] { make(PasswordChange::Changed, owner, old); });
}

// An entry telling of a change of the operators: what, and whose.
journal::Entry OperatorsEntry(std::string_view name, std::u16string_view what) {
    return {journal::Action::OperatorsChanged,
            core::CurrentTime(),
            {},
            std::string(name),
            {{journal::Field::What, core::Fixed(what)}}};
}

// Changes the operators as read under the lock; `change` says whether it changed anything, as
// does the answer: another desk may have removed the operator meanwhile.
bool ChangeOperators(Globals& globals, ui::Form& window, std::string name, std::u16string what,
                     std::function<bool(people::Operators&)> change) {
    const std::filesystem::path folder = Folder(globals);
    bool changed = false;
    const bool done = Change(globals, window, false, [&]() -> operations::OurChange {
        journal::FileRead<people::Operators> read = people::ReadOperators(folder);
        // Only the owner gets here with a damaged file: the owner makes a new one.
        if (read.state == journal::FileState::Missing || read.state == journal::FileState::Damaged)
            read.content.emplace();
        if (!read.content)
            return {{}, journal::FileTrouble{people::OperatorsFile(folder), read.state}};
        changed = change(*read.content);
        if (!changed) return {};
        if (std::optional<journal::FileTrouble> trouble =
                people::SaveOperators(folder, *read.content)) {
            return {{}, std::move(trouble)};
        }
        return {OperatorsEntry(name, what), {}};
    });
    return done && changed;
}

// The typed PIN, hashed off the window thread; nothing when it is refused (and told).
void WithPinHash(ui::Form& window, std::function<void(std::string)> use) {
    const std::u16string pin = window.TypedText(kPinBox);
    window.SetText(kPinBox, "");
    if (const people::PinFault fault = people::CheckPin(pin); fault != people::PinFault::None) {
        return Tell(window, people::PinFaultText(fault));
    }
    Slowly<std::optional<std::string>>(
        window, [pin] { return journal::HashSecret(pin, journal::kInteractiveCost); },
        [&window, use = std::move(use)](std::optional<std::string> hash) {
            if (!hash) return Tell(window, core::Fixed(u"内存不足，没有保存。"));
            use(std::move(*hash));
        });
}

void AddOperator(Globals& globals, ui::Form& window) {
    const std::u16string typed = window.TypedText(kNameBox);
    const journal::FileRead<people::Operators> read = people::ReadOperators(Folder(globals));
    if (const people::NameRefusal refusal =
            read.content ? read.content->CheckName(typed) : people::Operators().CheckName(typed)) {
        return Tell(window, people::NameRefusalText(refusal, typed));
    }
    WithPinHash(window, [&globals, &window, typed](std::string hash) {
        auto refused = std::make_shared<people::NameRefusal>();
        const bool added = ChangeOperators(globals, window, core::WideToText(typed), u"添加操作员",
                                           [&](people::Operators& operators) {
                                               *refused = operators.Add(typed, std::move(hash));
                                               return !*refused;
                                           });
        if (*refused) return Tell(window, people::NameRefusalText(*refused, typed));
        if (!added) return;
        window.SetText(kNameBox, "");
        Tell(window, core::Fixed(u"操作员已添加。"), Tone::Done);
    });
}

void ChangePin(Globals& globals, ui::Form& window) {
    const std::string name = window.SelectedText(kOperatorList);
    if (name.empty()) return Tell(window, core::Fixed(u"请先在列表中选择操作员。"));
    WithPinHash(window, [&globals, &window, name](std::string hash) {
        if (ChangeOperators(globals, window, name, u"修改PIN", [&](people::Operators& operators) {
                return operators.SetPin(name, std::move(hash));
            })) {
            Tell(window, core::Fixed(u"PIN 已修改。"), Tone::Done);
        }
    });
}

void RemoveOperator(Globals& globals, ui::Form& window) {
    const std::string name = window.SelectedText(kOperatorList);
    if (name.empty()) return Tell(window, core::Fixed(u"请先在列表中选择操作员。"));
    if (!ui::ShowMessage(&window, core::Fixed(u"删除操作员"),
                         core::Fixed(u"要删除操作员【") + name + core::Fixed(u"】吗？"),
                         ui::Buttons::OkCancel)) {
        return;
    }
    ChangeOperators(globals, window, name, u"删除操作员",
                    [&](people::Operators& operators) { return operators.Remove(name); });
}

void SaveOwnerOnly(Globals& globals, ui::Form& window) {
    std::set<people::OwnerAction> ownerOnly;
    std::string listed;
    for (std::size_t i = 0; i < std::size(people::kOwnerActions); ++i) {
        if (!window.IsChecked(kOwnerOnlyBoxes[i])) continue;
        ownerOnly.insert(people::kOwnerActions[i]);
        if (!listed.empty()) listed += core::Fixed(u"、");
        listed += people::OwnerActionCaption(people::kOwnerActions[i]);
    }
    const std::filesystem::path folder = Folder(globals);
    const bool saved = Change(globals, window, false, [&]() -> operations::OurChange {
        journal::FileRead<people::Owner> read = people::ReadOwner(folder);
        if (!read.content) return {{}, journal::FileTrouble{people::OwnerFile(folder), read.state}};
        read.content->ownerOnly = ownerOnly;
        if (const journal::FileState state = people::WriteOwner(folder, *read.content);
            state != journal::FileState::Ok) {
            return {{}, journal::FileTrouble{people::OwnerFile(folder), state}};
        }
        return {journal::Entry{journal::Action::OwnerSettingsChanged,
                               core::CurrentTime(),
                               {},
                               {},
                               {{journal::Field::What, core::Fixed(u"需要店主密码：") + listed}}},
                {}};
    });
    if (saved) Tell(window, core::Fixed(u"已保存。"), Tone::Done);
}

}  // namespace

bool OpenOwnerSettings(Globals& globals, bool startOver) {
    bool passwordSet = false;
    ui::Form::Open(forms::OwnerSettingsWindow(), globals.handlers, nullptr, [&](ui::Form& window) {
        ui::Keep(window, Opened{startOver, &passwordSet});
    });
    // Operators added while nobody is on duty count at once.
    HandOver(globals);
    return passwordSet;
}

void RegisterOwnerSettings(Globals& globals) {
    ui::Handlers& handlers = globals.handlers;
    namespace op = forms::operation;
    handlers.Add(op::kOpenOwnerSettings, [&globals](ui::Form&) {
        if (AskOwnerPassword(globals, core::Fixed(u"店主设置"), true).allowed) {
            OpenOwnerSettings(globals, false);
        }
    });
    handlers.Add(op::kInitOwnerSettings, [&globals](ui::Form& window) { Fill(globals, window); });
    handlers.Add(op::kSetOwnerPassword,
                 [&globals](ui::Form& window) { SetPassword(globals, window); });
    handlers.Add(op::kAddOperator, [&globals](ui::Form& window) { AddOperator(globals, window); });
    handlers.Add(op::kChangePin, [&globals](ui::Form& window) { ChangePin(globals, window); });
    handlers.Add(op::kRemoveOperator,
                 [&globals](ui::Form& window) { RemoveOperator(globals, window); });
    handlers.Add(op::kSaveOwnerOnly,
                 [&globals](ui::Form& window) { SaveOwnerOnly(globals, window); });
}

}  // namespace durava::windows
