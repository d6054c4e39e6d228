// SPDX-License-Identifier: MIT
#pragma once
// A typed PIN or owner's password checked against its hash: off the window thread, as Argon2id
// takes a good part of a second, and counted toward the desk's wait after five wrong in a row,
// which the Durava folder keeps for every copy on it. Every try that counts is journaled under the
// lock all copies share, right ones by the caller with what they open.
#include <functional>
#include <string>

#include "forms/formnames.h"
#include "people/texts.h"
#include "windows/main/globals.h"

namespace durava::ui {
class Form;
}

namespace durava::windows {

struct SecretTry {
    people::Secret secret;
    std::string hash;
    std::u16string typed;
    std::string who;  // the operator whose PIN it is; empty for the owner
    // A password a start over replaced, and what its typing tells instead of a wrong one.
    std::string replacedHash{};
    std::string replacedTold{};
};

// Where the window takes the secret, and the line that tells of a try.
struct SecretBox {
    forms::EditName box;
    forms::LabelName message;
};

// Nothing typed is refused, neither counted nor journaled; a try during the wait is refused
// unchecked; a wrong one is told. Each time the box has the focus again for the next try. `right`
// runs on the window thread after a right one, unless the window closed meanwhile.
void CheckSecret(Globals& globals, ui::Form& window, SecretBox where, SecretTry tried,
                 std::function<void()> right);

// As the window opens: the wait the desk is in, if any.
void TellWait(Globals& globals, ui::Form& window, forms::LabelName message);

}  // namespace durava::windows
