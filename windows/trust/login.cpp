// SPDX-License-Identifier: MIT
#include "windows/trust/login.h"

#include "audit/checktexts.h"
#include "core/fixedtexts.h"
#include "forms/formnames.h"
#include "forms/forms.h"
#include "journal/journaltexts.h"
#include "people/protection.h"
#include "people/texts.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/windowstate.h"
#include "windows/main/mainwindow.h"
#include "windows/trust/ownerprompt.h"
#include "windows/trust/ownersettings.h"
#include "windows/trust/secretcheck.h"

namespace durava::windows {
namespace {

using namespace forms::login_window;

// Where the window tells its opener that someone logged in.
struct LoginResult {
    bool* loggedIn;
};

void InitLogin(Globals& globals, ui::Form& window) {
    const people::OwnerRules rules = people::ReadOwnerRules(globals.app.SettingsPath());
    window.ClearEntries(kOperatorChoice);
    if (rules.operators.content) {
        for (const people::Operator& person : rules.operators.content->List()) {
            window.AppendEntry(kOperatorChoice, person.name);
        }
    }
    window.SelectEntry(kOperatorChoice, 0);
    window.SetVisible(kReprintButton, !globals.lastShiftSlip.empty());
    TellWait(globals, window, kMessageLabel);
}

// The operators file is read again at each try: another desk may have changed a PIN meanwhile.
void TryLogIn(Globals& globals, ui::Form& window) {
    const std::string name = window.SelectedText(kOperatorChoice);
    const std::u16string pin = window.TypedText(kPinBox);
    window.SetText(kPinBox, "");
    const people::OwnerRules rules = people::ReadOwnerRules(globals.app.SettingsPath());
    const people::Operator* person =
        rules.operators.content ? rules.operators.content->Find(name) : nullptr;
    if (!person) {
        window.SetText(kMessageLabel, core::Fixed(u"没有这位操作员。"));
        InitLogin(globals, window);
        return;
    }
    CheckSecret(globals, window, {kPinBox, kMessageLabel},
                {people::Secret::Pin, person->pinHash, pin, name}, [&globals, &window, name] {
                    globals.journaling->operatorName = name;
                    if (!globals.JournalEvent({journal::Action::Login, core::CurrentTime()})) {
                        // Nothing the operator did could be journaled: the desk stays shut.
                        globals.journaling->operatorName.clear();
                        ui::ShowMessage(&window, core::Fixed(u"无法登录"),
                                        journal::ProblemText(*globals.journaling->problem));
                        return;
                    }
                    if (const LoginResult* result = ui::Kept<LoginResult>(window)) {
                        *result->loggedIn = true;
                    }
                    ShowOnDuty(globals);
                    window.close();
                });
}

// Operators that cannot be trusted leave the owner's password alone to open the owner's settings,
// to make them again; the desk opens when that leaves it open to a login.
bool OwnerMendsOperators(Globals& globals) {
    if (!AskOwnerPassword(globals, core::Fixed(u"店主设置"), true).allowed) return false;
    OpenOwnerSettings(globals, false);  // whose hand-over opens the login
    const people::OwnerRules rules = people::ReadOwnerRules(globals.app.SettingsPath());
    const bool onDuty = globals.journaling && !globals.journaling->operatorName.empty();
    return !rules.Trouble() && (onDuty || !rules.NeedsLogin());
}

}  // namespace

bool LogIn(Globals& globals) {
    const people::OwnerRules rules = people::ReadOwnerRules(globals.app.SettingsPath());
    if (rules.OnlyOperatorsInTrouble()) return OwnerMendsOperators(globals);
    if (const std::optional<journal::FileTrouble> trouble = rules.Trouble()) {
        ui::ShowMessage(globals.MainWindow, core::Fixed(u"无法登录"),
                        journal::FileTroubleText(*trouble));
        return false;
    }
    if (!rules.NeedsLogin()) return true;
    bool loggedIn = false;
    ui::Form::Open(forms::LoginWindow(), globals.handlers, nullptr,
                   [&loggedIn](ui::Form& window) { ui::Keep(window, LoginResult{&loggedIn}); });
    return loggedIn;
}

void HandOver(Globals& globals) {
    if (!globals.journaling || !globals.journaling->operatorName.empty()) return;
    ui::Form* main = globals.MainWindow;
    // The main window is still open, unless it closed while the login waited.
    if (!LogIn(globals) && main && globals.MainWindow == main) main->close();
}

void RegisterLogin(Globals& globals) {
    globals.handlers.Add(forms::operation::kInitLogin,
                         [&globals](ui::Form& window) { InitLogin(globals, window); });
    globals.handlers.Add(forms::operation::kLogIn,
                         [&globals](ui::Form& window) { TryLogIn(globals, window); });
}

}  // namespace durava::windows
