// SPDX-License-Identifier: MIT
#include "windows/trust/secretcheck.h"

#include <memory>
#include <optional>

#include "core/fixedtexts.h"
#include "journal/chain/secrets.h"
#include "people/lockout.h"
#include "ui/form.h"
#include "ui/work/backgroundwork.h"
#include "windows/main/outcomes.h"
#include "windows/trust/messageline.h"

namespace durava::windows {
namespace {

using people::TryReport;
using Decide = std::function<std::optional<TryReport>(people::Lockout&, core::DateTime)>;

std::filesystem::path Folder(const Globals& globals) {
    return journal::DuravaFolder(globals.app.SettingsPath());
}

people::Lockout LockoutNow(const std::filesystem::path& folder) {
    return people::ReadLockout(folder).content.value_or(people::Lockout{});
}

// A wrong try, with the wait it began, or one refused during the wait, unchecked: whether it was
// right is nobody's business there. A right one the caller journals with what it opens.
std::optional<journal::Entry> TryEntry(const SecretTry& tried, const TryReport& report,
                                       core::DateTime now) {
    if (report.result == TryReport::Result::Right) return std::nullopt;
    const std::u16string_view what = tried.secret == people::Secret::Pin ? u"PIN" : u"店主密码";
    journal::Entry entry{report.result == TryReport::Result::Wrong ? journal::Action::WrongPin
                                                                   : journal::Action::Refused,
                         now,
                         {},
                         tried.who,
                         {{journal::Field::What, core::Fixed(what)}}};
    if (std::string reason = people::TryReasonText(report); !reason.empty()) {
        entry.details.push_back({journal::Field::Reason, std::move(reason)});
    }
    return entry;
}

// Under the lock all copies share: the folder's lockout as `decide` leaves it, written back when
// it changed, and the try journaled. False when the lock or the journal refused, which is told.
bool Tally(Globals& globals, ui::Form& window, const SecretTry& tried, const Decide& decide,
           std::optional<TryReport>& report) {
    const std::filesystem::path folder = Folder(globals);
    operations::Store store = globals.Store();
    std::optional<journal::FileTrouble> trouble;
    const operations::Outcome outcome = operations::ChangeOurFiles(
        store, false,
        [&]() -> operations::OurChange {
            const core::DateTime now = core::CurrentTime();
            const people::Lockout before = LockoutNow(folder);
            people::Lockout lockout = before;
            report = decide(lockout, now);
            // A lockout that cannot be written keeps no wait; the journal still holds the try.
            if (lockout != before) people::WriteLockout(folder, lockout);
            if (!report) return {};
            return {TryEntry(tried, *report, now), {}};
        },
        trouble);
    ReportFailure(globals, &window, outcome);
    return outcome == operations::Outcome::Done;
}

}  // namespace

void CheckSecret(Globals& globals, ui::Form& window, SecretBox where, SecretTry tried,
                 std::function<void()> right) {
    window.Focus(where.box);
    if (tried.typed.empty()) {
        return Say(window, where.message, people::NothingTypedText(tried.secret));
    }
    std::optional<TryReport> refusal;
    const Decide admit = [](people::Lockout& lockout, core::DateTime now) {
        return lockout.Refusal(now);
    };
    if (!Tally(globals, window, tried, admit, refusal)) return;
    if (refusal) return Say(window, where.message, people::TryText(*refusal, tried.secret));
    Say(window, where.message, "");
    auto checked = std::make_shared<bool>(false), replaced = std::make_shared<bool>(false);
    auto shared = std::make_shared<SecretTry>(std::move(tried));
    ui::RunInBackground(
        &window, u"正在核对",
        [checked, replaced, shared](const ui::GoOn&) {
            *checked = journal::VerifySecret(shared->hash, shared->typed);
            *replaced = !*checked && !shared->replacedHash.empty() &&
                        journal::VerifySecret(shared->replacedHash, shared->typed);
        },
        [&globals, &window, where, checked, replaced, shared, right = std::move(right)] {
            std::optional<TryReport> report;
            const Decide record = [right = *checked](people::Lockout& lockout, core::DateTime now) {
                return std::optional(lockout.Record(right, now));
            };
            if (!Tally(globals, window, *shared, record, report)) return;
            if (report->result == TryReport::Result::Right) return right();
            Say(window, where.message,
                *replaced ? shared->replacedTold : people::TryText(*report, shared->secret));
            window.Focus(where.box);
        });
}

void TellWait(Globals& globals, ui::Form& window, forms::LabelName message) {
    people::Lockout lockout = LockoutNow(Folder(globals));
    if (const std::optional<TryReport> refusal = lockout.Refusal(core::CurrentTime())) {
        Say(window, message, people::TryText(*refusal, people::Secret::Pin));
    }
}

}  // namespace durava::windows
