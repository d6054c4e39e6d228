// SPDX-License-Identifier: MIT
#include "windows/trust/secretcheck.h"

#include <chrono>
#include <memory>

#include "core/fixedtexts.h"
#include "journal/chain/secrets.h"
#include "ui/form.h"
#include "ui/work/backgroundwork.h"

namespace durava::windows {
namespace {

void JournalWrongTry(Globals& globals, const SecretTry& tried) {
    const std::u16string_view what = tried.secret == people::Secret::Pin ? u"PIN" : u"店主密码";
    globals.JournalEvent({journal::Action::WrongPin,
                          core::CurrentTime(),
                          {},
                          tried.who,
                          {{journal::Field::What, core::Fixed(what)}}});
}

void Tell(Globals& globals, ui::Form& window, forms::LabelName message, const SecretTry& tried,
          const people::TryReport& report) {
    JournalWrongTry(globals, tried);
    window.SetText(message, people::TryText(report, tried.secret));
}

}  // namespace

void CheckSecret(Globals& globals, ui::Form& window, forms::LabelName message, SecretTry tried,
                 std::function<void()> right) {
    if (const std::optional<people::TryReport> refusal =
            globals.lockout.Refusal(std::chrono::steady_clock::now())) {
        Tell(globals, window, message, tried, *refusal);
        return;
    }
    window.SetText(message, "");
    auto checked = std::make_shared<bool>(false);
    auto shared = std::make_shared<SecretTry>(std::move(tried));
    ui::RunInBackground(
        &window, u"正在核对",
        [checked, shared](const ui::GoOn&) {
            *checked = journal::VerifySecret(shared->hash, shared->typed);
        },
        [&globals, &window, message, checked, shared, right = std::move(right)] {
            const people::TryReport report =
                globals.lockout.Record(*checked, std::chrono::steady_clock::now());
            if (report.result == people::TryReport::Result::Right) {
                right();
            } else {
                Tell(globals, window, message, *shared, report);
            }
        });
}

}  // namespace durava::windows
