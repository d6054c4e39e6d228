// SPDX-License-Identifier: MIT
#include "windows/history/checkout.h"

#include "core/datetime.h"
#include "forms/formnames.h"
#include "forms/forms.h"
#include "operations/operations.h"
#include "ui/form.h"
#include "ui/windowstate.h"
#include "windows/main/itemlist.h"
#include "windows/main/outcomes.h"

namespace durava::windows {
namespace {

using operations::Outcome;

using forms::checkout_window::kValueLabels;
static_assert(std::size(kValueLabels) == history::kRecordFields);

// The item whose use the window bills.
struct CheckedOutItem {
    std::string name;
};

void EndAndBill(windows::Globals& globals, ui::Form& main) {
    const int row = main.SelectedRow(windows::kMainList);
    if (row == -1) return;
    OpenCheckoutWindow(globals, main, main.Cell(windows::kMainList, row, windows::kColumnName));
}

void InitCheckout(windows::Globals& globals, ui::Form& window) {
    const CheckedOutItem* item = ui::Kept<CheckedOutItem>(window);
    if (!item) return;
    // The window keeps the bill it shows, for its confirmation.
    const operations::Bill& bill = ui::Keep(
        window, operations::ComputeBill(globals.app.Settings, item->name, core::CurrentTime()));
    for (std::size_t field = 0; field < std::size(kValueLabels); ++field) {
        window.SetText(kValueLabels[field], bill.fields[field]);
    }
}

// Confirming records the bill the window shows, provided the item is still in the use it showed.
void ConfirmCheckout(windows::Globals& globals, ui::Form& window) {
    const operations::Bill* kept = ui::Kept<operations::Bill>(window);
    if (!kept) return;
    const operations::Bill& bill = *kept;
    operations::Store store = globals.Store();
    const Outcome outcome = operations::Checkout(store, bill);
    const bool ended = outcome == Outcome::Done || outcome == Outcome::AlreadyBilled;
    // The list is filled again from the file, the state's colour with it.
    windows::ReportOutcome(globals, &window, windows::Operation::Checkout, outcome, bill.Item());
    // A use that ended elsewhere leaves nothing to confirm here; a failed write may be tried again.
    if (ended || outcome == Outcome::NoLongerInUse || outcome == Outcome::StartedAgain) {
        window.close();
    }
}

}  // namespace

void OpenCheckoutWindow(windows::Globals& globals, ui::Form& main, std::string item) {
    ui::Form::Open(forms::CheckoutWindow(), globals.handlers, &main, [&item](ui::Form& window) {
        ui::Keep(window, CheckedOutItem{std::move(item)});
    });
}

void RegisterCheckout(windows::Globals& globals) {
    globals.handlers.Add(forms::operation::kEndAndBill,
                         [&globals](ui::Form& main) { EndAndBill(globals, main); });
    globals.handlers.Add(forms::operation::kInitCheckout,
                         [&globals](ui::Form& window) { InitCheckout(globals, window); });
    globals.handlers.Add(forms::operation::kConfirmCheckout,
                         [&globals](ui::Form& window) { ConfirmCheckout(globals, window); });
}

}  // namespace durava::windows
