// SPDX-License-Identifier: MIT
#pragma once
// A typed PIN or owner's password checked against its hash: off the window thread, as Argon2id
// takes a good part of a second, and counted toward the desk's wait after five wrong in a row.
// Every try is journaled, right ones by the caller with what they open.
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
};

// A wrong try is journaled and told in `message`; `right` runs on the window thread after a
// right one, unless the window closed meanwhile.
void CheckSecret(Globals& globals, ui::Form& window, forms::LabelName message, SecretTry tried,
                 std::function<void()> right);

}  // namespace durava::windows
