// SPDX-License-Identifier: MIT
#include "windows/trust/ownerprompt.h"

#include "core/fixedtexts.h"
#include "forms/formnames.h"
#include "forms/forms.h"
#include "journal/journaltexts.h"
#include "people/protection.h"
#include "people/texts.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/windowstate.h"
#include "windows/trust/ownersettings.h"
#include "windows/trust/secretcheck.h"

namespace durava::windows {
namespace {

using namespace forms::owner_prompt;

// What the prompt asks, and where it answers.
struct Prompt {
    std::string asking;
    std::string hash;
    std::optional<people::Restart> restart;
    OwnerAnswer* answer;
    bool* forgot;
};

void InitOwnerPrompt(Globals& globals, ui::Form& window) {
    if (const Prompt* prompt = ui::Kept<Prompt>(window)) {
        window.SetText(kAskLabel, prompt->asking + core::Fixed(u"：请输入店主密码"));
    }
    TellWait(globals, window, kMessageLabel);
}

void CheckOwnerPassword(Globals& globals, ui::Form& window) {
    const Prompt* kept = ui::Kept<Prompt>(window);
    if (!kept) return;
    const Prompt& prompt = *kept;
    std::u16string typed = window.TypedText(kPasswordBox);
    window.SetText(kPasswordBox, "");
    SecretTry tried{people::Secret::OwnerPassword, prompt.hash, typed, {}};
    if (prompt.restart) {
        tried.replacedHash = prompt.restart->replacedHash;
        tried.replacedTold = core::Sentence(u"店主密码已于 {0} 被重设", {prompt.restart->time});
    }
    CheckSecret(globals, window, {kPasswordBox, kMessageLabel}, std::move(tried),
                [&window, answer = prompt.answer, typed] {
                    *answer = {true, typed};
                    window.close();
                });
}

// A forgotten password cannot be recovered: the owner sets a new one, and a new journal chain
// begins with it, whose first entry names where the old one ended.
void ForgetOwnerPassword(ui::Form& window) {
    const Prompt* prompt = ui::Kept<Prompt>(window);
    if (!prompt) return;
    if (!ui::ShowMessage(
            &window, core::Fixed(u"忘记店主密码"),
            core::Fixed(u"忘记的店主密码无法找回，只能重新设置。\n"
                        u"重新设置后日志将开始新的一段，核对记录会显示旧的一段在哪里结束。\n"
                        u"要重新设置店主密码吗？"),
            ui::Buttons::OkCancel)) {
        return;
    }
    *prompt->forgot = true;
    window.close();
}

OwnerAnswer Ask(Globals& globals, const people::Owner& owner, std::string asking) {
    OwnerAnswer answer;
    bool forgot = false;
    ui::Form::Open(forms::OwnerPrompt(), globals.handlers, nullptr, [&](ui::Form& window) {
        ui::Keep(window,
                 Prompt{std::move(asking), owner.passwordHash, owner.restart, &answer, &forgot});
    });
    if (forgot) answer.allowed = OpenOwnerSettings(globals, true);
    return answer;
}

// The owner's file as it is now; told and nothing when it cannot be trusted. An operators file
// in trouble is told too, and still lets the owner into the settings to make a new one.
std::optional<people::OwnerRules> TrustedRules(Globals& globals, people::OwnerRules rules,
                                               bool opensSettings = false) {
    if (const std::optional<journal::FileTrouble> trouble = rules.Trouble()) {
        ui::ShowMessage(globals.MainWindow, core::Fixed(u"需要店主密码"),
                        journal::FileTroubleText(*trouble));
        if (!opensSettings || !rules.OnlyOperatorsInTrouble()) return std::nullopt;
    }
    return rules;
}

}  // namespace

bool OwnerAllows(Globals& globals, people::OwnerAction action) {
    people::OwnerRules rules = people::ReadOwnerRules(globals.app.SettingsPath());
    if (!rules.AsksOwner(action)) return true;
    const std::optional<people::OwnerRules> trusted = TrustedRules(globals, std::move(rules));
    return trusted &&
           Ask(globals, *trusted->owner.content, people::OwnerActionCaption(action)).allowed;
}

OwnerAnswer AskOwnerPassword(Globals& globals, std::string_view asking, bool opensSettings) {
    const std::optional<people::OwnerRules> rules =
        TrustedRules(globals, people::ReadOwnerRules(globals.app.SettingsPath()), opensSettings);
    if (!rules) return {};
    if (!rules->On()) return {true, {}};
    return Ask(globals, *rules->owner.content, std::string(asking));
}

void RegisterOwnerPrompt(Globals& globals) {
    globals.handlers.Add(forms::operation::kInitOwnerPrompt,
                         [&globals](ui::Form& window) { InitOwnerPrompt(globals, window); });
    globals.handlers.Add(forms::operation::kCheckOwnerPassword,
                         [&globals](ui::Form& window) { CheckOwnerPassword(globals, window); });
    globals.handlers.Add(forms::operation::kForgetOwnerPassword,
                         [](ui::Form& window) { ForgetOwnerPassword(window); });
}

}  // namespace durava::windows
